// The open sea's colour: the sky and water fragment shaders.
//
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
