#pragma once

#include "gfx/pass_state.h"

// The GL state of each pass of a frame, in the order they draw. Every pass applies its own at its
// start (gfx/pass_state.h), so none depends on what the pass before it left.
namespace pass_states {

// What every frame starts and ends with, set once at start-up before the first frame: depth
// tested and written, no blending. The shadow map, the clear and the lit objects draw with it
// (the terrain, seen from above, with its back faces culled: the picture stays the same).
// Points take the size their shader gives them: the stars switch that on and it stays on, for
// every pass after them (no other pass draws points).
constexpr PassState kFrame = PassState().WithShaderPointSize();

// The shadow map is cleared and drawn only within the part the lit pass reads this frame.
constexpr PassState kShadowMap = kFrame.Scissored();

// The sky and the stars never hide anything. Drawn first, without depth, everything after covers
// them; drawn after the opaque objects, pinned to the far plane, the depth test keeps exactly the
// pixels no object covers.
constexpr PassState kSkyFirst = kFrame.WithoutDepthTest().WithoutDepthWrites();
constexpr PassState kSkyBehindObjects =
    kFrame.DepthTested(GL_LEQUAL, 1.0f, 1.0f).WithoutDepthWrites();
// The stars add their light over the sky's, as points of the size their shader gives them.
constexpr PassState StarsOver(const PassState& sky) {
    return sky.Blended(GL_SRC_ALPHA, GL_ONE);
}

// The water is blended over the sea floor and leaves the floor's depth in place.
constexpr PassState kWater =
    kFrame.WithoutDepthWrites().Blended(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
// The sun's and the moon's billboards are blended by their alpha and write depth, which the lens
// flare's test of the sun's cover reads.
constexpr PassState kSunAndMoon = kFrame.Blended(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
// The flare's elements add their light and leave the depth as it is.
constexpr PassState kLensFlare = kFrame.WithoutDepthWrites().Blended(GL_ONE, GL_ONE);
// A point at the sun's centre that passes where nothing nearer hides it, writing nothing (the
// browser's test of the sun's cover).
constexpr PassState kSunCoverProbe =
    kFrame.DepthTested(GL_LEQUAL, 0.0f, 1.0f).WithoutDepthWrites().WithoutColorWrites();
// The fade darkens the finished frame, over everything.
constexpr PassState kFade = kFrame.WithoutDepthTest().Blended(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
// A smaller picture scaled up to the window covers all of it.
constexpr PassState kPresent = kFrame.WithoutDepthTest();

}  // namespace pass_states
