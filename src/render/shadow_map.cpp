#include "render/shadow_map.h"

#include <glm/gtc/matrix_transform.hpp>

#include "render/scene_layout.h"

ShadowTarget CreateShadowTarget() {
    ShadowTarget target;
    glGenFramebuffers(1, &target.shadowFBO);
    glGenTextures(1, &target.shadowMap);
    glBindTexture(GL_TEXTURE_2D, target.shadowMap);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, ShadowTarget::kSize, ShadowTarget::kSize, 0,
                 GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    const float border[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);

    glBindFramebuffer(GL_FRAMEBUFFER, target.shadowFBO);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, target.shadowMap, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glDepthMask(GL_TRUE);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return target;
}

glm::mat4 LightSpaceMatrix(const glm::vec3& sunPos) {
    const glm::vec3 lightDir = glm::normalize(glm::vec3(0.0f) - sunPos);
    const glm::vec3 eye = glm::vec3(0.0f) - lightDir * scene_layout::kSunDistance;
    // The sun moves in the xy plane, so +z is never parallel to the view direction.
    const glm::mat4 lightView = glm::lookAt(eye, glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f));
    const glm::mat4 lightProjection = glm::ortho(-50.0f, 50.0f, -50.0f, 50.0f, 1.0f, 200.0f);
    return lightProjection * lightView;
}

bool SunlightReachesTheScene(float sunHeight) {
    constexpr float kMargin = 0.005f;  // the shaders compute the height in their own precision
    return sunHeight > kLastSunlightHeight - kMargin;
}
