#version 330 core
// The well and the sea-grass plants: world-space position, normal, colour and texture
// coordinates for the fragment stage, and per vertex what changes slowly over a triangle: the
// two sky colours that light and fog them, their place in the shadow map (the plants have
// none), how much light the water above lets through, and how thick the haze in front is.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform mat4 camMatrix;
uniform vec3 camPos;
uniform vec3 lightPos;           // the sun, 150 units from the origin
uniform mat4 lightSpaceMatrix;   // world to shadow-map clip space; all zero for the plants

out vec3 worldPos;
out vec3 vertexColor;
out vec3 worldNormal;
out vec2 texCoord;
out vec3 skyZenith;      // colour of the sky overhead: the ambient light
out vec3 fogColor;       // colour of the sky at the horizon behind this point
out vec3 shadowCoord;    // shadow-map position and reference depth
out vec3 waterTransmit;  // share of the light the water above lets through
out float fog;           // thickness of the haze between the eye and this point

const float SUN_DISTANCE = 150.0;   // radius of the sun's orbit around the origin

// ---- sky colour: shared word for word by the sky, terrain, water and default shaders ----
// Single scattering in an atmosphere of constant density: sunlight, dimmed along its slant
// path, is scattered towards the eye by air (Rayleigh, blue) and haze (Mie, forward-peaked) and
// fades in with the optical depth of the view ray. The result is tone-mapped to display values.
const vec3 RAYLEIGH_DEPTH = vec3(0.040, 0.105, 0.270); // zenith optical depth of air at 680, 550, 440 nm
const float MIE_DEPTH = 0.006;                         // zenith optical depth of the haze, grey
const float MIE_G = 0.93;                              // haze anisotropy (Henyey-Greenstein g)
const float MIE_PEAK = 8.0;                            // the most the haze's phase function gives
const vec3 OZONE_DEPTH = vec3(0.020, 0.055, 0.004);    // ozone's Chappuis band: keeps twilight blue
const float SUN_POWER = 2.9;                           // sunlight scale before tone mapping
const vec3 NIGHT_HORIZON = vec3(0.050, 0.075, 0.140);  // moonlit haze and airglow near the horizon
const vec3 NIGHT_ZENITH = vec3(0.008, 0.016, 0.050);   // the night sky overhead

// Sunlight left after its path through the air; sunHeight is the sine of the sun's elevation.
// The air mass 1/(h + 0.08) is held below 12.5 so the setting sun stays orange, not black.
// pathScale shortens the path through the lower air for light scattered high up; the ozone
// lies high and always takes the whole slant path.
vec3 sunTransmittance(float sunHeight, float pathScale) {
    float airMass = 1.0 / (max(sunHeight, 0.0) + 0.08);
    return exp(-((RAYLEIGH_DEPTH + MIE_DEPTH) * pathScale + OZONE_DEPTH) * airMass);
}

// dir: unit view direction (only its upper half is meaningful: below the horizon pass the
// horizontal direction); sunDir: unit direction from the viewer to the sun.
vec3 skyColor(vec3 dir, vec3 sunDir, float sunHeight) {
    float up = max(dir.y, 0.0);
    float viewMass = 1.0 / (up + 0.03);             // air mass along the view, 33 at the horizon
    float mu = dot(dir, sunDir);
    float phaseR = 0.75 * (1.0 + mu * mu);
    float lobe = 1.0 + MIE_G * MIE_G - 2.0 * MIE_G * mu;
    float phaseM = (1.0 - MIE_G * MIE_G) / (lobe * sqrt(lobe));
    // The glare right around the sun is the sun billboard's: the sky's own forward peak is held
    // below MIE_PEAK so the air around a low sun keeps its colour instead of turning white.
    phaseM /= 1.0 + phaseM / MIE_PEAK;
    vec3 depth = RAYLEIGH_DEPTH + MIE_DEPTH;
    vec3 inscatter = (RAYLEIGH_DEPTH * phaseR + MIE_DEPTH * phaseM) / depth
                   * (1.0 - exp(-depth * viewMass));
    // Light scattered high up has crossed less air than light scattered near the ground; the
    // earth's shadow takes the daylight away between 0.06 above and 0.22 below the horizon.
    vec3 sunlight = sunTransmittance(sunHeight, 1.0 - 0.75 * sqrt(up));
    float daylight = smoothstep(-0.22, 0.06, sunHeight);
    daylight *= daylight;
    vec3 night = mix(NIGHT_HORIZON, NIGHT_ZENITH, sqrt(up)) * smoothstep(0.1, -0.2, sunHeight);
    return 1.0 - exp(-(SUN_POWER * daylight * sunlight * inscatter + night));
}
// ---- end of sky colour ----

