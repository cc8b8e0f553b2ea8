#version 330 core
// The firefly: a dark body from the diffuse map, lit a little by day, and a glowing abdomen from
// the emissive map times glowStrength. With no bloom in the frame the glow must carry itself:
// it is pushed past white into a warm yellow-green and does not depend on the angle of view,
// so it reads as a lantern rather than a lit ball.
in vec3 vertexColor;
in vec3 worldNormal;
in vec3 toEye;
in vec2 texCoord;

uniform sampler2D diffuse0;    // body colour
uniform sampler2D emissive0;   // glow mask and colour
uniform int useTexture;
uniform float glowStrength;    // 3.5
uniform vec3 lightPos;         // the sun, SUN_DISTANCE from the origin

out vec4 FragColor;

const vec3 GLOW_HUE = vec3(0.95, 1.0, 0.45);   // bioluminescent yellow-green
const float BODY_LIGHT = 0.35;                  // how much daylight the body gets at most

void main() {
    vec3 body = useTexture == 1 ? texture(diffuse0, texCoord).rgb * vertexColor : vertexColor;
    vec3 emission = useTexture == 1 ? texture(emissive0, texCoord).rgb : vec3(0.0);
    vec3 normal = normalize(worldNormal);
    float facing = abs(dot(normal, normalize(toEye)));
    float daylight = smoothstep(-0.1, 0.3, lightPos.y / SUN_DISTANCE);
    float sunSide = 0.5 + 0.5 * dot(normal, normalize(lightPos));
    vec3 lit = body * (0.08 + BODY_LIGHT * daylight * sunSide) * (0.6 + 0.4 * facing);
    vec3 glow = emission * GLOW_HUE * glowStrength;
    FragColor = vec4(min(lit + glow, vec3(1.0)), 1.0);
}
