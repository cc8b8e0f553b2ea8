// The sky's colour at the horizon behind a point at `view` from the camera: the haze it fades
// into. The horizon's column is the frame's (common/sky_colour.glsl); only the angle to the sun
// is worked out per vertex. Reads camPos and lightPos.
vec3 horizonColor(vec3 view) {
    vec3 dir = normalize(vec3(view.x, 1e-4, view.z));
    float mu = dot(dir, normalize(lightPos - camPos));
    return skyColorIn(SkyColumn(horizonScattered, horizonNight), mu);
}
