#include "gfx/sampler_names.h"

#include <gtest/gtest.h>

TEST(SamplerNames, NumbersEachKnownTypeOnItsOwnCounterAndKeepsOtherNames) {
    EXPECT_EQ(SamplerNames({"diffuse", "emissive", "diffuse", "normalMap"}),
              (std::vector<std::string>{"diffuse0", "emissive0", "diffuse1", "normalMap"}));
    EXPECT_EQ(SamplerNames({"specular", "specular", "emissive"}),
              (std::vector<std::string>{"specular0", "specular1", "emissive0"}));
    EXPECT_TRUE(SamplerNames({}).empty());
}
