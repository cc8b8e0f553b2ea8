#version 330 core
// Stars: each point gets a size, a colour and a twinkle from a hash of its fixed position, and
// fades near the horizon where it shines through more air.
layout(location = 0) in vec3 aPos;

uniform mat4 camMatrix;
uniform float nightFactor;   // 0 by day, 1 at midnight
uniform float time;          // seconds

out vec3 starColor;


float hash(vec3 p) {
    return fract(sin(dot(p, vec3(12.9898, 78.233, 37.719))) * 43758.5453);
}

void main() {
    float seed = hash(aPos);
    float magnitude = seed * seed;                                  // few bright, many faint
    float twinkle = 0.75 + 0.25 * sin(time * (2.0 + 5.0 * fract(seed * 13.7)) + seed * 40.0);
    float altitude = aPos.y / STAR_RADIUS;
    float visible = smoothstep(0.02, 0.35, nightFactor) * smoothstep(0.0, 0.15, altitude);
    // Hot stars are blue-white, cool ones yellowish.
    vec3 tint = mix(vec3(0.75, 0.85, 1.0), vec3(1.0, 0.88, 0.7), fract(seed * 7.31));
    starColor = tint * visible * twinkle * (0.6 + 0.9 * magnitude);
    gl_PointSize = 2.5 + 3.0 * magnitude;
    gl_Position = camMatrix * vec4(aPos, 1.0);
}
