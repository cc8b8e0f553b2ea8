#version 330 core
// The sky-light pass draws nothing: its point is captured and discarded before rasterisation.
void main() {
}
