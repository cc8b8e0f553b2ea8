// The vertex stage of a picture over the whole window (the fade and the scaled picture): the
// full-screen quad's corners, already in clip space, passed through.
layout(location = 0) in vec2 aPos;

void main() {
    gl_Position = vec4(aPos, 0.0, 1.0);
}
