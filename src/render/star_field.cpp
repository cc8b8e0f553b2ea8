#include "render/star_field.h"

#include <cmath>
#include <glm/gtc/constants.hpp>

#include "gfx/vertex.h"

int StarRandom::Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

std::vector<glm::vec3> StarPositions() {
    const double kPi = glm::pi<double>();
    StarRandom random(12345);
    std::vector<glm::vec3> stars;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const float theta = static_cast<float>(
            static_cast<double>(static_cast<float>(random.Next()) / 32767.0f) * kPi);
        const int r2 = random.Next();  // drawn even when the attempt is rejected
        if (static_cast<double>(theta) > kPi / 2.0) continue;
        const float phi = static_cast<float>(
            static_cast<double>((static_cast<float>(r2) / 32767.0f) * 2.0f) * kPi);
        const double ringRadius = std::sin(static_cast<double>(theta)) * kStarRadius;
        stars.emplace_back(static_cast<float>(std::cos(static_cast<double>(phi)) * ringRadius),
                           static_cast<float>(std::cos(static_cast<double>(theta)) * kStarRadius),
                           static_cast<float>(ringRadius * std::sin(static_cast<double>(phi))));
    }
    return stars;
}

StarField CreateStarField() {
    std::vector<Vertex> records;
    for (const glm::vec3& position : StarPositions()) {
        records.push_back(Vertex{position, glm::vec3(0.0f), glm::vec3(0.0f), glm::vec2(0.0f)});
    }
    StarField field;
    field.starCount = static_cast<GLsizei>(records.size());
    glGenVertexArrays(1, &field.starVAO);
    glGenBuffers(1, &field.starVBO);
    glBindVertexArray(field.starVAO);
    glBindBuffer(GL_ARRAY_BUFFER, field.starVBO);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(records.size() * sizeof(Vertex)),
                 records.data(), GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    glEnableVertexAttribArray(0);
    glBindVertexArray(0);
    return field;
}

bool StarLineDue(int starFrames, float nightFactor) {
    return starFrames % 60 == 0 && nightFactor > 0.1f;
}
