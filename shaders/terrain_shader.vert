#version 330 core
// Terrain: world-space position, normal, texture coordinates and material colour for the
// fragment stage, and per vertex what changes slowly over a triangle: the sky's colour at the
// horizon that fogs it, its place in the shadow map, how much light the water above it lets
// through, and how thick the haze in front of it is.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform mat4 camMatrix;
uniform vec3 camPos;
uniform vec3 lightPos;           // the sun, 150 units from the origin
uniform mat4 lightSpaceMatrix;   // world to shadow-map clip space

out vec3 worldPos;
out vec3 worldNormal;
out vec2 texCoord;       // where the ground's colour is in the colour map
out vec3 vertexColor;    // the material's colour
out vec3 fogColor;       // colour of the sky at the horizon behind this point
out vec3 shadowCoord;    // shadow-map position and reference depth
out vec3 waterTransmit;  // share of the light the water above lets through
out float fog;           // thickness of the haze between the eye and this point


#include "common/sky_colour.glsl"

#include "common/frame_sky.glsl"

#include "common/horizon_colour.glsl"

#include "common/shadow_and_haze.glsl"

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    worldPos = world.xyz;
    worldNormal = mat3(model) * aNormal;   // the terrain's model matrix only translates
    texCoord = aTex;
    vertexColor = aColor;
    vec3 view = world.xyz - camPos;
    fogColor = horizonColor(view);
    shadowCoord = shadowLookup(world.xyz, normalize(worldNormal), normalize(lightPos - world.xyz));
    waterTransmit = waterTransmittance(world.xyz, camPos);
    fog = fogAmount(world.xyz, camPos);
    gl_Position = camMatrix * world;
}
