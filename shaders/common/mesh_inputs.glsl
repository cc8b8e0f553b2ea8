// A mesh vertex as the vertex record lays it out, and where the mesh and the camera stand.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform mat4 camMatrix;
uniform vec3 camPos;
