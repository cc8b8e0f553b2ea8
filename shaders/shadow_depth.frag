#version 330 core
// The shadow pass writes depth only; the bias is applied where the map is read.
void main() {
}
