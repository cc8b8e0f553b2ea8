// The vertex stage of a billboard quad (the sun and the moon): "model" already faces the camera; the world position lets the fragment stage
// hide what lies below the sea horizon.
layout(location = 0) in vec3 aPos;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform mat4 camMatrix;

out vec2 texCoord;
out vec3 worldPos;

void main() {
    texCoord = aTex;
    vec4 world = model * vec4(aPos, 1.0);
    worldPos = world.xyz;
    gl_Position = camMatrix * world;
}
