#pragma once

#include <functional>
#include <glm/glm.hpp>
#include <ostream>

#include "base/console.h"
#include "gfx/camera.h"
#include "gfx/pass_state.h"
#include "render/day_night.h"
#include "render/render_target.h"
#include "render/scene.h"
#include "render/shadow_map.h"
#include "render/sun_cover.h"
#include "render/view_volume.h"

// What a frame's passes need besides the scene and the camera.
struct FrameInputs {
    SunState sun;
    float time = 0.0f;       // the frame's time sample, for animated shaders
    float fadeAlpha = 0.0f;  // black overlay opacity
    bool drawSun = true;     // the sun (with its flare) or the moon
};

// Work the renderer leaves out, or does in another order, because the picture stays the same.
// Each can be switched off to compare a frame against the full path.
struct RenderShortcuts {
    // Once the sun is far enough below the horizon that no sunlight is left, the lit shaders
    // multiply whatever the shadow map says by zero: it is not rendered.
    bool skipShadowMapWithoutSunlight = true;
    // The sky and the stars go after the opaque objects, pinned to the far plane, so they shade
    // only the pixels the objects leave uncovered.
    bool skyBehindOpaqueObjects = true;
    // Plants wholly outside the camera's view (lit pass), or outside the sun's box or unable to
    // shadow anything in view (shadow pass), are not drawn.
    bool cullPlants = true;
    // The terrain is drawn as chunks over shared vertices, left out as the plants are, the
    // others drawn nearest first, with their back faces culled while the eye is above the ground.
    bool chunkedTerrain = true;
    // The plants come from one buffer in one call per pass, without the triangles a plant
    // repeats exactly. Off, each plant is its own mesh as generated (a scene built with its
    // full path keeps those).
    bool plantsDrawnOnce = true;
    // The shadow map is cleared and drawn only where the lit shaders read it this frame: around
    // the terrain's pieces and the well in the camera's view, as the sun sees them.
    bool shadowMapWhereRead = true;

    // The sea is drawn by the pieces of its grid that may be in the camera's view.
    bool cullSea = true;
    // The shadow casters (the well's parts too) whose place in the map lies wholly outside the
    // part of it drawn this frame, or outside the sun's box, are not drawn.
    bool cullShadowCasters = true;
    // A frame the fade covers completely (the film's first frame, the black screen after its
    // end) is black whatever the scene holds: it is cleared and faded, nothing else is drawn,
    // and no shadow map is made for it.
    bool onlyTheFadeWhenFadedOut = true;

    // While the picture is drawn smaller than the window, each terrain piece is drawn at the
    // coarsest of its levels whose error stays within a fraction of a drawn pixel where the piece
    // comes nearest the camera (of a texel, in the sun's map). At full size every piece is drawn
    // whole.
    bool levelsOfDetail = true;
    // While the picture is drawn smaller than the window, the sun's map is drawn again only when
    // the sun has moved far enough to shift a shadow by a fraction of a texel, the view reads it
    // beyond what was drawn, or it has been kept a few frames. At full size it is drawn every
    // frame.
    bool holdShadowMap = true;

    // The full path: every pass drawn as it was before any shortcut.
    static RenderShortcuts None() {
        return {false, false, false, false, false, false, false, false, false, false, false};
    }
};

// Told as each pass of a frame ends, to measure the passes one by one; nothing is drawn for it.
class PassObserver {
  public:
    virtual ~PassObserver() = default;
    virtual void PassEnded(const char* pass) = 0;
};

// Draws the scene's passes in their fixed order, each with its own GL state (render/pass_states.h).
// Both the shadow map and the frame end with the state every frame starts with
// (pass_states::kFrame), the 1920x1080 viewport and the default framebuffer bound; in between,
// the visible passes draw into the frame's target, the window or an offscreen picture.
class FrameRenderer {
  public:
    // The star line goes to the console's `out`.
    FrameRenderer(Scene& scene, const Console& console);

    // The sun's depth map over well, terrain and plants. With the camera that will view the frame
    // (its pose set), casters whose shadow cannot reach its view are left out. The map's size
    // follows the share of the window (`renderScale`) the picture is drawn at.
    void RenderShadowMap(const SunState& sun, Camera* viewer = nullptr, float renderScale = 1.0f);
    // Everything the viewer sees, from the cleared frame to the fade overlay, drawn into `target`
    // at its own size (the lens flare's depth test reads that target too).
    void RenderScene(Camera& camera, const FrameInputs& frame,
                     const FrameTarget& target = FrameTarget::Window());

    void SetPassObserver(PassObserver* observer) { passObserver = observer; }

