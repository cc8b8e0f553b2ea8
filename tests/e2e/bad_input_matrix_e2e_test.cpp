// Every run-time file a user could break, broken every way we know: missing, empty, cut in half,
// random bytes of the same size, and hostile contents. Each case must end in the film's first
// frame or in a clean stop with status -1, with the line that names what went wrong; none may
// crash or hang. Cases run a few players at a time, each in its own copy of the run-time data.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

#include "e2e/player_process.h"
#include "support/temp_files.h"

namespace fs = std::filesystem;

namespace {

enum class Outcome {
    Plays,         // the first frame is shown
    Stops,         // start-up ends with status -1
    PlaysOrStops,  // either, as long as it is one of the two
};

// How one file is broken, given its original bytes; nullopt removes it.
using Damage = std::function<std::optional<std::string>(const std::string& original)>;

struct Case {
    std::string name;
    std::vector<std::string> files;  // relative to the run directory, all broken the same way
    Damage damage;
    Outcome outcome;
    std::vector<std::string> lines;  // each must appear on standard output or standard error
};

struct Result {
    std::optional<int> status;  // set when the player ended
    bool played = false;
    std::string out, err;
};

std::optional<std::string> Missing(const std::string&) {
    return std::nullopt;
}
std::optional<std::string> Empty(const std::string&) {
    return std::string();
}
std::optional<std::string> Truncated(const std::string& original) {
    return original.substr(0, original.size() / 2);
}
std::optional<std::string> RandomBytes(const std::string& original) {
    std::mt19937 random(static_cast<std::uint32_t>(original.size()));
    std::string bytes(original.size(), '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}
Damage Contents(std::string bytes) {
    return [bytes](const std::string&) { return bytes; };
}

// A valid triangle after `prefix`, so that only the prefix can make the import fail.
std::string Triangle(const std::string& face) {
    return "v 0 0 0\nv 1 0 0\nv 0 1 0\n" + face + "\n";
}
std::string HugeFace(std::size_t corners) {
    std::string face = "v 0 0 0\nf";
    face.reserve(corners * 2 + 16);
    for (std::size_t i = 0; i < corners; ++i) face += " 1";
    return face + "\n";
}

// A PNG signature and IHDR chunk claiming `side`², then a few bytes of nothing.
std::string PngClaiming(std::uint32_t side) {
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (int i = 0; i < 2; ++i)
        for (int shift = 24; shift >= 0; shift -= 8) png += static_cast<char>(side >> shift);
    png += std::string("\x08\x06\0\0\0", 5) + std::string(64, '\0');
    return png;
}

std::string WaveWith(std::uint16_t channels, std::uint32_t dataSize) {
    std::string wav = "RIFF";
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) wav += static_cast<char>(value >> (8 * i));
    };
    put(36 + 400, 4);
    wav += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(channels, 2);
    put(44100, 4);
    put(44100 * 4, 4);
    put(4, 2);
    put(16, 2);
    wav += "data";
    put(dataSize, 4);
    return wav + std::string(400, '\0');
}

// Far beyond a sound start-up, even under the sanitizers: a case that takes longer has hung.
constexpr std::chrono::seconds kCaseTimeout(90);

Result RunCase(const Case& c) {
    const fs::path scratch = MakeScratchRunDirectory();
    for (const std::string& file : c.files) {
        const fs::path path = scratch / file;
        // The scratch file is a link to the real one: read through it, then replace the link.
        const std::string original = ReadFile(path);
        fs::remove(path);
        if (const auto broken = c.damage(original))
            std::ofstream(path, std::ios::binary) << *broken;
    }
    Result result;
    {
        PlayerProcess player(scratch);
        // The title gains its frame rate once the first frame has been shown.
        const auto deadline = std::chrono::steady_clock::now() + kCaseTimeout;
        while (!result.played && std::chrono::steady_clock::now() < deadline) {
            if ((result.status = player.WaitForExit(std::chrono::seconds(0)))) break;
            result.played = player.WaitForWindow(std::chrono::seconds(1)) &&
                            player.Title().find(" FPS") != std::string::npos;
            if (!result.played) std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        result.out = player.StandardOutput();
        result.err = player.StandardError();
    }  // a player still running is ended here
    fs::remove_all(scratch);
    return result;
}

std::vector<std::string> ShaderFiles() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator("shaders"))
        files.push_back("shaders/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

struct Model {
    const char* obj;
    const char* mtl;
    const char* failure;
};
const Model kModels[] = {
    {"resources/models/statue/12338_Statue_v1_L3.obj",
     "resources/models/statue/12338_Statue_v1_L3.mtl", "Failed to create STATUE model"},
    {"resources/models/well/well.obj", "resources/models/well/well.mtl",
     "Failed to create WELL model"},
    {"resources/models/islands/islands.obj", "resources/models/islands/islands.mtl",
     "Failed to create TERRAIN model"},
    {"resources/models/firefly/Firefly_Flit.obj", "resources/models/firefly/Firefly_Flit.mtl",
     "Failed to create FIREFLY model"},
};
const char* const kTextures[] = {
    "resources/brick.png",
    "resources/moon_texture.png",
    "resources/models/well/well_stone.png",
    "resources/models/well/well_wood.png",
    "resources/models/well/well_roof.png",
    "resources/models/well/well_water.png",
    "resources/models/firefly/firefly_diffuse.png",
    "resources/models/firefly/firefly_glow.png",
};
const char* const kMusic = "resources/audio/cin.wav";
const char* const kNoMusic = "Warning: Failed to load background music";

std::vector<Case> AllCases() {
    std::vector<Case> cases;

    // Models: each one is fatal, so each breaks alone; hostile variants are spread over them.
    const std::vector<std::pair<std::string, std::string>> hostile[] = {
        {{"zero_index", Triangle("f 0 1 2")}, {"long_line", "# " + std::string(8 << 20, 'x')}},
        {{"huge_face", HugeFace(2'000'000)}, {"far_index", Triangle("f 1 2 99999999")}},
        // The parser reads "nan" as 0, but a number beyond float's range as infinity.
        {{"infinite_position", "v nan 1e39 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"}},
        {{"negative_index", Triangle("f -1 -2 -4")}, {"huge_face", HugeFace(2'000'000)}},
    };
    for (std::size_t m = 0; m < std::size(kModels); ++m) {
        const Model& model = kModels[m];
        const std::string stem = fs::path(model.obj).stem().string();
        cases.push_back({stem + "_missing",
                         {model.obj},
                         Missing,
                         Outcome::Stops,
                         {std::string("ERR: Cannot open file [") + model.obj, model.failure}});
        cases.push_back(
            {stem + "_empty",
             {model.obj},
             Empty,
             Outcome::Stops,
             {std::string("ERR: ") + model.obj + ": the file has no faces", model.failure}});
        cases.push_back({stem + "_truncated", {model.obj}, Truncated, Outcome::PlaysOrStops, {}});
        cases.push_back(
            {stem + "_random", {model.obj}, RandomBytes, Outcome::Stops, {"ERR: ", model.failure}});
        for (const auto& [kind, bytes] : hostile[m]) {
            // The parser refuses a zero index itself, in its own words, without the file name.
            const std::string reason = kind == "zero_index"
                                           ? std::string("ERR: Failed parse `f'")
                                           : std::string("ERR: ") + model.obj + ": ";
            cases.push_back({stem + "_" + kind,
                             {model.obj},
                             Contents(bytes),
                             Outcome::Stops,
                             {reason, model.failure}});
        }
    }

    // Material libraries, textures and shaders that compile badly never stop the film: every
    // file of a kind is broken at once, and each must be named.
    std::vector<std::string> mtls, textures(std::begin(kTextures), std::end(kTextures));
    for (const Model& model : kModels) mtls.push_back(model.mtl);
    const std::string hostileMtl =
        "newmtl a\nKd nan -1e39 0\nmap_Kd " + std::string(1 << 20, 'n') + "\nmap_Ke /\nnewmtl\n";
    const std::pair<const char*, Damage> mtlDamages[] = {{"missing", Missing},
                                                         {"empty", Empty},
                                                         {"truncated", Truncated},
                                                         {"random", RandomBytes},
                                                         {"hostile", Contents(hostileMtl)}};
    for (const auto& [kind, damage] : mtlDamages)
        cases.push_back({std::string("materials_") + kind, mtls, damage, Outcome::Plays, {}});

    std::string pnm16 = "P5\n4096 4096\n65535\n";
    pnm16 += std::string(1 << 16, '\x7f');
    const std::pair<const char*, Damage> textureDamages[] = {
        {"missing", Missing},
        {"empty", Empty},
        {"truncated", Truncated},
        {"random", RandomBytes},
        {"claims_16384", Contents(PngClaiming(16384))},
        {"claims_4096_in_100_bytes", Contents(PngClaiming(4096))},
        {"grey16_pnm", Contents(pnm16)}};
    for (const auto& [kind, damage] : textureDamages) {
        Case c{std::string("textures_") + kind, textures, damage, Outcome::Plays, {}};
        for (const std::string& texture : textures)
            c.lines.push_back("Failed to load texture: " + texture + " (");
        cases.push_back(c);
    }

    // A missing shader stops start-up at its program; a broken one is reported and skipped.
    for (const std::string& shader : ShaderFiles())
        cases.push_back({fs::path(shader).filename().string() + "_missing",
                         {shader},
                         Missing,
                         Outcome::Stops,
                         {"Failed to open shader file " + shader + ": No such file or directory",
                          "Searched the working directory "}});
    const std::string nested =
        "#version 330 core\nvoid main() { float x = " + std::string(100000, '(') + "1" +
        std::string(100000, ')') + "; }\n";
    const std::pair<const char*, Damage> shaderDamages[] = {{"empty", Empty},
                                                            {"truncated", Truncated},
                                                            {"random", RandomBytes},
                                                            {"hostile", Contents(nested)}};
    for (const auto& [kind, damage] : shaderDamages) {
        Case c{std::string("shaders_") + kind, ShaderFiles(), damage, Outcome::Plays, {}};
        for (const std::string& shader : ShaderFiles()) c.lines.push_back(shader);
        cases.push_back(c);
    }

    // Music: the film plays silently with the loader's line.
    const std::string device = "AudioManager: Failed to open MCI device: ";
    cases.push_back({"music_missing",
                     {kMusic},
                     Missing,
                     Outcome::Plays,
                     {std::string("Failed to load audio file: ") + kMusic, kNoMusic}});
    cases.push_back({"music_empty",
                     {kMusic},
                     Empty,
                     Outcome::Plays,
                     {device + "not a playable wave file: not a RIFF/WAVE file", kNoMusic}});
    cases.push_back({"music_truncated",
                     {kMusic},
                     Truncated,
                     Outcome::Plays,
                     {device + "not a playable wave file: the data chunk claims", kNoMusic}});
    cases.push_back({"music_random",
                     {kMusic},
                     RandomBytes,
                     Outcome::Plays,
                     {device + "not a playable wave file: not a RIFF/WAVE file", kNoMusic}});
    cases.push_back({"music_zero_channels",
                     {kMusic},
                     Contents(WaveWith(0, 400)),
                     Outcome::Plays,
                     {device + "not a playable wave file: the header gives 0 channels", kNoMusic}});
    cases.push_back(
        {"music_huge_data",
         {kMusic},
         Contents(WaveWith(2, 0xFFFFFF00u)),
         Outcome::Plays,
         {device + "not a playable wave file: the data chunk claims 4294967040 bytes", kNoMusic}});
    return cases;
}

}  // namespace

TEST(BadInputMatrix, EveryBrokenFileEndsInTheFilmOrACleanStopWithItsLine) {
    const std::vector<Case> cases = AllCases();
    std::vector<Result> results(cases.size());
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i; (i = next++) < cases.size();) {
            // A loaded X server now and then refuses a connection; the case never ran, so it
            // runs again.
            for (int attempt = 0; attempt < 3; ++attempt) {
                results[i] = RunCase(cases[i]);
                if (results[i].err.find("Failed to open display") == std::string::npos) break;
            }
        }
    };
    // Three players at a time keep two cores busy while the others wait on the X server.
    std::vector<std::thread> workers;
    for (int w = 0; w < 3; ++w) workers.emplace_back(worker);
    for (std::thread& w : workers) w.join();

    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const Result& r = results[i];
        SCOPED_TRACE(c.name + (r.played ? " played" : " did not play") + ", status " +
                     (r.status ? std::to_string(*r.status) : "none") + "\n--- stdout (end) ---\n" +
                     r.out.substr(r.out.size() > 2000 ? r.out.size() - 2000 : 0) +
                     "\n--- stderr (start) ---\n" + r.err.substr(0, 2000));
        const bool stopped = r.status == 255;
        EXPECT_TRUE(r.played || stopped) << "neither played nor stopped cleanly; status "
                                         << (r.status ? std::to_string(*r.status) : "none (hang)");
        if (c.outcome != Outcome::PlaysOrStops) {
            EXPECT_EQ(r.played, c.outcome == Outcome::Plays);
        } else if (stopped) {
            EXPECT_NE(r.out.find("Failed to create "), std::string::npos);
        }
        const std::string both = r.out + r.err;
        for (const std::string& line : c.lines) {
            EXPECT_NE(both.find(line), std::string::npos) << "missing line: " << line;
        }
    }
}
