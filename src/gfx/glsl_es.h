#pragma once

#include <string>

// A GLSL 330 core stage as GLSL 300 es reads it (what WebGL2 compiles): the version line becomes
// "#version 300 es" and high precision for floats, integers and samplers, followed by a #line
// so that every later line keeps its number in compile logs. Text without a version line on
// its first line comes back unchanged.
std::string AsGlslEs(const std::string& source);