    // Whether a frame with this fade is drawn as the fade alone (then it needs no shadow map): the
    // picture under a fade this close to opaque adds less than a quarter of a colour level.
    static constexpr float kOpaqueFade = 1.0f - 1.0f / 1024.0f;
    bool FadeHidesThePicture(float fadeAlpha) const {
        return shortcuts.onlyTheFadeWhenFadedOut && fadeAlpha >= kOpaqueFade;
    }

    RenderShortcuts shortcuts;

  private:
    // The meshes of an object that a pass draws, in the order it draws them; or one mesh drawn
    // by runs of its indices.
    struct DrawList {
        std::vector<Mesh>& meshes;
        std::vector<size_t> order;
        bool backFacesHidden;
        Mesh* batch = nullptr;
        std::vector<IndexRange> ranges;
        // When not empty, the run of each mesh in `order` to draw (a level of a terrain piece).
        std::vector<std::vector<IndexRange>> runs;
    };
    // Draws one mesh of a list, all of it (`ranges` null) or the runs given.
    using DrawMesh = std::function<void(Mesh&, const std::vector<IndexRange>* ranges)>;
    DrawList Everything(std::vector<Mesh>& meshes);
    using Keep = std::function<bool(const Bounds&)>;
    // The meshes whose boxes `keep` accepts (all of them when `cull` is off), in their order.
    DrawList Kept(std::vector<Mesh>& meshes, const std::vector<Bounds>& bounds, const Keep& keep,
                  bool cull);
    // What error each level drawn may have, and the levels chosen last time.
    struct LevelBudget {
        float perDistance = 0.0f;  // world units per unit of distance from the eye
        float flat = 0.0f;         // world units at any distance
        std::vector<int>* chosen = nullptr;
        // The level of the object `i` in `box`, seen from `eye`, among its levels' `errors`.
        int Level(size_t i, const std::vector<float>& errors, const Bounds& box,
                  const glm::vec3& eye) const;
    };
    // `detail`: as for the terrain, each plant drawn at the coarsest of its levels allowed.
    DrawList Plants(const Keep& keep, const glm::vec3& eye, const LevelBudget& detail);
    // `seenFromAbove`: every ray of the pass meets the terrain on its upper side first.
    DrawList Terrain(const Keep& keep, const glm::vec3& eye, bool seenFromAbove,
                     const LevelBudget& detail);
    // Whether levels of detail are drawn this frame; reads the level file on first need.
    bool TerrainLevelsWanted();
    // The sun's map from the last frame still serves this one.
    bool MayKeepShadowMap(const glm::vec3& sunPos, Camera* viewer);
    // The shadow map's texels the lit pass will read with `viewer`'s view (all without one).
    TexelRect ShadowMapRead(Camera* viewer) const;
    // Applies `state` (with back faces culled when the list hides them), then draws the list.
    void DrawInOrder(const DrawList& list, const PassState& state, const DrawMesh& draw);
    void PassEnded(const char* pass) {
        if (passObserver) passObserver->PassEnded(pass);
    }
    void DrawSkyAndStars(Camera& camera, const FrameInputs& frame);
    void DrawSky(Camera& camera, const FrameInputs& frame, const PassState& state);
    void DrawStars(Camera& camera, const FrameInputs& frame, const PassState& state);
    // Counts a frame whose stars are drawn (or would be, under the fade) and prints the star line
    // when it is due.
    void CountStarFrame(const FrameInputs& frame);
    void DrawLitObjects(Camera& camera, const FrameInputs& frame);
    void DrawWater(Camera& camera, const FrameInputs& frame);
    void DrawSunOrMoon(Camera& camera, const FrameInputs& frame, const FrameTarget& target);
    void DrawLensFlare(Camera& camera, const FrameInputs& frame, const FrameTarget& target);
    void DrawFade(const FrameInputs& frame);

    Scene& scene;
    std::ostream& log;
    glm::mat4 lightSpaceMatrix{0.0f};
    float drawnScale = 1.0f;
    int pictureHeight = 1080;  // the drawn picture's, in pixels  // the share of the window this
                               // frame's picture is drawn at
    // Each terrain piece's and plant's level in the last frame.
    std::vector<int> litLevels, shadowLevels, litPlantLevels, shadowPlantLevels;
    // The sun's map as last drawn while it may be kept: the sun it was drawn for, the texels
    // drawn, its side and how many frames have used it since.
    struct HeldShadowMap {
        bool valid = false;
        glm::vec3 sunPos{0.0f};
        glm::mat4 lightSpaceMatrix{0.0f};
        TexelRect drawn;
        int side = 0;
        int frames = 0;
    } heldShadowMap;
    int frameCount = 0;  // frames with stars drawn, for the star line
    SunCoverTest sunCover;
    PassObserver* passObserver = nullptr;
};
