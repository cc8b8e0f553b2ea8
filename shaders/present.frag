#version 330 core
// An offscreen picture in its area of the window: texel for texel when it has the area's size,
// otherwise filtered bilinearly between the four texels around each window pixel.
uniform sampler2D picture;
uniform vec2 areaOrigin;
uniform vec2 areaSize;

out vec4 FragColor;

void main() {
    ivec2 size = textureSize(picture, 0);
    vec2 inArea = gl_FragCoord.xy - areaOrigin;
    vec3 color = size == ivec2(areaSize) ? texelFetch(picture, ivec2(inArea), 0).rgb
                                         : texture(picture, inArea / areaSize).rgb;
    FragColor = vec4(color, 1.0);
}
