#version 330 core
// A flare element: the scaled quad placed at its screen position, on the near plane.
layout(location = 0) in vec3 aPos;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform vec2 flareScreenPos;

out vec2 texCoord;

void main() {
    texCoord = aTex;
    vec4 local = model * vec4(aPos, 1.0);
    gl_Position = vec4(flareScreenPos + local.xy * vec2(1080.0 / 1920.0, 1.0), -1.0, 1.0);
}
