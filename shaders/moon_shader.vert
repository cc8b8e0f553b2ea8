#version 330 core
#include "common/billboard_vertex.glsl"
