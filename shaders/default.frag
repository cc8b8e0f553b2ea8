#version 330 core
// The well and the sea-grass plants: the diffuse texture times the material colour when the
// mesh has one, otherwise the vertex colour; lit like the terrain by the sun and the sky,
// darkened and tinted under water, hazed with distance. Only the well receives a shadow
// map: the plants' light-space matrix stays all zero, and the vertex stage then sets a
// reference depth that every lookup passes, whatever texture sits on their sampler's unit.
#define LIT_VARYING in
#include "common/lit_varyings.glsl"

uniform sampler2D diffuse0;
uniform int useTexture;
uniform vec4 lightColor;        // sunlight colour of the day/night cycle
uniform vec3 lightPos;          // the sun, SUN_DISTANCE from the origin
uniform vec3 camPos;
uniform sampler2D shadowMap;    // sun depth, shadowTexels square, nearest, border 1

out vec4 FragColor;

const float LEAF_TRANSLUCENCY = 0.6;   // share of the light a blade lets through from behind

#include "common/sky_colour.glsl"

#include "common/lighting.glsl"

void main() {
    vec3 albedo = useTexture == 1 ? texture(diffuse0, texCoord).rgb * vertexColor : vertexColor;
    // Blades are thin: light them from whichever side faces the viewer.
    vec3 normal = normalize(worldNormal);
    if (dot(normal, camPos - worldPos) < 0.0) normal = -normal;
    vec3 sunDir = normalize(lightPos - worldPos);
    float sunHeight = lightPos.y / SUN_DISTANCE;
    // Sea-grass lets light through; the well's stone and wood (textured) do not.
    float translucency = useTexture == 1 ? 0.0 : LEAF_TRANSLUCENCY;
    vec3 light = incomingLight(normal, sunDir, sunHeight, sunVisibility(shadowCoord),
                               lightColor.rgb, skyZenith, translucency);
    vec3 waterLight = incomingLight(vec3(0.0, 1.0, 0.0), sunDir, sunHeight, 1.0, lightColor.rgb, skyZenith, 0.0);
    vec3 color = underwater(albedo * light, waterTransmit, waterLight);
    FragColor = vec4(mix(toDisplay(color, sunHeight), fogColor, fog), 1.0);
}
