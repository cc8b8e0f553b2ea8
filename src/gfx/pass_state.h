#pragma once

#include "gfx/gl.h"

// The whole GL state a pass draws with: how depth is tested and written, how colours blend,
// whether back faces are drawn, where points take their size, whether colour is written and
// whether drawing keeps within the rectangle the pass sets with glScissor.
// Applied at the start of a pass, it leaves nothing of the pass before behind. A default one is
// the state between passes: depth tested (less) and written over the whole range, blending off
// (its function set for alpha, as the blended passes mostly use it), both faces drawn, points of
// the fixed size, colour written, no scissor.
struct PassState {
    bool depthTest = true;
    GLenum depthFunction = GL_LESS;
    float depthNear = 0.0f;  // depth values written are mapped into [depthNear, depthFar]
    float depthFar = 1.0f;
    bool depthWrites = true;
    bool blend = false;
    GLenum blendSource = GL_SRC_ALPHA;
    GLenum blendDestination = GL_ONE_MINUS_SRC_ALPHA;
    bool cullBackFaces = false;
    bool shaderPointSize = false;  // points take the size their vertex shader writes
    bool colorWrites = true;
    bool scissorTest = false;

    // Copies with one aspect changed: a pass's state reads as how it differs from another's.
    constexpr PassState WithoutDepthTest() const {
        PassState state = *this;
        state.depthTest = false;
        return state;
    }
    constexpr PassState DepthTested(GLenum function, float nearValue, float farValue) const {
        PassState state = *this;
        state.depthTest = true;
        state.depthFunction = function;
        state.depthNear = nearValue;
        state.depthFar = farValue;
        return state;
    }
    constexpr PassState WithoutDepthWrites() const {
        PassState state = *this;
        state.depthWrites = false;
        return state;
    }
    constexpr PassState Blended(GLenum source, GLenum destination) const {
        PassState state = *this;
        state.blend = true;
        state.blendSource = source;
        state.blendDestination = destination;
        return state;
    }
    constexpr PassState BackFacesCulled() const {
        PassState state = *this;
        state.cullBackFaces = true;
        return state;
    }
    constexpr PassState WithShaderPointSize() const {
        PassState state = *this;
        state.shaderPointSize = true;
        return state;
    }
    constexpr PassState WithoutColorWrites() const {
        PassState state = *this;
        state.colorWrites = false;
        return state;
    }

    constexpr PassState Scissored() const {
        PassState state = *this;
        state.scissorTest = true;
        return state;
    }

    constexpr bool operator==(const PassState& other) const {
        return depthTest == other.depthTest && depthFunction == other.depthFunction &&
               depthNear == other.depthNear && depthFar == other.depthFar &&
               depthWrites == other.depthWrites && blend == other.blend &&
               blendSource == other.blendSource && blendDestination == other.blendDestination &&
               cullBackFaces == other.cullBackFaces && shaderPointSize == other.shaderPointSize &&
               colorWrites == other.colorWrites && scissorTest == other.scissorTest;
    }
    constexpr bool operator!=(const PassState& other) const { return !(*this == other); }
};

// Sets every part of `state`, whatever the GL state was before. Culling, when on, culls the back
// faces of counter-clockwise triangles, as GL does by default.
void ApplyPassState(const PassState& state);
