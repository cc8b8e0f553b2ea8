#version 330 core
// The sea surface. Waves are a sum of directional sine waves whose slopes give the normal
// (the plane itself stays flat). Schlick's Fresnel term blends a reflection of the shared sky
// colour over the sea floor, which shows through where the view is steep; the sun and the moon
// glint where they stand in the picture. Alpha carries how much of the surface covers what lies
// below. Towards the plane's edges the waves calm and the floor fades out, so the plane turns
// into the open sea that the sky draws beyond it. The day and night come from the sun's height,
// lightPos.y / SUN_DISTANCE.
in vec3 worldPos;
in vec3 fogColor;    // sky at the horizon behind this point

uniform vec3 camPos;
uniform vec3 lightPos;      // the sun, SUN_DISTANCE from the origin
uniform float uTime;        // seconds

out vec4 FragColor;

const float BODY_OPACITY = 0.18;          // how much the water's own colour covers the floor
const float WAVE_FADE = 18.0;             // distance over which the small waves flatten out;
                                          // the long ones flatten over three times as far
const vec2 SEA_EDGE = vec2(90.0, SEA_HALF_EXTENT - 2.0);   // radii between which the plane turns
                                                          // into the open sea, short of its edges
const float DEEPEST_FLOOR = 20.0;         // depth of the sea floor near its rim, at most

#include "common/sky_colour.glsl"

#include "common/sea_colour.glsl"

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
