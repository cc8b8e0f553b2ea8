#version 330 core
// The sky: the shared single-scattering colour seen from the camera. Below the horizon it shows
// the open sea that stretches beyond the sea plane to the horizon, in the same colours as the
// water shader gives the plane's far part, so plane and sky meet without a seam and the horizon
// is a straight line from every height.
in vec3 domePos;

uniform vec3 sunDirection;   // unit vector from the origin to the sun
uniform float sunHeight;     // sine of the sun's elevation
uniform float time;          // seconds; moves the faint night-sky shimmer
uniform vec3 camPos;

out vec4 FragColor;

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

// ---- sea colour: shared word for word by the sky and water fragment shaders ----
// The sea beyond its resolved waves is a flat mirror of the sky over the deep water's own
// colour, with a broad glitter under the sun and the moon where the waves are too small to
// see, hazed with the distance along the water. The sky draws this open sea below the
// horizon, out to where the water meets the horizon colour, and the sea plane turns into it
// before its edges: the horizon is the straight line where the haze closes in, at any height.
const float WATER_F0 = 0.02;               // reflectance of water seen straight down (n = 1.33)
const vec3 WATER_BODY = vec3(0.02, 0.13, 0.17);  // colour the sea scatters back, in full daylight
const float GLINT_POWER = 900.0;           // Blinn-Phong exponent on resolved waves
const float FAR_GLINT_POWER = 70.0;        // on the flat far sea: its unresolved waves' glitter
const float GLINT_STRENGTH = 9.0;          // the sun's glint with the sharpest lobe
const vec3 MOON_GLINT = vec3(0.50, 0.60, 0.80) * 2.0;   // the moon's, likewise
const float SEA_HAZE_DISTANCE = 230.0;     // distance at which the haze is 63 % thick
const float WATER_LEVEL_Y = 0.5;           // world height of the sea surface

float seaFresnel(float cosView) {
    return WATER_F0 + (1.0 - WATER_F0) * pow(1.0 - cosView, 5.0);
}

// Sunlight that reaches the sea; gone once the sun is below the horizon.
vec3 sunOnSea(float sunHeight) {
    return sunTransmittance(sunHeight, 1.0) * smoothstep(-0.04, 0.1, sunHeight);
}

// The water's own colour: the light of the hour, sun and sky, scattered back by the sea.
vec3 seaBody(float sunHeight, vec3 zenith) {
    return WATER_BODY * (sunOnSea(sunHeight) * max(sunHeight, 0.0) + zenith);
}

// Glints of the sun and (below the horizon, opposite it) the moon on a surface of the given
// normal, seen along view (unit, towards the eye); sharpness 1 for resolved waves, 0 for the
// flat far sea, whose broad lobe keeps the same energy as the sharp one.
vec3 seaGlint(vec3 normal, vec3 view, vec3 sunDir, vec3 moonDir, float sunHeight, float sharpness) {
    float power = mix(FAR_GLINT_POWER, GLINT_POWER, sharpness);
    float gain = (power + 2.0) / (GLINT_POWER + 2.0);
    float sunLobe = pow(max(dot(normal, normalize(sunDir + view)), 0.0), power);
    float moonLobe = pow(max(dot(normal, normalize(moonDir + view)), 0.0), power);
    float moonUp = smoothstep(0.0, 0.35, -sunHeight);
    return gain * (GLINT_STRENGTH * sunOnSea(sunHeight) * sunLobe + MOON_GLINT * moonUp * moonLobe);
}

float seaHaze(float distance) {
    float d = distance / SEA_HAZE_DISTANCE;
    return 1.0 - exp(-d * d);
}

// The open sea seen along dir (unit, pointing below the horizon) from an eye height above the
// water; zenith and horizon are the sky's colours overhead and at the horizon in dir's azimuth.
vec3 distantSea(vec3 dir, float height, vec3 sunDir, vec3 moonDir, float sunHeight, vec3 zenith,
                vec3 horizon) {
    float down = max(-dir.y, 1e-4);
    vec3 mirrored = vec3(dir.x, down, dir.z);
    float fresnel = seaFresnel(down);
    vec3 glint = seaGlint(vec3(0.0, 1.0, 0.0), -dir, sunDir, moonDir, sunHeight, 0.0);
    vec3 surface = mix(seaBody(sunHeight, zenith), skyColor(mirrored, sunDir, sunHeight), fresnel);
    return mix(surface + glint * fresnel, horizon, seaHaze(height / down));
}
// ---- end of sea colour ----

void main() {
    vec3 dir = normalize(domePos - camPos);
    // The sun billboard is 150 units away, so its direction depends on where the camera is.
    vec3 sunDir = normalize(sunDirection * SUN_DISTANCE - camPos);
    vec3 color;
    if (dir.y > 0.0) {
        color = skyColor(dir, sunDir, sunHeight);
        // A slow, faint brightening of the night sky in broad bands (airglow), at most 3 %.
        float night = smoothstep(0.0, -0.3, sunHeight) * smoothstep(0.0, 0.05, dir.y);
        float airglow = 0.5 + 0.5 * sin(dot(dir.xz, vec2(3.1, 2.3)) + 0.05 * time);
        color *= 1.0 + 0.03 * night * airglow;
    } else {
        vec3 moonDir = normalize(-sunDirection * SUN_DISTANCE - camPos);
        vec3 zenith = skyColor(vec3(0.0, 1.0, 0.0), sunDirection, sunHeight);
        vec3 horizon = skyColor(normalize(vec3(dir.x, 1e-4, dir.z)), sunDir, sunHeight);
        color = distantSea(dir, max(camPos.y - WATER_LEVEL_Y, 0.05), sunDir, moonDir, sunHeight,
                           zenith, horizon);
    }
    FragColor = vec4(color, 1.0);
}
