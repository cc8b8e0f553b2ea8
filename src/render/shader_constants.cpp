#include "render/shader_constants.h"

#include "render/film_view.h"
#include "render/scene_layout.h"
#include "render/shadow_map.h"
#include "render/star_field.h"

const std::vector<ShaderDefine>& SceneShaderConstants() {
    static const std::vector<ShaderDefine> constants = {
        {"SUN_DISTANCE", scene_layout::kSunDistance},
        {"WATER_LEVEL", scene_layout::kWaterLevel},
        {"SEA_HALF_EXTENT", scene_layout::kSeaHalfExtent},
        {"TERRAIN_DETAIL_TILE", scene_layout::kTerrainDetailTile},
        {"STAR_RADIUS", kStarRadius},
        {"SHADOW_BOX_HALF_SIDE", kShadowBoxHalfSide},
        {"SHADOW_NEAR", kShadowNear},
        {"SHADOW_FAR", kShadowFar},
        {"LAST_SUNLIGHT_HEIGHT", kLastSunlightHeight},
        {"FIELD_OF_VIEW", kFieldOfViewDegrees},
        {"WINDOW_WIDTH", static_cast<float>(kWindowWidth)},
        {"WINDOW_HEIGHT", static_cast<float>(kWindowHeight)},
    };
    return constants;
}
