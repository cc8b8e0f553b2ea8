#version 330 core
// A picture over the whole window: the full-screen quad's corners, passed through.
layout(location = 0) in vec2 aPos;

void main() {
    gl_Position = vec4(aPos, 0.0, 1.0);
}
