#version 330 core
// A separable five-tap Gaussian blur along one axis.
in vec2 texCoord;

uniform sampler2D image;
uniform bool horizontal;

out vec4 FragColor;

void main() {
    const float weights[3] = float[](0.227027, 0.316216, 0.070270);
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    vec2 step = horizontal ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    vec3 sum = texture(image, texCoord).rgb * weights[0];
    for (int i = 1; i < 3; ++i) {
        sum += texture(image, texCoord + step * float(i)).rgb * weights[i];
        sum += texture(image, texCoord - step * float(i)).rgb * weights[i];
    }
    FragColor = vec4(sum, 1.0);
}
