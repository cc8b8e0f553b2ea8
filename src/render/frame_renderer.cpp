#include "render/frame_renderer.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <limits>

#include "gfx/uniforms.h"
#include "render/film_view.h"
#include "render/lens_flare.h"
#include "render/pass_states.h"
#include "render/shadow_map.h"
#include "render/star_field.h"
#include "render/terrain_levels.h"

FrameRenderer::FrameRenderer(Scene& scene, const Console& console)
    : scene(scene), log(console.out), sunCover(console.err) {}

namespace {

void RefreshCameraMatrix(Camera& camera) {
    camera.updateMatrix(kFieldOfViewDegrees, kNearPlane, kFarPlane);
}

// The lowest height from which the sun's depth map is taken: the corners of its box's near face.
float LowestLightRayStart(const glm::mat4& lightSpaceMatrix) {
    const glm::mat4 toWorld = glm::inverse(lightSpaceMatrix);
    float lowest = std::numeric_limits<float>::max();
    for (const glm::vec2 corner : {glm::vec2(-1.0f, -1.0f), glm::vec2(1.0f, -1.0f),
                                   glm::vec2(-1.0f, 1.0f), glm::vec2(1.0f, 1.0f)}) {
        const glm::vec4 world = toWorld * glm::vec4(corner, -1.0f, 1.0f);
        lowest = std::min(lowest, world.y / world.w);
    }
    return lowest;
}

// How far a level's surface may lie from the whole piece's: in the picture, in its pixels at
// the piece's nearest point; in the sun's map, in its texels.
constexpr float kLitErrorPixels = 0.5f;
constexpr float kShadowErrorTexels = 0.5f;

// A kept map is drawn again after this many frames, or once the sun has turned far enough to
// move the shadow of a caster this tall (the well's roof, the tallest plants) by this share of a
// texel. It is drawn this many texels beyond what the frame reads, so that the views of the
// frames after it, as the camera moves on, still find their shadows in it.
constexpr int kHeldShadowMapFrames = 4;
constexpr float kTallestCaster = 5.0f;
constexpr float kHeldShadowShiftTexels = 0.5f;
constexpr int kHeldShadowMapMargin = 48;

TexelRect HeldRegion(const TexelRect& read, int side) {
    if (read.Empty()) return read;
    const int x0 = std::max(0, read.x - kHeldShadowMapMargin);
    const int y0 = std::max(0, read.y - kHeldShadowMapMargin);
    const int x1 = std::min(side, read.x + read.width + kHeldShadowMapMargin);
    const int y1 = std::min(side, read.y + read.height + kHeldShadowMapMargin);
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

void FrameRenderer::RenderShadowMap(const SunState& sun, Camera* viewer, float renderScale) {
    drawnScale = renderScale;
    ResizeShadowTarget(scene.shadow, ShadowMapSide(renderScale));
    ApplyPassState(pass_states::kFrame);
    if (viewer) RefreshCameraMatrix(*viewer);
    if (MayKeepShadowMap(sun.sunPos, viewer)) return;
    heldShadowMap.valid = false;
    lightSpaceMatrix = LightSpaceMatrix(sun.sunPos);
    if (shortcuts.skipShadowMapWithoutSunlight && !SunlightReachesTheScene(sun.sunHeight)) return;
    const int side = scene.shadow.side;
    glViewport(0, 0, side, side);
    glBindFramebuffer(GL_FRAMEBUFFER, scene.shadow.shadowFBO);
    const bool holding = shortcuts.holdShadowMap && renderScale < 1.0f && viewer;
    const TexelRect read =
        holding ? HeldRegion(ShadowMapRead(viewer), side) : ShadowMapRead(viewer);
    if (holding) heldShadowMap = {true, sun.sunPos, lightSpaceMatrix, read, side, 0};
    ApplyPassState(pass_states::kShadowMap);
    glScissor(read.x, read.y, read.width, read.height);
    glClear(GL_DEPTH_BUFFER_BIT);

    Shader& program = scene.programs.shadow;
    program.Activate();
    SetUniform(program, "lightSpaceMatrix", lightSpaceMatrix);
    const glm::mat4 identity(1.0f);
    // A map kept for the frames to come serves their views too: only its texels limit it.
    const ShadowCasterFilter filter =
        viewer && !holding ? ShadowCasterFilter(lightSpaceMatrix, sun.sunPos, viewer->cameraMatrix)
                           : ShadowCasterFilter(lightSpaceMatrix, sun.sunPos);
    const bool cull = shortcuts.cullShadowCasters;
    const Keep mayCast = [&](const Bounds& box) {
        return filter.MayCast(box) && (!cull || MayDrawInto(lightSpaceMatrix, box, read, side));
    };
    // The map is orthographic: its rays run parallel from the near face of the sun's box.
    const bool seenFromAbove =
        LowestLightRayStart(lightSpaceMatrix) > HighestPoint(scene.terrainChunks.bounds);
    const auto shadowBudget = [&](std::vector<int>& chosen) {
        return LevelBudget{
            0.0f, kShadowErrorTexels * 2.0f * kShadowBoxHalfSide / static_cast<float>(side),
            &chosen};
    };
    const struct {
        DrawList list;
        const glm::mat4& model;
        const char* pass;
    } casters[] = {
        {Kept(scene.wellMeshes, scene.wellBounds, mayCast, cull), scene.wellModel, "shadow well"},
        {Terrain(mayCast, sun.sunPos, seenFromAbove, shadowBudget(shadowLevels)),
         scene.terrainModel, "shadow terrain"},
        {Plants(mayCast, sun.sunPos, shadowBudget(shadowPlantLevels)), identity, "shadow plants"}};
    for (const auto& caster : casters) {
        DrawInOrder(caster.list, pass_states::kShadowMap,
                    [&](Mesh& mesh, const std::vector<IndexRange>* ranges) {
                        SetUniform(program, "model", caster.model);
                        ranges ? mesh.DrawShadow(program, *ranges) : mesh.DrawShadow(program);
                    });
        PassEnded(caster.pass);
    }

    FrameTarget::Window().Bind();
    ApplyPassState(pass_states::kFrame);  // the terrain's culled faces end with its pass
}

bool FrameRenderer::MayKeepShadowMap(const glm::vec3& sunPos, Camera* viewer) {
    HeldShadowMap& held = heldShadowMap;
    if (!held.valid || !shortcuts.holdShadowMap || drawnScale >= 1.0f || !viewer ||
        held.side != scene.shadow.side || held.frames + 1 >= kHeldShadowMapFrames) {
        return false;
    }
    // A shadow moves with the sun by about its caster's height times the angle the sun turned.
    const float texel = 2.0f * kShadowBoxHalfSide / static_cast<float>(held.side);
    const float turned =
        std::acos(std::min(1.0f, glm::dot(glm::normalize(sunPos), glm::normalize(held.sunPos))));
    if (turned * kTallestCaster > kHeldShadowShiftTexels * texel) return false;
    lightSpaceMatrix = held.lightSpaceMatrix;
    const TexelRect read = ShadowMapRead(viewer);
    const TexelRect& drawn = held.drawn;
    if (!read.Empty() &&
        (read.x < drawn.x || read.y < drawn.y || read.x + read.width > drawn.x + drawn.width ||
         read.y + read.height > drawn.y + drawn.height)) {
        return false;
    }
    ++held.frames;
    return true;
}

TexelRect FrameRenderer::ShadowMapRead(Camera* viewer) const {
    const int side = scene.shadow.side;
    if (!shortcuts.shadowMapWhereRead || !viewer) return {0, 0, side, side};
    const ViewVolume view(viewer->cameraMatrix);
    std::vector<Bounds> receivers;
    for (const std::vector<Bounds>* boxes : {&scene.terrainChunks.bounds, &scene.wellBounds}) {
        for (const Bounds& box : *boxes) {
            if (view.MayContain(box)) receivers.push_back(box);
        }
    }
    return ShadowMapRegion(lightSpaceMatrix, receivers, side);
}

FrameRenderer::DrawList FrameRenderer::Everything(std::vector<Mesh>& meshes) {
    DrawList list{meshes, {}, false, nullptr, {}, {}};
    for (size_t i = 0; i < meshes.size(); ++i) list.order.push_back(i);
    return list;
}

FrameRenderer::DrawList FrameRenderer::Kept(std::vector<Mesh>& meshes,
                                            const std::vector<Bounds>& bounds, const Keep& keep,
                                            bool cull) {
    DrawList list{meshes, {}, false, nullptr, {}, {}};
    for (size_t i = 0; i < meshes.size(); ++i) {
        if (!cull || keep(bounds[i])) list.order.push_back(i);
    }
    return list;
}

FrameRenderer::DrawList FrameRenderer::Plants(const Keep& keep, const glm::vec3& eye,
                                              const LevelBudget& detail) {
    const std::vector<Bounds>& bounds = scene.plants.bounds;
    std::vector<size_t> kept;
    for (size_t i = 0; i < bounds.size(); ++i) {
        if (!shortcuts.cullPlants || keep(bounds[i])) kept.push_back(i);
    }
    DrawList list{scene.plantMeshes, {}, false, nullptr, {}, {}};
    if (shortcuts.plantsDrawnOnce || scene.plantMeshes.empty()) {
        list.batch = &scene.plants.mesh;
        const bool levels = shortcuts.levelsOfDetail && drawnScale < 1.0f && detail.chosen;
        if (levels) detail.chosen->resize(bounds.size(), 0);
        for (size_t i : kept) {
            if (!levels) {
                list.ranges.push_back(scene.plants.ranges[i]);
                continue;
            }
            const int level = detail.Level(i, scene.plants.levelErrors[i], bounds[i], eye);
            list.ranges.push_back(scene.plants.levelRuns[i][static_cast<size_t>(level)]);
        }
    } else {
        list.order = std::move(kept);
    }
    return list;
}

// The chunks: nearest first so that the depth test rejects most hidden fragments before they
// are shaded; seen only from their front when the terrain is a height field facing up and every
// ray of the pass starts above the ground, where the faces behind lie farther than the front
// ones they are behind. From below the ground, or for a terrain of any other shape, the back
// faces may be what hides the sky, and both sides are drawn.
FrameRenderer::DrawList FrameRenderer::Terrain(const Keep& keep, const glm::vec3& eye,
                                               bool seenFromAbove, const LevelBudget& detail) {
    if (!shortcuts.chunkedTerrain && !scene.terrainMeshes.empty()) {
        return Everything(scene.terrainMeshes);
    }
    TerrainChunks& chunks = scene.terrainChunks;
    DrawList list{chunks.meshes,
                  NearestFirst(chunks.bounds, keep, eye),
                  seenFromAbove && chunks.heightField,
                  nullptr,
                  {},
                  {}};
    if (!detail.chosen || !TerrainLevelsWanted()) return list;
    detail.chosen->resize(chunks.meshes.size(), 0);
    for (size_t i : list.order) {
        const int level = detail.Level(i, chunks.levelErrors[i], chunks.bounds[i], eye);
        list.runs.push_back({chunks.levelRuns[i][static_cast<size_t>(level)]});
    }
    return list;
}

int FrameRenderer::LevelBudget::Level(size_t i, const std::vector<float>& errors, const Bounds& box,
                                      const glm::vec3& eye) const {
    const float distance = glm::length(glm::clamp(eye, box.min, box.max) - eye);
    int& level = (*chosen)[i];
    level = ChooseLevel(errors, flat + perDistance * distance, level);
    return level;
}

bool FrameRenderer::TerrainLevelsWanted() {
    if (!shortcuts.levelsOfDetail || drawnScale >= 1.0f) return false;
    TerrainChunks& chunks = scene.terrainChunks;
    if (!chunks.levelsRead) {
        LoadTerrainLevels(chunks, std::string("resources/") + kTerrainLevelsFile,
                          scene.console.err);
    }
    return !chunks.levelRuns.empty();
}

void FrameRenderer::DrawInOrder(const DrawList& list, const PassState& state,
                                const DrawMesh& draw) {
    ApplyPassState(list.backFacesHidden ? state.BackFacesCulled() : state);
    if (list.batch) draw(*list.batch, &list.ranges);
    for (size_t k = 0; k < list.order.size(); ++k) {
        draw(list.meshes[list.order[k]], list.runs.empty() ? nullptr : &list.runs[k]);
    }
}

void FrameRenderer::RenderScene(Camera& camera, const FrameInputs& frame,
                                const FrameTarget& target) {
    target.Bind();
    pictureHeight = target.height;
    ApplyPassState(pass_states::kFrame);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RefreshCameraMatrix(camera);
    PassEnded("clear");
    if (FadeHidesThePicture(frame.fadeAlpha)) {
        CountStarFrame(frame);
        DrawFade(frame);
        PassEnded("fade");
        if (!target.IsWindow()) FrameTarget::Window().Bind();
        ApplyPassState(pass_states::kFrame);
        return;
    }
    scene.frameSky.Update(frame.sun.sunPos);
    PassEnded("sky light");

    if (shortcuts.skyBehindOpaqueObjects) {
        DrawLitObjects(camera, frame);
        DrawSkyAndStars(camera, frame);
    } else {
        DrawSkyAndStars(camera, frame);
        DrawLitObjects(camera, frame);
    }
    DrawWater(camera, frame);
    PassEnded("water");
    DrawSunOrMoon(camera, frame, target);
    PassEnded("sun, moon, flare");
    DrawFade(frame);
    PassEnded("fade");
    if (!target.IsWindow()) FrameTarget::Window().Bind();
    ApplyPassState(pass_states::kFrame);
}

// Drawn after the opaque objects, the sky and the stars shade only the pixels no object covers:
// the same picture for less shading.
void FrameRenderer::DrawSkyAndStars(Camera& camera, const FrameInputs& frame) {
    const PassState& sky =
        shortcuts.skyBehindOpaqueObjects ? pass_states::kSkyBehindObjects : pass_states::kSkyFirst;
    DrawSky(camera, frame, sky);
    PassEnded("sky");
    DrawStars(camera, frame, pass_states::StarsOver(sky));
    PassEnded("stars");
}

void FrameRenderer::DrawSky(Camera& camera, const FrameInputs& frame, const PassState& state) {
    ApplyPassState(state);
    Shader& program = scene.programs.sky;
    program.Activate();
    SetUniform(program, "sunDirection", frame.sun.sunPos / glm::length(frame.sun.sunPos));
    SetUniform(program, "sunHeight", frame.sun.sunHeight);
    SetUniform(program, "time", frame.time);
    glm::vec3 origin(0.0f);
    scene.skyMesh.Draw(program, camera, origin);
}

void FrameRenderer::DrawStars(Camera& camera, const FrameInputs& frame, const PassState& state) {
    ApplyPassState(state);
    Shader& program = scene.programs.star;
    program.Activate();
    camera.Matrix(program, "camMatrix");
    SetUniform(program, "nightFactor", frame.sun.nightFactor);
    SetUniform(program, "time", frame.time);
    glBindVertexArray(scene.stars.starVAO);
    glDrawArrays(GL_POINTS, 0, scene.stars.starCount);
    glBindVertexArray(0);
    CountStarFrame(frame);
}

void FrameRenderer::CountStarFrame(const FrameInputs& frame) {
    ++frameCount;
    if (StarLineDue(frameCount, frame.sun.nightFactor)) {
        log << "Attempted to render " << scene.stars.starCount
            << " stars with nightFactor=" << frame.sun.nightFactor << std::endl;
    }
}

void FrameRenderer::DrawLitObjects(Camera& camera, const FrameInputs& frame) {
    glActiveTexture(GL_TEXTURE5);
    glBindTexture(GL_TEXTURE_2D, scene.shadow.shadowMap);

    const glm::vec4 lightColor(frame.sun.lightColor, 1.0f);
    for (Shader* program : {&scene.programs.terrain, &scene.programs.well}) {
        program->Activate();
        SetUniform(*program, "lightColor", lightColor);
        SetUniform(*program, "lightSpaceMatrix", lightSpaceMatrix);
        SetUniform(*program, "shadowMap", 5);
        SetUniform(*program, "shadowTexels", static_cast<float>(scene.shadow.side));
    }
    scene.programs.plant.Activate();
    SetUniform(scene.programs.plant, "lightColor", lightColor);
    SetUniform(scene.programs.plant, "shadowTexels", static_cast<float>(scene.shadow.side));
    scene.programs.firefly.Activate();
    SetUniform(scene.programs.firefly, "model", scene.fireflyModel);
    SetUniform(scene.programs.firefly, "glowStrength", 3.5f);

    glm::vec3 lightPos = frame.sun.sunPos;
    // Pixels of the drawn picture that one world unit covers at a distance of one.
    const float pixelsPerUnit = static_cast<float>(pictureHeight) /
                                (2.0f * std::tan(glm::radians(kFieldOfViewDegrees) * 0.5f));
    const auto litBudget = [&](std::vector<int>& chosen) {
        return LevelBudget{kLitErrorPixels / pixelsPerUnit, 0.0f, &chosen};
    };
    const ViewVolume view(camera.cameraMatrix);
    const Keep inView = [&](const Bounds& box) { return view.MayContain(box); };
    const struct {
        DrawList list;
        Shader& program;
        const char* pass;
    } litObjects[] = {{Everything(scene.wellMeshes), scene.programs.well, "lit well"},
                      {Terrain(inView, camera.position,
                               AboveTheTerrain(scene.terrainChunks.bounds, camera.position),
                               litBudget(litLevels)),
                       scene.programs.terrain, "lit terrain"},
                      {Plants(inView, camera.position, litBudget(litPlantLevels)),
                       scene.programs.plant, "lit plants"},
                      {Everything(scene.fireflyMeshes), scene.programs.firefly, "firefly"}};
    for (const auto& object : litObjects) {
        DrawInOrder(object.list, pass_states::kFrame,
                    [&](Mesh& mesh, const std::vector<IndexRange>* ranges) {
                        ranges ? mesh.Draw(object.program, camera, lightPos, *ranges)
                               : mesh.Draw(object.program, camera, lightPos);
                    });
        PassEnded(object.pass);
    }
}

void FrameRenderer::DrawWater(Camera& camera, const FrameInputs& frame) {
    ApplyPassState(pass_states::kWater);
    scene.programs.water.Activate();
    SetUniform(scene.programs.water, "uTime", frame.time);
    glm::vec3 lightPos = frame.sun.sunPos;
    if (!shortcuts.cullSea) {
        scene.waterPlane.Draw(scene.programs.water, camera, lightPos);
        return;
    }
    const ViewVolume view(camera.cameraMatrix);
    std::vector<IndexRange> seen;
    for (size_t i = 0; i < scene.waterPlane.pieces.size(); ++i) {
        if (view.MayContain(scene.seaPieceBounds[i])) seen.push_back(scene.waterPlane.pieces[i]);
    }
    scene.waterPlane.Draw(scene.programs.water, camera, lightPos, seen);
}

void FrameRenderer::DrawSunOrMoon(Camera& camera, const FrameInputs& frame,
                                  const FrameTarget& target) {
    ApplyPassState(pass_states::kSunAndMoon);
    if (frame.drawSun) {
        scene.programs.sun.Activate();
        SetUniform(scene.programs.sun, "sunPosition", frame.sun.sunPos);
        scene.sunMesh.DrawBillboard(scene.programs.sun, camera, frame.sun.sunPos, 25.0f);
        DrawLensFlare(camera, frame, target);
    } else {
        scene.moonMesh.DrawBillboard(scene.programs.moon, camera, frame.sun.moonPos, 3.0f);
    }
}

// The flare shows only when nothing stands in front of the sun.
void FrameRenderer::DrawLensFlare(Camera& camera, const FrameInputs& frame,
                                  const FrameTarget& target) {
    const auto sun = ProjectSun(camera.cameraMatrix, frame.sun.sunPos, target.width, target.height);
    if (!sun) return;
    if (sunCover.Covered(*sun, target.width, target.height)) return;
    const float visibility = FlareVisibility(sun->ndc, frame.sun.sunHeight);
    if (visibility <= 0.0f) return;

    ApplyPassState(pass_states::kLensFlare);
    Shader& program = scene.programs.lensFlare;
    program.Activate();
    SetUniform(program, "model", glm::mat4(1.0f));
    glm::vec3 origin(0.0f);
    for (const FlareElement& element : FlareElements()) {
        SetUniform(program, "flareScreenPos", FlareScreenPosition(sun->ndc, element.offset));
        SetUniform(program, "flareColor", element.color);
        SetUniform(program, "flareIntensity", element.intensity * visibility);
        SetUniform(program, "flareType", element.type);
        SetUniform(program, "model", glm::scale(glm::mat4(1.0f), glm::vec3(element.size)));
        scene.flareQuadMesh.Draw(program, camera, origin);
    }
}

void FrameRenderer::DrawFade(const FrameInputs& frame) {
    if (frame.fadeAlpha <= 0.0f) return;
    ApplyPassState(pass_states::kFade);
    scene.programs.fade.Activate();
    SetUniform(scene.programs.fade, "fadeAlpha", frame.fadeAlpha);
    glBindVertexArray(scene.screenQuad.screenQuadVAO);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}
