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
const float WATER_LEVEL = 0.5;   // world height of the sea surface
const float SUN_DISTANCE = 150.0;   // radius of the sun's orbit around the origin

<<<<<<< HEAD
// ---- sunlight, sky light and water colour: shared word for word by the terrain and default shaders ----
uniform float lastSunlightHeight;                    // the sun's height at which its light is gone
const float SHADOW_TEXELS = 2048.0;                  // side of the shadow map in texels
const vec3 NIGHT_AMBIENT = vec3(0.240, 0.310, 0.500); // the night sky's light on a surface facing up
const float NIGHT_SIDE_LIGHT = 0.12;                 // share of it that reaches a surface facing down
const float AFTERGLOW = 0.35;                        // the glow over the set sun on a surface facing it
const float AFTERGLOW_RISE = 0.4;                    // how high over the horizon the glow lights from
const float SKY_AMBIENT = 0.75;                      // share of the zenith colour that lights from above
const float GROUND_BOUNCE = 0.25;                    // share of the sunlight bounced up by the ground
const vec3 WATER_SCATTER = vec3(0.03, 0.16, 0.20);   // colour that deep water scatters back
const float EXPOSURE = 1.5;                          // light to display: 1 - exp(-light * EXPOSURE), as the sky
const vec3 SCOTOPIC_TINT = vec3(0.80, 0.95, 1.35);   // the blue cast of night vision (about unit luminance)
const float NIGHT_DESATURATION = 0.6;                // how much colour the night takes away

// Fraction of sunlight reaching a point whose shadow-map position and reference depth are
// lookup: four depth comparisons around it, weighted bilinearly (percentage-closer filtering
// over a 2x2 texel footprint, so shadow edges are smooth instead of stair-stepped).
float sunVisibility(vec3 lookup) {
    vec2 texel = lookup.xy * SHADOW_TEXELS - 0.5;
    vec2 weight = fract(texel);
    vec2 corner = (floor(texel) + 0.5) / SHADOW_TEXELS;   // centre of the lower-left texel
    vec4 stored = vec4(texture(shadowMap, corner).r,
                       textureOffset(shadowMap, corner, ivec2(1, 0)).r,
                       textureOffset(shadowMap, corner, ivec2(0, 1)).r,
                       textureOffset(shadowMap, corner, ivec2(1, 1)).r);
    // Beyond the map's edge nothing casts a shadow: a texel outside reads the greatest depth.
    vec4 columns = floor(texel.x) + vec4(0.0, 1.0, 0.0, 1.0);
    vec4 rows = floor(texel.y) + vec4(0.0, 0.0, 1.0, 1.0);
    vec4 inside = step(0.0, columns) * step(columns, vec4(SHADOW_TEXELS - 1.0)) *
                  step(0.0, rows) * step(rows, vec4(SHADOW_TEXELS - 1.0));
    stored = mix(vec4(1.0), stored, inside);
    vec4 lit = step(vec4(lookup.z), stored);
    return mix(mix(lit.x, lit.y, weight.x), mix(lit.z, lit.w, weight.x), weight.y);
}

// Light arriving at a surface: the sun (faded out as it sinks below the horizon, shadowed),
// the sky from above and sunlight bounced off the ground from below. Once the sun is down the
// sky is all the light there is: the afterglow over the sun's side of the horizon, in the
// light's dusk colour, fading as the sun sinks, and the night sky's glow from everywhere, most
// from overhead. translucency is the share of light a thin leaf lets through from behind.
vec3 incomingLight(vec3 normal, vec3 sunDir, float sunHeight, float shadow, vec3 sunColor,
                   vec3 skyZenith, float translucency) {
    float sunUp = smoothstep(lastSunlightHeight, 0.10, sunHeight);
    float night = smoothstep(-0.02, 0.2, -sunHeight);
    float towardsSun = dot(normal, sunDir);
    float sunFacing = max(towardsSun, 0.0) + translucency * max(-towardsSun, 0.0);
    vec3 direct = sunColor * sunUp * sunFacing * shadow;
    float hemisphere = 0.5 + 0.5 * normal.y;
    vec3 sky = skyZenith * SKY_AMBIENT * (0.4 + 0.6 * hemisphere)
             + NIGHT_AMBIENT * night * (NIGHT_SIDE_LIGHT + (1.0 - NIGHT_SIDE_LIGHT) * hemisphere * hemisphere);
    vec3 bounce = sunColor * sunUp * max(sunHeight, 0.0) * GROUND_BOUNCE * (1.0 - hemisphere);
    float towardsGlow = dot(normal, normalize(vec3(sunDir.x, AFTERGLOW_RISE, sunDir.z)));
    float glowFacing = max(0.5 + 0.5 * towardsGlow, translucency * (0.5 - 0.5 * towardsGlow));
    vec3 afterglow = sunColor * AFTERGLOW * (1.0 - sunUp) * smoothstep(-0.35, -0.02, sunHeight)
                   * glowFacing * glowFacing;
    return direct + sky + bounce + afterglow;
}

// Below the water line what the water absorbs (transmit is what it lets through) is replaced
// by the colour the water itself scatters from the light falling on the sea.
vec3 underwater(vec3 color, vec3 transmit, vec3 waterLight) {
    return color * transmit + WATER_SCATTER * waterLight * (1.0 - transmit);
}

// Light reaching the eye to display values, with the same soft shoulder as the sky's colour.
// By night the eye sees little colour: hues fade towards a blue-grey of equal brightness
// as the sun sinks below the horizon (the Purkinje shift).
vec3 toDisplay(vec3 radiance, float sunHeight) {
    float luminance = dot(radiance, vec3(0.2126, 0.7152, 0.0722));
    float night = smoothstep(0.0, -0.3, sunHeight);
    radiance = mix(radiance, luminance * SCOTOPIC_TINT, NIGHT_DESATURATION * night);
    return 1.0 - exp(-radiance * EXPOSURE);
}

// ---- end of sunlight, sky light and water colour ----
=======
#include "common/lighting.glsl"
>>>>>>> main

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
