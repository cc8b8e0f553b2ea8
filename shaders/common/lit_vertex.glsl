// The vertex stage of a lit surface (the terrain, the well and the sea-grass plants): world-space
// position, normal, colour and texture coordinates for the fragment stage, and per vertex what
// changes slowly over a triangle: the sky's colour at the horizon that fogs it, its place in the
// shadow map, how much light the water above it lets through, and how thick the haze in front
// of it is. The including stage's main() works out the world position and normal and hands
// them to litVertex().
#include "common/mesh_inputs.glsl"

uniform vec3 lightPos;           // the sun, SUN_DISTANCE from the origin
uniform mat4 lightSpaceMatrix;   // world to shadow-map clip space; all zero without shadows

#define LIT_VARYING out
#include "common/lit_varyings.glsl"

#include "common/sky_colour.glsl"

#include "common/horizon_colour.glsl"

#include "common/shadow_and_haze.glsl"

// Writes every output of the stage for a vertex at `world` with the world-space normal `normal`.
void litVertex(vec4 world, vec3 normal) {
    worldPos = world.xyz;
    vertexColor = aColor;
    worldNormal = normal;
    texCoord = aTex;
    vec3 view = world.xyz - camPos;
    fogColor = horizonColor(view);
    shadowCoord = shadowLookup(world.xyz, normalize(worldNormal), normalize(lightPos - world.xyz));
    waterTransmit = waterTransmittance(world.xyz, camPos);
    fog = fogAmount(world.xyz, camPos);
    gl_Position = camMatrix * world;
}
