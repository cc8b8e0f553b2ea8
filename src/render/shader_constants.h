#pragma once

#include <vector>

#include "gfx/shader_source.h"

// The numbers the scene's shaders share with the program, from their one home here, handed to
// every stage of the scene's programs as `#define NAME VALUE` (all floats):
//   SUN_DISTANCE          radius of the sun's and the moon's orbit around the origin
//   WATER_LEVEL           world height of the sea surface
//   SEA_HALF_EXTENT       how far the water plane and the sea floor reach from the origin in x, z
//   STAR_RADIUS           radius of the sphere the stars lie on
//   SHADOW_BOX_HALF_SIDE  half the side of the square the shadow map covers, in world units
//   SHADOW_NEAR, SHADOW_FAR  the depth range of the shadow map along the light
//   LAST_SUNLIGHT_HEIGHT  the sun's height (its y over SUN_DISTANCE) at which its light is gone
//   FIELD_OF_VIEW         the camera's vertical field of view in degrees
//   WINDOW_WIDTH, WINDOW_HEIGHT  the picture's size in pixels
const std::vector<ShaderDefine>& SceneShaderConstants();
