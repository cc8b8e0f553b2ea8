// What the vertex stage of a lit surface hands its fragment stage; the including stage defines
// LIT_VARYING as out (the vertex stage) or in (the fragment stage).
LIT_VARYING vec3 worldPos;
LIT_VARYING vec3 vertexColor;    // the material's colour
LIT_VARYING vec3 worldNormal;
LIT_VARYING vec2 texCoord;       // where the surface's colour is in its texture or colour map
LIT_VARYING vec3 fogColor;       // colour of the sky at the horizon behind this point
LIT_VARYING vec3 shadowCoord;    // shadow-map position and reference depth
LIT_VARYING vec3 waterTransmit;  // share of the light the water above lets through
LIT_VARYING float fog;           // thickness of the haze between the eye and this point
