// The sky's colours that are the same all over a frame, worked out once a frame
// (shaders/sky_light.vert) and read from this block by every program that is lit by the sky.
layout(std140) uniform FrameSky {
    vec3 skyZenith;          // colour of the sky overhead: the ambient light
    // The sky's column at the horizon (common/sky_colour.glsl): with the angle to the sun it
    // gives the colour the haze in front of a point fades into.
    vec3 horizonScattered;
    vec3 horizonNight;
};
