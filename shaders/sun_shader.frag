#version 330 core
// The sun billboard: a limb-darkened disc with a soft glow around it, coloured by the air the
// light crosses (white high up, orange low down), that sinks behind the sea horizon. Alpha
// falls to 0 at the quad's edge.
in vec2 texCoord;
in vec3 worldPos;

uniform vec3 sunPosition;   // the sun's centre, 150 units from the origin
uniform vec4 lightColor;    // white: the sun's own brightness

out vec4 FragColor;

const float DISC_RADIUS = 0.09;        // disc radius as a fraction of the quad's half-width
const float GLOW_FALLOFF = 5.0;        // how quickly the glow dies off towards the edge
const float HORIZON_Y = 0.5;           // the sea's level: the far water edge hides the sun below it
const vec3 AIR_DEPTH = vec3(0.075, 0.140, 0.305);  // zenith optical depth of air and haze

void main() {
    float r = length(texCoord - 0.5) * 2.0;        // 0 at the centre, 1 at the quad's edge
    float sunHeight = sunPosition.y / 150.0;
    vec3 tint = exp(-AIR_DEPTH / (max(sunHeight, 0.0) + 0.08));

    float discEdge = smoothstep(DISC_RADIUS, DISC_RADIUS * 0.85, r);
    float limb = sqrt(max(1.0 - (r / DISC_RADIUS) * (r / DISC_RADIUS), 0.0));
    vec3 disc = mix(vec3(1.0, 0.95, 0.85), vec3(1.0), limb) * mix(tint, vec3(1.0), 0.35);
    float glow = exp(-GLOW_FALLOFF * r) * (1.0 - smoothstep(0.6, 1.0, r));
    vec3 color = mix(tint * 1.4, disc, discEdge) * lightColor.rgb;
    float alpha = max(discEdge, 0.6 * glow);
    alpha *= smoothstep(HORIZON_Y - 1.0, HORIZON_Y + 1.0, worldPos.y);
    FragColor = vec4(min(color, vec3(1.0)), alpha);
}
