#version 330 core
// The well and the sea-grass plants: the diffuse texture times the material colour when the
// mesh has one, otherwise the vertex colour; lit like the terrain by the sun, the sky and the
// moon, darkened and tinted under water, hazed with distance. Only the well receives a shadow
// map: the plants' light-space matrix stays all zero, which switches the lookup off.
in vec3 worldPos;
in vec3 vertexColor;
in vec3 worldNormal;
in vec2 texCoord;
in vec3 skyZenith;
in vec3 fogColor;

uniform sampler2D diffuse0;
uniform int useTexture;
uniform vec4 lightColor;        // sunlight colour of the day/night cycle
uniform vec3 lightPos;          // the sun, 150 units from the origin
uniform vec3 camPos;
uniform mat4 lightSpaceMatrix;  // world to shadow-map clip space; all zero for the plants
uniform sampler2D shadowMap;    // sun depth, 2048 x 2048, nearest, border 1

out vec4 FragColor;

const float LEAF_TRANSLUCENCY = 0.6;   // share of the light a blade lets through from behind

// ---- sunlight, moonlight, water and fog: shared word for word by the terrain and default shaders ----
const float WATER_LEVEL = 0.5;                       // world height of the sea surface
const float SHADOW_TEXELS = 2048.0;                  // side of the shadow map in texels
const float SHADOW_TEXEL_WORLD = 100.0 / 2048.0;     // world units per shadow texel (100-unit square)
const float SHADOW_DEPTH_PER_UNIT = 1.0 / 199.0;     // stored depth per world unit (near 1, far 200)
const vec3 MOONLIGHT = vec3(0.26, 0.34, 0.52);       // moonlight on a surface facing the moon
const vec3 NIGHT_AMBIENT = vec3(0.080, 0.110, 0.190); // moonlit sky's light from all around
const float SKY_AMBIENT = 0.75;                      // share of the zenith colour that lights from above
const float GROUND_BOUNCE = 0.25;                    // share of the sunlight bounced up by the ground
const vec3 WATER_ABSORPTION = vec3(0.42, 0.11, 0.075); // sea water's absorption per unit, red first
const vec3 WATER_SCATTER = vec3(0.03, 0.16, 0.20);   // colour that deep water scatters back
const float FOG_DISTANCE = 230.0;                    // distance at which the haze is 63 % thick
const float EXPOSURE = 1.5;                          // light to display: 1 - exp(-light * EXPOSURE), as the sky
const vec3 SCOTOPIC_TINT = vec3(0.80, 0.95, 1.35);   // the blue cast of night vision (about unit luminance)
const float NIGHT_DESATURATION = 0.6;                // how much colour the night takes away
const vec2 FOG_EDGE = vec2(90.0, 148.0);             // radii between which the haze closes in: the
                                                     // sea plane's edges are 150 from the origin

// Fraction of sunlight reaching pos: four depth comparisons around the lookup, weighted
// bilinearly (percentage-closer filtering over a 2x2 texel footprint, so shadow edges are
// smooth instead of stair-stepped). Acne is avoided by moving the lookup along the normal (more
// when the light grazes) plus a slope-scaled depth bias, both well under a tenth of a unit so
// that shadows stay attached to their casters.
float sunVisibility(vec3 pos, vec3 normal, vec3 toSun) {
    float cosLight = clamp(dot(normal, toSun), 0.05, 1.0);
    vec3 lookup = pos + normal * SHADOW_TEXEL_WORLD * (0.5 + 1.5 * (1.0 - cosLight));
    vec4 lightClip = lightSpaceMatrix * vec4(lookup, 1.0);
    vec3 mapPos = lightClip.xyz / lightClip.w * 0.5 + 0.5;
    float slope = sqrt(1.0 - cosLight * cosLight) / cosLight;
    // Beyond the map's square the border reads the far depth 1; beyond its far plane the
    // reference is held at 1 as well: both count as lit.
    float reference = min(mapPos.z - SHADOW_DEPTH_PER_UNIT * SHADOW_TEXEL_WORLD * (0.3 + min(slope, 3.0)), 1.0);
    vec2 texel = mapPos.xy * SHADOW_TEXELS - 0.5;
    vec2 weight = fract(texel);
    vec2 corner = (floor(texel) + 0.5) / SHADOW_TEXELS;   // centre of the lower-left texel
    vec4 stored = vec4(texture(shadowMap, corner).r,
                       textureOffset(shadowMap, corner, ivec2(1, 0)).r,
                       textureOffset(shadowMap, corner, ivec2(0, 1)).r,
                       textureOffset(shadowMap, corner, ivec2(1, 1)).r);
    vec4 lit = step(vec4(reference), stored);
    return mix(mix(lit.x, lit.y, weight.x), mix(lit.z, lit.w, weight.x), weight.y);
}

