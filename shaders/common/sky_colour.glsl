// The sky's colour in a direction: the sky, terrain, water and default shaders.
//
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

// The sky's colours that are the same all over a frame, worked out once a frame on the CPU
// (render/frame_sky.cpp, from the functions below) and read by every program lit by the sky.
layout(std140) uniform FrameSky {
    vec3 skyZenith;          // colour of the sky overhead: the ambient light
    // The sky's column at the horizon (skyColumn below): with the angle to the sun it gives the
    // colour the haze in front of a point fades into.
    vec3 horizonScattered;
    vec3 horizonNight;
};

// Sunlight left after its path through the air; sunHeight is the sine of the sun's elevation.
// The air mass 1/(h + 0.08) is held below 12.5 so the setting sun stays orange, not black.
// pathScale shortens the path through the lower air for light scattered high up; the ozone
// lies high and always takes the whole slant path.
vec3 sunTransmittance(float sunHeight, float pathScale) {
    float airMass = 1.0 / (max(sunHeight, 0.0) + 0.08);
    return exp(-((RAYLEIGH_DEPTH + MIE_DEPTH) * pathScale + OZONE_DEPTH) * airMass);
}

// What the sky's colour in a direction owes to the direction's height alone, for one height of
// the sun: the sunlight the air scatters towards the eye before the phase functions share it
// out, and the night sky's own glow. up: the direction's y, 0 at and below the horizon.
struct SkyColumn {
    vec3 scattered;
    vec3 night;
};

SkyColumn skyColumn(float up, float sunHeight) {
    float viewMass = 1.0 / (up + 0.03);             // air mass along the view, 33 at the horizon
    vec3 depth = RAYLEIGH_DEPTH + MIE_DEPTH;
    // Light scattered high up has crossed less air than light scattered near the ground; the
    // earth's shadow takes the daylight away between 0.06 above and 0.22 below the horizon.
    vec3 sunlight = sunTransmittance(sunHeight, 1.0 - 0.75 * sqrt(up));
    float daylight = smoothstep(-0.22, 0.06, sunHeight);
    daylight *= daylight;
    SkyColumn column;
    column.scattered = SUN_POWER * daylight * sunlight * (1.0 - exp(-depth * viewMass)) / depth;
    column.night = mix(NIGHT_HORIZON, NIGHT_ZENITH, sqrt(up)) * smoothstep(0.1, -0.2, sunHeight);
    return column;
}

// The sky's colour in a column, seen at the cosine mu of the angle to the sun.
vec3 skyColorIn(SkyColumn column, float mu) {
    float phaseR = 0.75 * (1.0 + mu * mu);
    float lobe = 1.0 + MIE_G * MIE_G - 2.0 * MIE_G * mu;
    float phaseM = (1.0 - MIE_G * MIE_G) / (lobe * sqrt(lobe));
    // The glare right around the sun is the sun billboard's: the sky's own forward peak is held
    // below MIE_PEAK so the air around a low sun keeps its colour instead of turning white.
    phaseM /= 1.0 + phaseM / MIE_PEAK;
    return 1.0 - exp(-(column.scattered * (RAYLEIGH_DEPTH * phaseR + MIE_DEPTH * phaseM)
                       + column.night));
}

// dir: unit view direction (only its upper half is meaningful: below the horizon pass the
// horizontal direction); sunDir: unit direction from the viewer to the sun.
vec3 skyColor(vec3 dir, vec3 sunDir, float sunHeight) {
    return skyColorIn(skyColumn(max(dir.y, 0.0), sunHeight), dot(dir, sunDir));
}
