// Sunlight, sky light and water colour on a lit surface: the terrain and default fragment shaders.
//
uniform float shadowTexels;                          // side of the shadow map in texels
const vec3 NIGHT_GLOW = vec3(0.427, 0.551, 0.889);   // the night sky's light on a surface facing up,
                                                     // per fourth root of the light's luminance
const float NIGHT_SIDE_LIGHT = 0.12;                 // share of it that reaches a surface facing down
const float AFTERGLOW = 0.35;                        // the glow over the set sun on a surface facing it
const float AFTERGLOW_RISE = 0.4;                    // how high over the horizon the glow lights from
const float SKY_AMBIENT = 0.75;                      // share of the zenith colour that lights from above
const float GROUND_BOUNCE = 0.25;                    // share of the sunlight bounced up by the ground
const vec3 WATER_SCATTER = vec3(0.03, 0.16, 0.20);   // colour that deep water scatters back
const float EXPOSURE = 1.5;                          // light to display: 1 - exp(-light * EXPOSURE), as the sky
const vec3 SCOTOPIC_TINT = vec3(0.80, 0.95, 1.35);   // the blue cast of night vision (about unit luminance)
const float NIGHT_DESATURATION = 0.6;                // how much colour the night takes away
const vec3 LUMINANCE = vec3(0.2126, 0.7152, 0.0722);   // a colour's weights in its brightness

// Fraction of sunlight reaching a point whose shadow-map position and reference depth are
// lookup: four depth comparisons around it, weighted bilinearly (percentage-closer filtering
// over a 2x2 texel footprint, so shadow edges are smooth instead of stair-stepped).
float sunVisibility(vec3 lookup) {
    vec2 texel = lookup.xy * shadowTexels - 0.5;
    vec2 weight = fract(texel);
    vec2 corner = (floor(texel) + 0.5) / shadowTexels;   // centre of the lower-left texel
    vec4 stored = vec4(texture(shadowMap, corner).r,
                       textureOffset(shadowMap, corner, ivec2(1, 0)).r,
                       textureOffset(shadowMap, corner, ivec2(0, 1)).r,
                       textureOffset(shadowMap, corner, ivec2(1, 1)).r);
    // Beyond the map's edge nothing casts a shadow: a texel outside reads the greatest depth.
    vec4 columns = floor(texel.x) + vec4(0.0, 1.0, 0.0, 1.0);
    vec4 rows = floor(texel.y) + vec4(0.0, 0.0, 1.0, 1.0);
    vec4 inside = step(0.0, columns) * step(columns, vec4(shadowTexels - 1.0)) *
                  step(0.0, rows) * step(rows, vec4(shadowTexels - 1.0));
    stored = mix(vec4(1.0), stored, inside);
    vec4 lit = step(vec4(lookup.z), stored);
    return mix(mix(lit.x, lit.y, weight.x), mix(lit.z, lit.w, weight.x), weight.y);
}

// Light arriving at a surface: the sun (faded out as it sinks below the horizon, shadowed),
// the sky from above and sunlight bounced off the ground from below. Once the sun is down the
// sky is all the light there is: the afterglow over the sun's side of the horizon, in the
// light's dusk colour, fading as the sun sinks, and the night sky's glow from everywhere, most
// from overhead, which dims with the light colour (the fourth root of its luminance, so that
// the night keeps its shapes). translucency is the share of light a thin leaf lets through from behind.
vec3 incomingLight(vec3 normal, vec3 sunDir, float sunHeight, float shadow, vec3 sunColor,
                   vec3 skyZenith, float translucency) {
    float sunUp = smoothstep(LAST_SUNLIGHT_HEIGHT, 0.10, sunHeight);
    float night = smoothstep(-0.02, 0.2, -sunHeight);
    float towardsSun = dot(normal, sunDir);
    float sunFacing = max(towardsSun, 0.0) + translucency * max(-towardsSun, 0.0);
    vec3 direct = sunColor * sunUp * sunFacing * shadow;
    float hemisphere = 0.5 + 0.5 * normal.y;
    vec3 sky = skyZenith * SKY_AMBIENT * (0.4 + 0.6 * hemisphere)
             + NIGHT_GLOW * sqrt(sqrt(dot(sunColor, LUMINANCE))) * night * (NIGHT_SIDE_LIGHT + (1.0 - NIGHT_SIDE_LIGHT) * hemisphere * hemisphere);
    vec3 bounce = sunColor * sunUp * max(sunHeight, 0.0) * GROUND_BOUNCE * (1.0 - hemisphere);
    float towardsGlow = dot(normal, normalize(vec3(sunDir.x, AFTERGLOW_RISE, sunDir.z)));
    float glowFacing = max(0.5 + 0.5 * towardsGlow, translucency * (0.5 - 0.5 * towardsGlow));
    vec3 afterglow = sunColor * AFTERGLOW * (1.0 - sunUp) * smoothstep(-0.35, -0.02, sunHeight)
                   * glowFacing * glowFacing;
    return direct + sky + bounce + afterglow;
}

// Below the water line what the water absorbs (transmit is what it lets through) is replaced
// by the colour the water itself scatters from the light falling on the sea.
vec3 underwater(vec3 color, vec3 transmit, vec3 waterLight) {
    return color * transmit + WATER_SCATTER * waterLight * (1.0 - transmit);
}

// Light reaching the eye to display values, with the same soft shoulder as the sky's colour.
// By night the eye sees little colour: hues fade towards a blue-grey of equal brightness
// as the sun sinks below the horizon (the Purkinje shift).
vec3 toDisplay(vec3 radiance, float sunHeight) {
    float luminance = dot(radiance, LUMINANCE);
    float night = smoothstep(0.0, -0.3, sunHeight);
    radiance = mix(radiance, luminance * SCOTOPIC_TINT, NIGHT_DESATURATION * night);
    return 1.0 - exp(-radiance * EXPOSURE);
}

