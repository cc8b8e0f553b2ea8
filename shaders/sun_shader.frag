#version 330 core
// The sun billboard: a limb-darkened white-hot disc inside a soft glow, both coloured by the air
// the light crosses (white high up, orange low down; the same air as the sky's scattering
// model), sinking behind the sea horizon. Alpha falls to 0 at the quad's edge.
in vec2 texCoord;
in vec3 worldPos;

uniform vec3 sunPosition;   // the sun's centre, SUN_DISTANCE from the origin
uniform vec4 lightColor;    // white: the sun's own brightness

out vec4 FragColor;

const float DISC_RADIUS = 0.13;     // disc radius as a fraction of the quad's half-width
const float GLOW_FALLOFF = 12.0;    // how quickly the glow dies off towards the edge
const float GLOW_OPACITY = 0.65;    // the glow's strength over the sky at the disc's rim
const vec3 AIR_DEPTH = vec3(0.054, 0.119, 0.284);   // zenith optical depth of air and haze
const vec3 OZONE_DEPTH = vec3(0.020, 0.055, 0.004); // and of the ozone

void main() {
    float r = length(texCoord - 0.5) * 2.0;        // 0 at the centre, 1 at the quad's edge
    float airMass = 1.0 / (max(sunPosition.y / SUN_DISTANCE, 0.0) + 0.08);
    vec3 tint = exp(-(AIR_DEPTH + OZONE_DEPTH) * airMass);
    tint /= max(max(tint.r, tint.g), tint.b);       // hue only: the sun stays bright

    float inDisc = 1.0 - smoothstep(DISC_RADIUS * 0.85, DISC_RADIUS, r);
    float limb = sqrt(max(1.0 - (r / DISC_RADIUS) * (r / DISC_RADIUS), 0.0));
    vec3 disc = mix(tint, vec3(1.0), 0.5 + 0.5 * limb);
    float glow = GLOW_OPACITY * exp(-GLOW_FALLOFF * (r - DISC_RADIUS)) * (1.0 - smoothstep(0.5, 1.0, r));
    vec3 color = mix(tint, disc, inDisc) * lightColor.rgb;
    float alpha = max(inDisc, min(glow, 1.0));
    alpha *= smoothstep(WATER_LEVEL - 1.0, WATER_LEVEL + 1.0, worldPos.y);
    FragColor = vec4(color, alpha);
}
