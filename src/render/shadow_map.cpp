#include "render/shadow_map.h"

#include <glm/gtc/matrix_transform.hpp>

#include "gfx/gl_dialect.h"
#include "render/scene_layout.h"

ShadowTarget CreateShadowTarget() {
    ShadowTarget target;
    glGenFramebuffers(1, &target.shadowFBO);
    glGenTextures(1, &target.shadowMap);
    glBindTexture(GL_TEXTURE_2D, target.shadowMap);
    AllocateShadowDepth(ShadowTarget::kSize);

    glBindFramebuffer(GL_FRAMEBUFFER, target.shadowFBO);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, target.shadowMap, 0);
    UseNoColorBuffer();
    glDepthMask(GL_TRUE);
    SetClearDepth(1.0f);
    glClear(GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return target;
}

glm::mat4 LightSpaceMatrix(const glm::vec3& sunPos) {
    const glm::vec3 lightDir = glm::normalize(glm::vec3(0.0f) - sunPos);
    const glm::vec3 eye = glm::vec3(0.0f) - lightDir * scene_layout::kSunDistance;
    // The sun moves in the xy plane, so +z is never parallel to the view direction.
    const glm::mat4 lightView = glm::lookAt(eye, glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f));
    const glm::mat4 lightProjection =
        glm::ortho(-kShadowBoxHalfSide, kShadowBoxHalfSide, -kShadowBoxHalfSide, kShadowBoxHalfSide,
                   kShadowNear, kShadowFar);
    return lightProjection * lightView;
}

bool SunlightReachesTheScene(float sunHeight) {
    constexpr float kMargin = 0.005f;  // the shaders compute the height in their own precision
    return sunHeight > kLastSunlightHeight - kMargin;
}
