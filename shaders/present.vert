#version 330 core
#include "common/full_screen_vertex.glsl"
