// Each model the film needs is fatal when missing: the user gets one clear line and status -1,
// and nothing after the failing model is loaded.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/player_process.h"

namespace fs = std::filesystem;

namespace {

struct MissingModel {
    const char* name;
    const char* file;
    const char* message;
    const char* reachedBefore;  // a line printed only by a later start-up step, or null
};

class BrokenModel : public testing::TestWithParam<MissingModel> {};

}  // namespace

TEST_P(BrokenModel, StartupStopsWithItsMessageAndStatusMinusOne) {
    const MissingModel& model = GetParam();
    const fs::path scratch = MakeScratchRunDirectory();
    fs::remove(scratch / model.file);
    PlayerProcess player(scratch);
    const auto status = player.WaitForExit();
    fs::remove_all(scratch);
    ASSERT_TRUE(status.has_value()) << "start-up did not stop";
    EXPECT_EQ(*status, 255) << "the exit status must be -1";
    const std::string out = player.StandardOutput();
    EXPECT_NE(out.find(std::string(model.message) + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find("ERR: Cannot open file [" + std::string(model.file) + "]"),
              std::string::npos)
        << "the reason is shown: " << out;
    if (model.reachedBefore) {
        EXPECT_EQ(out.find(model.reachedBefore), std::string::npos) << out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryModel, BrokenModel,
    testing::Values(MissingModel{"Statue", "resources/models/statue/12338_Statue_v1_L3.obj",
                                 "Failed to create STATUE model", "well_stone.png"},
                    MissingModel{"Well", "resources/models/well/well.obj",
                                 "Failed to create WELL model", "plants on terrain"},
                    MissingModel{"Terrain", "resources/models/islands/islands.obj",
                                 "Failed to create TERRAIN model", "plants on terrain"},
                    MissingModel{"Firefly", "resources/models/firefly/Firefly_Flit.obj",
                                 "Failed to create FIREFLY model", nullptr}),
    [](const testing::TestParamInfo<MissingModel>& info) { return std::string(info.param.name); });
