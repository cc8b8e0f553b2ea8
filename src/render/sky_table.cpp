#include "render/sky_table.h"

SkyTable CreateSkyTable() {
    SkyTable table;
    glGenTextures(1, &table.texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, table.texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, SkyTable::kColumns, 2, 0, GL_RGBA, GL_FLOAT,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glGenFramebuffers(1, &table.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, table.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, table.texture, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // Left bound on its own unit, which nothing else uses.
    glActiveTexture(GL_TEXTURE0 + SkyTable::kTextureUnit);
    glBindTexture(GL_TEXTURE_2D, table.texture);
    glActiveTexture(GL_TEXTURE0);
    return table;
}
