#version 330 core
// Terrain of the islands. The ground's colour comes from the islands' colour map (the world
// generator worked it out from height, slope and noise: sea floor, wet sand at the water line,
// dry sand, grass, rock), varied close up by a tiled detail texture that also ripples the sand.
// Lit by the sun (lightColor from lightPos, shadowed through the shadow map) and the sky;
// darkened and tinted under water with depth; hazed towards the sky's horizon colour with
// distance.
in vec3 worldPos;
in vec3 worldNormal;
in vec2 texCoord;
in vec3 vertexColor;
in vec3 fogColor;
in vec3 shadowCoord;
in vec3 waterTransmit;
in float fog;

uniform vec4 lightColor;        // sunlight colour of the day/night cycle
uniform vec3 lightPos;          // the sun, 150 units from the origin
uniform sampler2D shadowMap;    // sun depth, 2048 x 2048, nearest, border 1
uniform sampler2D diffuse0;     // the ground's colour over the islands; alpha: open sand
uniform sampler2D emissive0;    // the islands' detail tile: ripples' tilt + 0.5 (rg), grain / 2 (b)
uniform int groundMaps;         // the maps the terrain's material names: none (0), a colour
                                // map (1), a colour map and its detail tile (2)

out vec4 FragColor;

#include "common/frame_sky.glsl"

#include "common/lighting.glsl"

void main() {
    // A terrain without maps is its material's colour; without a detail tile it has no ripples
    // or grain.
    vec4 ground = groundMaps >= 1 ? texture(diffuse0, texCoord) : vec4(vertexColor, 0.0);
    vec3 detail = groundMaps == 2 ? texture(emissive0, worldPos.xz / TERRAIN_DETAIL_TILE).rgb
                                  : vec3(0.5);
    vec3 albedo = ground.rgb * (2.0 * detail.b);
    // The ripples tilt the normal where the ground is open sand; their mipmaps level them out
    // with distance, so they never shimmer.
    vec2 tilt = (detail.rg - 0.5) * ground.a;
    vec3 normal = normalize(normalize(worldNormal) + vec3(tilt.x, 0.0, tilt.y));
    vec3 sunDir = normalize(lightPos - worldPos);
    float sunHeight = lightPos.y / SUN_DISTANCE;
    float shadow = sunVisibility(shadowCoord);
    vec3 light = incomingLight(normal, sunDir, sunHeight, shadow, lightColor.rgb, skyZenith, 0.0);
    vec3 waterLight = incomingLight(vec3(0.0, 1.0, 0.0), sunDir, sunHeight, 1.0, lightColor.rgb, skyZenith, 0.0);
    vec3 color = underwater(albedo * light, waterTransmit, waterLight);
    FragColor = vec4(mix(toDisplay(color, sunHeight), fogColor, fog), 1.0);
}
