// Shadow lookup, water depth and haze of a lit surface: the terrain and default vertex shaders.
//
// All three change smoothly across a triangle, so they are worked out per vertex.
uniform float shadowTexels;                          // side of the shadow map in texels
const float SHADOW_DEPTH_PER_UNIT = 1.0 / (SHADOW_FAR - SHADOW_NEAR);   // stored depth per world unit
const float FACET_OFFSET = 0.5;                      // extra push where the light grazes: the
                                                     // coarse outer terrain facets stray from
                                                     // their smooth normals by this much
const vec3 WATER_ABSORPTION = vec3(0.42, 0.11, 0.075); // sea water's absorption per unit, red first
const float FOG_DISTANCE = 230.0;                    // distance at which the haze is 63 % thick,
                                                     // as over the open sea

// Where pos falls in the shadow map (xy) and the depth it must not lie behind (z). Acne is
// avoided by moving the lookup along the normal (more when the light grazes) plus a
// slope-scaled depth bias, both well under a tenth of a unit so that shadows stay attached to
// their casters. Beyond the map's square the border reads the far depth 1, and beyond its far
// plane the reference is held at 1: both count as lit. Without a shadow map (an all-zero
// matrix, whose last element would otherwise be 1) the reference is -1: always lit.
vec3 shadowLookup(vec3 pos, vec3 normal, vec3 toSun) {
    if (lightSpaceMatrix[3][3] == 0.0) return vec3(0.5, 0.5, -1.0);
    float texelWorld = 2.0 * SHADOW_BOX_HALF_SIDE / shadowTexels;   // world units per shadow texel
    float cosLight = clamp(dot(normal, toSun), 0.05, 1.0);
    float grazing = 1.0 - cosLight;
    vec3 lookup = pos + normal * (texelWorld * (0.5 + 1.5 * grazing) + FACET_OFFSET * grazing * grazing);
    vec3 mapPos = (lightSpaceMatrix * vec4(lookup, 1.0)).xyz * 0.5 + 0.5;   // orthographic: w = 1
    float slope = sqrt(1.0 - cosLight * cosLight) / cosLight;
    float bias = SHADOW_DEPTH_PER_UNIT * texelWorld * (0.3 + min(slope, 3.0));
    return vec3(mapPos.xy, min(mapPos.z - bias, 1.0));
}

// Share of the light that survives the water below the sea surface: absorbed on its way down
// to pos and on its way up along the view to the eye (1 above the water).
vec3 waterTransmittance(vec3 pos, vec3 eye) {
    float depth = max(WATER_LEVEL - pos.y, 0.0);
    float heightAbove = max(eye.y - pos.y, 1e-3);
    float viewPath = length(eye - pos) * clamp(depth / heightAbove, 0.0, 1.0);
    return exp(-WATER_ABSORPTION * (depth + viewPath));
}

// Haze thickens with distance as it does over the sea. What lies under the water gets its haze
// from the water surface in front of it (which hides it more the hazier it is), not twice.
float fogAmount(vec3 pos, vec3 eye) {
    float d = length(pos - eye) / FOG_DISTANCE;
    return (1.0 - exp(-d * d)) * smoothstep(WATER_LEVEL - 0.25, WATER_LEVEL, pos.y);
}
