#version 330 core
// The moon billboard: its texture with the texture's own alpha, a little cool in tone, hidden
// below the sea horizon like the sun.
in vec2 texCoord;
in vec3 worldPos;

uniform sampler2D diffuse0;   // the moon's disc, RGBA
uniform vec4 lightColor;      // white: the moon's own brightness

out vec4 FragColor;

const vec3 MOON_TINT = vec3(0.92, 0.96, 1.05);   // moonlight looks slightly blue to the eye

void main() {
    vec4 moon = texture(diffuse0, texCoord);
    float alpha = moon.a * smoothstep(WATER_LEVEL - 0.2, WATER_LEVEL + 0.2, worldPos.y);
    FragColor = vec4(min(moon.rgb * MOON_TINT * lightColor.rgb * 1.1, vec3(1.0)), alpha);
}
