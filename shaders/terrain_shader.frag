#version 330 core
// Terrain of the islands. The ground's colour comes from the islands' colour map (the world
// generator worked it out from height, slope and noise: sea floor, wet sand at the water line,
// dry sand, grass, rock), varied close up by a tiled detail texture that also ripples the sand.
// Lit by the sun (lightColor from lightPos, shadowed through the shadow map) and the sky;
// darkened and tinted under water with depth; hazed towards the sky's horizon colour with
// distance.
#define LIT_VARYING in
#include "common/lit_varyings.glsl"

uniform vec4 lightColor;        // sunlight colour of the day/night cycle
uniform vec3 lightPos;          // the sun, 150 units from the origin
uniform sampler2D shadowMap;    // sun depth, 2048 x 2048, nearest, border 1
uniform sampler2D diffuse0;     // the ground's colour over the islands; alpha: open sand
uniform sampler2D emissive0;    // the islands' detail tile: ripples' tilt + 0.5 (rg), grain / 2 (b)
uniform int groundMaps;         // the maps the terrain's material names: none (0), a colour
                                // map (1), a colour map and its detail tile (2)

out vec4 FragColor;

#include "common/sky_colour.glsl"

#include "common/lighting.glsl"

// The maps keep their own filtering (nearest texel, nearest within a mipmap). The colour map is
// stretched over the whole terrain, so that nearly everywhere one of its texels covers many
// pixels: here its four texels around the point are blended, so that the ground is smooth
// instead of blocky. It changes slowly, so its full size serves also where it is minified.
vec4 blendedTexels(sampler2D map, vec2 uv) {
    ivec2 size = textureSize(map, 0);
    vec2 texel = uv * vec2(size) - 0.5;
    vec2 weight = fract(texel);
    // The map repeats: the corner texels wrap around its edges.
    ivec2 low = ivec2(mod(floor(texel), vec2(size)));
    ivec2 high = ivec2(mod(floor(texel) + 1.0, vec2(size)));
    vec4 below = mix(texelFetch(map, low, 0), texelFetch(map, ivec2(high.x, low.y), 0), weight.x);
    vec4 above = mix(texelFetch(map, ivec2(low.x, high.y), 0), texelFetch(map, high, 0), weight.x);
    return mix(below, above, weight.y);
}

void main() {
    // A terrain without maps is its material's colour; without a detail tile it has no ripples
    // or grain.
    vec4 ground = groundMaps >= 1 ? blendedTexels(diffuse0, texCoord) : vec4(vertexColor, 0.0);
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
