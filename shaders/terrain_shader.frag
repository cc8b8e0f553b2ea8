#version 330 core
// Terrain of the islands. The material follows height, slope and the normal: sea floor, wet
// sand at the water line, dry sand, grass on gentle slopes, rock on steep faces and high up,
// varied by two octaves of value noise. Lit by the sun (lightColor from lightPos, shadowed
// through the shadow map) and the sky; darkened and tinted under water with depth;
// hazed towards the sky's horizon colour with distance.
in vec3 worldPos;
in vec3 worldNormal;
in vec3 skyZenith;
in vec3 fogColor;
in vec3 shadowCoord;
in vec3 waterTransmit;
in float fog;

uniform vec4 lightColor;        // sunlight colour of the day/night cycle
uniform vec3 lightPos;          // the sun, 150 units from the origin
uniform sampler2D shadowMap;    // sun depth, 2048 x 2048, nearest, border 1

out vec4 FragColor;

const vec3 SEA_FLOOR = vec3(0.52, 0.48, 0.36);
const vec3 SEA_WEED = vec3(0.22, 0.30, 0.18);   // darker patches on the sea floor
const vec3 WET_SAND = vec3(0.50, 0.42, 0.30);
const vec3 DRY_SAND = vec3(0.78, 0.69, 0.49);
const vec3 GRASS = vec3(0.19, 0.34, 0.10);
const vec3 GRASS_DRY = vec3(0.42, 0.44, 0.19);
const vec3 ROCK = vec3(0.45, 0.41, 0.36);
const vec3 ROCK_DARK = vec3(0.27, 0.25, 0.24);
const float WET_BAND = 0.55;     // height the waves wet the sand to, above the water
const float GRASS_LINE = 1.7;    // height where the beach gives way to grass
const float STEEP = 0.62;        // normal.y below which the ground turns to rock (about 52 degrees)
const float ROCK_LINE = 11.0;    // height above which bare rock takes over

#include "common/lighting.glsl"

// Value noise on a unit lattice, smoothly interpolated, in [0, 1]. The lattice values come
// from an arithmetic hash (fractions of products), cheaper than the usual sine hash.
float hash(vec2 p) {
    vec3 q = fract(vec3(p.xyx) * 0.1031);
    q += dot(q, q.yzx + 33.33);
    return fract((q.x + q.y) * q.z);
}
float valueNoise(vec2 p) {
    vec2 cell = floor(p);
    vec2 f = fract(p);
    vec2 u = f * f * (3.0 - 2.0 * f);
    return mix(mix(hash(cell), hash(cell + vec2(1.0, 0.0)), u.x),
               mix(hash(cell + vec2(0.0, 1.0)), hash(cell + vec2(1.0, 1.0)), u.x), u.y);
}

// Ripples in the sand, crests about a third of a unit apart and bent by the noise, as a tilt of
// the normal: a low sun picks them out. They fade where a pixel would span a
// crest, so they never shimmer in the distance.
vec3 rippled(vec3 pos, vec3 normal, float n, float amount) {
    const vec2 across = vec2(0.8, 0.6);
    float phase = dot(pos.xz, across) * 18.0 + n * 9.0;
    float resolved = clamp(1.5 - fwidth(phase) * 0.5, 0.0, 1.0);
    float slope = cos(phase) * 0.22 * amount * resolved;
    return normalize(normal + vec3(across.x, 0.0, across.y) * slope);
}

// The ground's colour at pos; sandiness tells how much of it is open sand.
vec3 material(vec3 pos, vec3 normal, float n, out float sandiness) {
    float h = pos.y + (n - 0.5) * 0.5;   // wobble the material lines
    vec3 floorColor = mix(SEA_FLOOR, SEA_WEED, smoothstep(0.55, 0.75, n));
    // The waves wet the sand up to an uneven line; puddles and damp patches lie above it.
    float damp = valueNoise(pos.xz * 0.7);
    float tide = WATER_LEVEL + WET_BAND + (n - 0.5) * 0.2 + (damp - 0.5) * 0.6;
    float dry = smoothstep(tide - 0.1, tide + 0.1, pos.y);
    vec3 sand = mix(WET_SAND, DRY_SAND, dry);
    float onLand = smoothstep(WATER_LEVEL - 0.6, WATER_LEVEL - 0.1, h);
    vec3 ground = mix(floorColor, sand, onLand);
    // Grass thins and dries with height and slope; higher up, rock breaks through on ever
    // gentler slopes.
    float exposure = smoothstep(4.0, ROCK_LINE, h) + 2.0 * (1.0 - normal.y);
    vec3 grass = mix(GRASS, GRASS_DRY, clamp(n + 0.6 * exposure - 0.2, 0.0, 1.0));
    float grassy = smoothstep(GRASS_LINE - 0.3, GRASS_LINE + 0.3, h);
    ground = mix(ground, grass, grassy);
    float steepness = normal.y + (n - 0.5) * 0.1 - 0.12 * smoothstep(4.0, ROCK_LINE, h);
    float rockiness = max(1.0 - smoothstep(STEEP - 0.08, STEEP + 0.06, steepness),
                          smoothstep(ROCK_LINE - 2.0, ROCK_LINE + 2.0, h + n * 3.0));
    rockiness *= smoothstep(WATER_LEVEL - 1.0, WATER_LEVEL + 0.5, pos.y);   // no rock on the sea bed
    sandiness = onLand * (1.0 - grassy) * (1.0 - rockiness) * (0.4 + 0.6 * dry);
    return mix(ground, mix(ROCK_DARK, ROCK, n), rockiness);
}

void main() {
    float n = 0.65 * valueNoise(worldPos.xz * 0.35) + 0.35 * valueNoise(worldPos.xz * 1.7);
    float sandiness;
    vec3 albedo = material(worldPos, normalize(worldNormal), n, sandiness);
    vec3 normal = rippled(worldPos, normalize(worldNormal), n, sandiness);
    vec3 sunDir = normalize(lightPos - worldPos);
    float sunHeight = lightPos.y / SUN_DISTANCE;
    float shadow = sunVisibility(shadowCoord);
    vec3 light = incomingLight(normal, sunDir, sunHeight, shadow, lightColor.rgb, skyZenith, 0.0);
    vec3 waterLight = incomingLight(vec3(0.0, 1.0, 0.0), sunDir, sunHeight, 1.0, lightColor.rgb, skyZenith, 0.0);
    vec3 color = underwater(albedo * light, waterTransmit, waterLight);
    FragColor = vec4(mix(toDisplay(color, sunHeight), fogColor, fog), 1.0);
}
