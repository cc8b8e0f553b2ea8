#version 330 core
// A lens-flare element, added onto the frame (GL_ONE, GL_ONE). flareType chooses the ghost's
// shape: 0 a soft disc, 1 a thin ring with a faint fill, 2 a hexagon (the aperture's blades).
// The rims carry a slight colour fringe, as the lens disperses light.
in vec2 quadCoord;

uniform vec3 flareColor;
uniform float flareIntensity;
uniform int flareType;

out vec4 FragColor;

const float RING_RADIUS = 0.8;    // ring radius as a fraction of the half-width
const float RING_WIDTH = 0.05;
const float HEX_RADIUS = 0.7;     // hexagon apothem
const float EDGE_SOFTNESS = 0.12;
const float GHOST_GAIN = 0.12;    // ghosts are faint reflections inside the lens

// Distance-like measure to a regular hexagon's edge (1 on the edge of the unit hexagon).
float hexagon(vec2 p) {
    p = abs(p);
    return max(p.x * 0.8660254 + p.y * 0.5, p.y);
}

void main() {
    float r = length(quadCoord);
    float shape;
    vec3 fringe = vec3(1.0);
    if (flareType == 0) {
        shape = exp(-6.0 * r * r) * (1.0 - smoothstep(0.85, 1.0, r));
    } else if (flareType == 1) {
        float ring = exp(-pow((r - RING_RADIUS) / RING_WIDTH, 2.0));
        shape = ring + 0.04 * (1.0 - smoothstep(RING_RADIUS - 0.1, RING_RADIUS, r));
        fringe = mix(vec3(0.7, 0.8, 1.2), vec3(1.2, 0.85, 0.7), smoothstep(RING_RADIUS - RING_WIDTH, RING_RADIUS + RING_WIDTH, r));
    } else {
        float h = hexagon(quadCoord) / HEX_RADIUS;
        shape = (1.0 - smoothstep(1.0 - EDGE_SOFTNESS, 1.0, h)) * (0.55 + 0.45 * h * h);
        fringe = mix(vec3(1.0), vec3(1.15, 0.9, 0.8), smoothstep(0.7, 1.0, h));
    }
    FragColor = vec4(flareColor * fringe * shape * flareIntensity * GHOST_GAIN, 1.0);
}
