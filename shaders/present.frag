#version 330 core
// An offscreen picture on the window: texel for texel when it has the window's size, otherwise
// filtered bilinearly between the four texels around each window pixel.
uniform sampler2D picture;
uniform vec2 windowSize;

out vec4 FragColor;

void main() {
    ivec2 size = textureSize(picture, 0);
    vec3 color = size == ivec2(windowSize) ? texelFetch(picture, ivec2(gl_FragCoord.xy), 0).rgb
                                           : texture(picture, gl_FragCoord.xy / windowSize).rgb;
    FragColor = vec4(color, 1.0);
}
