// The sky's colours that are the same all over a frame, worked out once a frame
// (shaders/sky_light.vert) and read from this block by every program that is lit by the sky.
layout(std140) uniform FrameSky {
    vec3 skyZenith;   // colour of the sky overhead: the ambient light
};
