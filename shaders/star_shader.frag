#version 330 core
// A star: a soft round point, added onto the sky (the blend adds source alpha times colour).
in vec3 starColor;

out vec4 FragColor;

void main() {
    float r = length(gl_PointCoord - 0.5) * 2.0;
    float core = exp(-4.0 * r * r) * (1.0 - smoothstep(0.8, 1.0, r));
    FragColor = vec4(starColor, core);
}
