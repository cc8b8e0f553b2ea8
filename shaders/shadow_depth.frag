#version 330 core
// Writes depth only.
void main() {
}