// Light arriving at a surface: the sun (faded out as it sinks below the horizon, shadowed),
// the sky from above, sunlight bounced off the ground from below, and the moon opposite the
// sun at night. translucency is the share of light a thin leaf lets through from behind.
vec3 incomingLight(vec3 normal, vec3 sunDir, float sunHeight, float shadow, vec3 sunColor,
                   vec3 skyZenith, float translucency) {
    float sunUp = smoothstep(-0.04, 0.10, sunHeight);
    float moonUp = smoothstep(-0.02, 0.2, -sunHeight);
    float towardsSun = dot(normal, sunDir);
    float sunFacing = max(towardsSun, 0.0) + translucency * max(-towardsSun, 0.0);
    float moonFacing = max(-towardsSun, 0.0) + translucency * max(towardsSun, 0.0);
    vec3 direct = sunColor * sunUp * sunFacing * shadow;
    vec3 moon = MOONLIGHT * moonUp * moonFacing;
    float hemisphere = 0.5 + 0.5 * normal.y;
    vec3 sky = (skyZenith * SKY_AMBIENT + NIGHT_AMBIENT * moonUp) * (0.4 + 0.6 * hemisphere);
    vec3 bounce = sunColor * sunUp * max(sunHeight, 0.0) * GROUND_BOUNCE * (1.0 - hemisphere);
    return direct + moon + sky + bounce;
}

// Below the water line: light is absorbed on its way down and on the way up to the eye, and
// what is lost is replaced by the colour the water itself scatters.
vec3 underwater(vec3 color, vec3 pos, vec3 eye, vec3 ambientLight) {
    float depth = WATER_LEVEL - pos.y;
    if (depth <= 0.0) return color;
    float heightAbove = max(eye.y - pos.y, 1e-3);
    float viewPath = length(eye - pos) * clamp(depth / heightAbove, 0.0, 1.0);
    vec3 transmit = exp(-WATER_ABSORPTION * (depth + viewPath));
    return color * transmit + WATER_SCATTER * ambientLight * (1.0 - transmit);
}

// Light reaching the eye to display values, with the same soft shoulder as the sky's colour.
// By moonlight the eye sees little colour: hues fade towards a blue-grey of equal brightness
// as the sun sinks below the horizon (the Purkinje shift).
vec3 toDisplay(vec3 radiance, float sunHeight) {
    float luminance = dot(radiance, vec3(0.2126, 0.7152, 0.0722));
    float night = smoothstep(0.0, -0.3, sunHeight);
    radiance = mix(radiance, luminance * SCOTOPIC_TINT, NIGHT_DESATURATION * night);
    return 1.0 - exp(-radiance * EXPOSURE);
}

// Haze thickens with distance and closes in completely on a circle inside the square sea
// plane, so neither the plane's edges nor its corners ever show; seen from high up the circle
// reads as the horizon.
float fogAmount(vec3 pos, vec3 eye) {
    float d = length(pos - eye) / FOG_DISTANCE;
    float edge = smoothstep(FOG_EDGE.x, FOG_EDGE.y, length(pos.xz));
    return max(1.0 - exp(-d * d), edge * edge);
}
// ---- end of sunlight, moonlight, water and fog ----

void main() {
    vec3 albedo = useTexture == 1 ? texture(diffuse0, texCoord).rgb * vertexColor : vertexColor;
    // Leaves are thin: light them from whichever side faces the viewer.
    vec3 normal = normalize(worldNormal);
    if (dot(normal, camPos - worldPos) < 0.0) normal = -normal;
    vec3 sunDir = normalize(lightPos - worldPos);
    float sunHeight = lightPos.y / 150.0;
    // An orthographic light-space matrix always has 1 in its last element; the default is 0.
    bool hasShadowMap = lightSpaceMatrix[3][3] != 0.0;
    float shadow = (hasShadowMap && sunHeight > -0.04 && dot(normal, sunDir) > 0.0)
                   ? sunVisibility(worldPos, normal, sunDir) : 1.0;
    // Sea-grass blades let light through; the well's stone and wood do not.
    float translucency = hasShadowMap ? 0.0 : LEAF_TRANSLUCENCY;
    vec3 light = incomingLight(normal, sunDir, sunHeight, shadow, lightColor.rgb, skyZenith, translucency);
    vec3 color = albedo * light;
    vec3 openLight = incomingLight(vec3(0.0, 1.0, 0.0), sunDir, sunHeight, 1.0, lightColor.rgb, skyZenith, 0.0);
    color = underwater(color, worldPos, camPos, openLight);
    color = mix(toDisplay(color, sunHeight), fogColor, fogAmount(worldPos, camPos));
    FragColor = vec4(color, 1.0);
}