// ---- shadow lookup, water depth and haze: shared word for word by the terrain and default vertex shaders ----
// All three change smoothly across a triangle, so they are worked out per vertex.
const float WATER_LEVEL = 0.5;                       // world height of the sea surface
const float SHADOW_TEXEL_WORLD = 100.0 / 2048.0;     // world units per shadow texel (100-unit square)
const float SHADOW_DEPTH_PER_UNIT = 1.0 / 199.0;     // stored depth per world unit (near 1, far 200)
const float FACET_OFFSET = 0.5;                      // extra push where the light grazes: the
                                                     // coarse outer terrain facets stray from
                                                     // their smooth normals by this much
const vec3 WATER_ABSORPTION = vec3(0.42, 0.11, 0.075); // sea water's absorption per unit, red first
const float FOG_DISTANCE = 230.0;                    // distance at which the haze is 63 % thick,
                                                     // as over the open sea

// Where pos falls in the shadow map (xy) and the depth it must not lie behind (z). Acne is
// avoided by moving the lookup along the normal (more when the light grazes) plus a
// slope-scaled depth bias, both well under a tenth of a unit so that shadows stay attached to
// their casters. Beyond the map's square the border reads the far depth 1, and beyond its far
// plane the reference is held at 1: both count as lit. Without a shadow map (an all-zero
// matrix, whose last element would otherwise be 1) the reference is -1: always lit.
vec3 shadowLookup(vec3 pos, vec3 normal, vec3 toSun) {
    if (lightSpaceMatrix[3][3] == 0.0) return vec3(0.5, 0.5, -1.0);
    float cosLight = clamp(dot(normal, toSun), 0.05, 1.0);
    float grazing = 1.0 - cosLight;
    vec3 lookup = pos + normal * (SHADOW_TEXEL_WORLD * (0.5 + 1.5 * grazing) + FACET_OFFSET * grazing * grazing);
    vec3 mapPos = (lightSpaceMatrix * vec4(lookup, 1.0)).xyz * 0.5 + 0.5;   // orthographic: w = 1
    float slope = sqrt(1.0 - cosLight * cosLight) / cosLight;
    float bias = SHADOW_DEPTH_PER_UNIT * SHADOW_TEXEL_WORLD * (0.3 + min(slope, 3.0));
    return vec3(mapPos.xy, min(mapPos.z - bias, 1.0));
}

// Share of the light that survives the water below the sea surface: absorbed on its way down
// to pos and on its way up along the view to the eye (1 above the water).
vec3 waterTransmittance(vec3 pos, vec3 eye) {
    float depth = max(WATER_LEVEL - pos.y, 0.0);
    float heightAbove = max(eye.y - pos.y, 1e-3);
    float viewPath = length(eye - pos) * clamp(depth / heightAbove, 0.0, 1.0);
    return exp(-WATER_ABSORPTION * (depth + viewPath));
}

// Haze thickens with distance as it does over the sea. What lies under the water gets its haze
// from the water surface in front of it (which hides it more the hazier it is), not twice.
float fogAmount(vec3 pos, vec3 eye) {
    float d = length(pos - eye) / FOG_DISTANCE;
    return (1.0 - exp(-d * d)) * smoothstep(WATER_LEVEL - 0.25, WATER_LEVEL, pos.y);
}
// ---- end of shadow lookup, water depth and haze ----

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    worldPos = world.xyz;
    vertexColor = aColor;
    worldNormal = mat3(transpose(inverse(model))) * aNormal;
    texCoord = aTex;
    float sunHeight = lightPos.y / SUN_DISTANCE;
    vec3 view = world.xyz - camPos;
    skyZenith = skyColor(vec3(0.0, 1.0, 0.0), normalize(lightPos), sunHeight);
    fogColor = skyColor(normalize(vec3(view.x, 1e-4, view.z)), normalize(lightPos - camPos), sunHeight);
    shadowCoord = shadowLookup(world.xyz, normalize(worldNormal), normalize(lightPos - world.xyz));
    waterTransmit = waterTransmittance(world.xyz, camPos);
    fog = fogAmount(world.xyz, camPos);
    gl_Position = camMatrix * world;
}
