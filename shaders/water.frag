#version 330 core
// The sea surface. Waves are a sum of directional sine waves whose slopes give the normal
// (the plane itself stays flat). Schlick's Fresnel term blends a reflection of the shared sky
// colour over the sea floor, which shows through where the view is steep; the sun and the moon
// glint where they stand in the picture. Alpha carries how much of the surface covers what lies
// below. Towards the plane's edges the waves calm and the floor fades out, so the plane turns
// into the open sea that the sky draws beyond it. The day and night come from the sun's height,
// lightPos.y / 150.
in vec3 worldPos;
in vec3 skyZenith;   // sky overhead
in vec3 fogColor;    // sky at the horizon behind this point

uniform vec3 camPos;
uniform vec3 lightPos;      // the sun, 150 units from the origin
uniform float uTime;        // seconds

out vec4 FragColor;

const float SUN_DISTANCE = 150.0;         // radius of the sun's orbit around the origin
const float BODY_OPACITY = 0.18;          // how much the water's own colour covers the floor
const float WAVE_FADE = 18.0;             // distance over which the small waves flatten out;
                                          // the long ones flatten over three times as far
const vec2 SEA_EDGE = vec2(90.0, 148.0);  // radii between which the plane turns into the open
                                          // sea: its edges (and the floor's) are 150 from the origin
const float DEEPEST_FLOOR = 20.0;         // depth of the sea floor near its rim, at most

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

// Slopes (d height / dx, d height / dz) of the wave sum at xz. Each wave: direction,
// wavelength, amplitude; the amplitudes are kept small so slopes stay gentle. The last three
// are the wind's ripples: close to the eye they break the sun's glint into glitter, and they
// fade three times as fast as the fine waves, before a pixel could span one of them.
vec2 waveSlope(vec2 xz, float detail) {
    const vec4 waves[8] = vec4[](
        vec4(0.80, 0.60, 9.0, 0.060),
        vec4(-0.45, 0.89, 5.3, 0.035),
        vec4(0.96, -0.28, 3.1, 0.020),
        vec4(-0.70, -0.71, 1.7, 0.010),
        vec4(0.20, 0.98, 0.9, 0.005),
        vec4(0.31, 0.95, 0.53, 0.0045),
        vec4(-0.88, 0.47, 0.37, 0.0032),
        vec4(0.71, -0.70, 0.23, 0.0020));
    vec2 slope = vec2(0.0);
    for (int i = 0; i < 8; ++i) {
        vec2 d = waves[i].xy;
        float k = 6.2831853 / waves[i].z;             // wave number
        float omega = sqrt(9.81 * k);                   // deep-water dispersion
        float fade = i < 3 ? 1.0 : i < 5 ? detail : detail * detail * detail;
        slope += d * (waves[i].w * k * fade * cos(k * dot(d, xz) - omega * uTime));
    }
    return slope;
}

void main() {
    vec3 toEye = camPos - worldPos;
    float dist = length(toEye);
    vec3 view = toEye / dist;
    float sunHeight = lightPos.y / SUN_DISTANCE;
    // Sun and moon as the viewer sees them: the glints lie right under their billboards.
    vec3 sunDir = normalize(lightPos - camPos);
    vec3 moonDir = normalize(-lightPos - camPos);

    // Where the view, carried on under the surface, would pass below the floor's rim before
    // reaching the deepest floor, nothing lies behind the water: it turns opaque there, as it
    // does towards the plane's edges.
    vec2 across = worldPos.xz - camPos.xz;
    vec2 underFloor = worldPos.xz + across * (DEEPEST_FLOOR / max(camPos.y - worldPos.y, 0.05));
    vec2 reach = abs(underFloor);
    float edge = smoothstep(SEA_EDGE.x, SEA_EDGE.y, length(worldPos.xz));
    float opaque = max(edge, smoothstep(SEA_EDGE.x, SEA_EDGE.y, max(reach.x, reach.y)));
    float resolved = (1.0 - edge) * exp(-dist / (3.0 * WAVE_FADE));
    vec2 slope = waveSlope(worldPos.xz, exp(-dist / WAVE_FADE)) * resolved;
    vec3 normal = normalize(vec3(-slope.x, 1.0, -slope.y));

    float fresnel = seaFresnel(max(dot(normal, view), 0.0));
    vec3 mirrored = reflect(-view, normal);
    mirrored = normalize(vec3(mirrored.x, max(mirrored.y, 1e-4), mirrored.z));
    vec3 reflection = skyColor(mirrored, sunDir, sunHeight);
    vec3 glint = seaGlint(normal, view, sunDir, moonDir, sunHeight, resolved);

    float opacity = mix(BODY_OPACITY, 1.0, opaque);
    float alpha = fresnel + (1.0 - fresnel) * opacity;
    vec3 color = (fresnel * reflection + (1.0 - fresnel) * opacity * seaBody(sunHeight, skyZenith)) / alpha;
    color += glint * fresnel / alpha;
    alpha = min(alpha + dot(glint * fresnel, vec3(0.33)), 1.0);

    float fog = seaHaze(dist);
    FragColor = vec4(mix(color, fogColor, fog), mix(alpha, 1.0, fog));
}
