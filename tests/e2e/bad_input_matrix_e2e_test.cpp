// Every run-time file a user could break, broken every way we know: missing, empty, cut in half,
// random bytes of the same size, and hostile contents. Each case must end in the film's first
// frame or in a clean stop with status -1, with the line that names what went wrong; none may
// crash or hang. Cases run a few players at a time, each in its own copy of the run-time data.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

#include "e2e/player_process.h"
#include "support/image_formats.h"
#include "support/temp_files.h"
#include "support/wave_file.h"

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
    bool sounds = false;             // the music must be heard once the film plays
    std::vector<std::pair<std::string, Damage>> others = {};  // more files, each its own way
    std::vector<std::string> absent = {};                     // none may appear on either
};

struct Result {
    std::optional<int> status;  // set when the player ended
    bool played = false;
    bool heard = false;  // the sound device received something other than silence
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
Damage Edited(std::function<std::string(std::string)> edit) {
    return [edit](const std::string& original) { return edit(original); };
}
// Not file contents but what to put at the path instead: a FIFO nobody writes to, or a link to
// a device that never ends or to a file of the kernel's whose size reads 0.
const std::string kFifo("\0fifo", 5);
const std::string kZeroDevice("\0/dev/zero", 10);
const std::string kPageMap("\0/proc/self/pagemap", 19);
std::optional<std::string> Fifo(const std::string&) {
    return kFifo;
}
std::optional<std::string> ZeroDevice(const std::string&) {
    return kZeroDevice;
}

// Pipes and devices in the file system are Linux's own.
std::vector<std::pair<const char*, Damage>> SpecialFiles() {
    if (PlayerRunsUnderWine()) return {};
    return {{"fifo", Fifo}, {"device", ZeroDevice}};
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

// A model whose faces use `count` materials, each naming the same large texture.
std::string ManyMaterialsModel(int count) {
    std::string obj = "mtllib well.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int m = 0; m < count; ++m) obj += "usemtl m" + std::to_string(m) + "\nf 1 2 3\n";
    return obj;
}
std::string ManyMaterialsLibrary(int count) {
    std::string mtl;
    for (int m = 0; m < count; ++m)
        mtl += "newmtl m" + std::to_string(m) + "\nKd 1 1 1\nmap_Kd large.png\n";
    return mtl;
}

// Something other than silence in 16-bit samples.
bool Audible(const std::string& samples) {
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
        const int value =
            static_cast<std::int16_t>(static_cast<unsigned char>(samples[i]) | samples[i + 1] << 8);
        if (std::abs(value) > 1000) return true;
    }
    return false;
}

// Far beyond a sound start-up, even under the sanitizers: a case that takes longer has hung.
constexpr std::chrono::seconds kCaseTimeout(90);

void Break(const fs::path& path, const Damage& damage) {
    // The scratch file is a link to the real one: read through it, then replace the link.
    const std::string original = ReadFile(path);
    fs::remove(path);
    const auto broken = damage(original);
    if (!broken) return;
    if (*broken == kFifo) {
        mkfifo(path.c_str(), 0644);
    } else if (*broken == kZeroDevice || *broken == kPageMap) {
        fs::create_symlink(broken->substr(1), path);
    } else {
        std::ofstream(path, std::ios::binary) << *broken;
    }
}

// Runs one case; its player sounds on `card` (one of SoundCards()), or on the default card.
Result RunCase(const Case& c, const std::string& card) {
    const fs::path scratch = MakeScratchRunDirectory();
    for (const std::string& file : c.files) Break(scratch / file, c.damage);
    for (const auto& [file, damage] : c.others) Break(scratch / file, damage);
    Result result;
    const std::optional<std::string> capture = SoundCardCaptureCommand();
    const fs::path heardFile = scratch / "sound_card.raw";
    {
        std::optional<SoundCardRecording> recording;
        if (c.sounds && capture) recording.emplace(*capture, heardFile, card);
        std::vector<std::pair<std::string, std::string>> environment;
        if (c.sounds) environment = WineTracesMciCalls();
        if (!card.empty()) environment.emplace_back("PULSE_SINK", card);
        PlayerProcess player(scratch, {}, environment);
        // The title gains its frame rate once the first frame has been shown.
        const auto deadline = std::chrono::steady_clock::now() + kCaseTimeout;
        while (!result.played && std::chrono::steady_clock::now() < deadline) {
            if ((result.status = player.WaitForExit(std::chrono::seconds(0)))) break;
            result.played = player.WaitForWindow(std::chrono::seconds(1)) &&
                            player.Title().find(" FPS") != std::string::npos;
            if (!result.played) std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        // The music starts with the first frame; give it a moment to reach the device.
        for (int wait = 0; c.sounds && result.played && wait < 20 && !result.heard; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            result.heard = Audible(capture ? ReadFile(heardFile) : player.AudioOutput());
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
        if (entry.is_regular_file()) files.push_back("shaders/" + entry.path().filename().string());
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

    // Models: each one is fatal, so each breaks alone; hostile variants are spread over them. A
    // missing model has its own test (broken_models_e2e_test.cpp).
    const std::vector<std::pair<std::string, std::string>> hostile[] = {
        {{"zero_index", Triangle("f 0 1 2")}, {"long_line", "# " + std::string(8 << 20, 'x')}},
        {{"huge_face", HugeFace(2'000'000)}, {"far_index", Triangle("f 1 2 99999999")}},
        // The parser reads "nan" as 0, but a number beyond float's range as infinity.
        {{"infinite_position", "v nan 1e39 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"}},
        {{"negative_index", Triangle("f -1 -2 -4")}},
    };
    for (std::size_t m = 0; m < std::size(kModels); ++m) {
        const Model& model = kModels[m];
        const std::string stem = fs::path(model.obj).stem().string();
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

    // Models written by other tools: a byte-order mark, lines ending in carriage returns alone,
    // Windows folder separators in texture paths and a face of thousands of corners. The well
    // keeps all four of its textures.
    const std::string well = kModels[1].obj, wellMtl = kModels[1].mtl;
    std::vector<std::string> wellTextures;
    for (const char* texture : kTextures)
        if (std::string(texture).find("/well/") != std::string::npos)
            wellTextures.push_back(std::string("Loaded texture: ") + texture + " channels: ");
    const auto crOnly = [](std::string text) {
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        std::replace(text.begin(), text.end(), '\n', '\r');
        return text;
    };
    const auto backslashes = [](std::string text) {
        for (std::size_t at = 0; (at = text.find("map_K", at)) != std::string::npos; ++at)
            text.insert(text.find(' ', at) + 1, ".\\");
        return text;
    };
    const auto wideFace = [](std::string text) {
        std::string face = "\nf";
        for (int corner = 1; corner <= 3000; ++corner) face += " " + std::to_string(corner % 4 + 1);
        return text + face + "\n";
    };
    const Damage bom = Edited([](std::string text) { return "\xEF\xBB\xBF" + text; });
    cases.push_back({"well_byte_order_mark", {well, wellMtl}, bom, Outcome::Plays, wellTextures});
    cases.push_back(
        {"well_carriage_returns", {well, wellMtl}, Edited(crOnly), Outcome::Plays, wellTextures});
    std::vector<std::string> throughDot;
    for (const std::string& line : wellTextures)
        throughDot.push_back(std::string(line).replace(line.find("/well/") + 6, 0, "./"));
    cases.push_back(
        {"well_backslashes", {wellMtl}, Edited(backslashes), Outcome::Plays, throughDot});
    cases.push_back({"well_wide_face", {well}, Edited(wideFace), Outcome::Plays, wellTextures});
    cases.push_back({"well_not_a_number",
                     {well},
                     Contents("v nan 0 0\nv 1 inf 0\nv 0 1 0\nf 1 2 3\n"),
                     Outcome::Stops,
                     {"ERR: " + well + ": line 1 has \"n...\" where a finite number belongs",
                      kModels[1].failure}});
    for (const auto& [kind, damage] : SpecialFiles()) {
        cases.push_back({std::string("well_") + kind,
                         {well},
                         damage,
                         Outcome::Stops,
                         {"ERR: " + well + ": is not a regular file", kModels[1].failure}});
        cases.push_back({std::string("materials_") + kind,
                         {wellMtl},
                         damage,
                         Outcome::Plays,
                         {"WARN: Material file [ " + wellMtl + " ] is not a regular file"}});
    }
    // One large texture named by hundreds of materials: each use is decoded and kept, until the
    // budget for all textures is spent.
    cases.push_back({"well_texture_budget",
                     {well},
                     Contents(ManyMaterialsModel(60)),
                     Outcome::Plays,
                     {"Loaded texture: resources/models/well/large.png channels: 3",
                      "Failed to load texture: resources/models/well/large.png (image of "
                      "2048x2048 needs 12 MiB, but the textures loaded so far take"},
                     false,
                     {{wellMtl, Contents(ManyMaterialsLibrary(60))},
                      {"resources/models/well/large.png", Contents(EncodePng(2048, 2048, 3))}}});

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
    std::string jpegClaiming8192 = EncodeJpeg(64, 64, JpegVariant::Progressive).substr(0, 1024);
    jpegClaiming8192.replace(jpegClaiming8192.find("\xFF\xC2") + 5, 4, "\x20\0\x20\0", 4);
    const std::pair<const char*, Damage> textureDamages[] = {
        {"missing", Missing},
        {"empty", Empty},
        {"truncated", Truncated},
        {"random", RandomBytes},
        {"claims_16384", Contents(PngClaiming(16384))},
        {"claims_4096_in_100_bytes", Contents(PngClaiming(4096))},
        {"grey16_pnm", Contents(pnm16)},
        {"jpeg_cut_in_header",
         Contents(EncodeJpeg(64, 64, JpegVariant::Progressive).substr(0, 30))},
        {"jpeg_cut_claiming_8192", Contents(jpegClaiming8192)}};
    for (const auto& [kind, damage] : textureDamages) {
        Case c{std::string("textures_") + kind, textures, damage, Outcome::Plays, {}};
        const bool missing = kind == std::string("missing");
        for (const std::string& texture : textures)
            c.lines.push_back("Failed to load texture: " + texture +
                              (missing ? " (can't fopen)" : " ("));
        if (missing) c.lines.push_back("No such file under the working directory ");
        cases.push_back(c);
    }
    for (const auto& [kind, damage] : SpecialFiles()) {
        Case c{std::string("textures_") + kind, textures, damage, Outcome::Plays, {}};
        for (const std::string& texture : textures)
            c.lines.push_back("Failed to load texture: " + texture + " (is not a regular file");
        cases.push_back(c);
    }
    // Every format the decoder reads is a texture, whatever the file is called, and so is every
    // kind of JPEG file other programs write.
    std::vector<EncodedImage> images = EncodeInEveryFormat(16, 16);
    for (const auto& [kind, variant] : {std::pair{"jpg_grey", JpegVariant::Grey},
                                        std::pair{"jpg_progressive", JpegVariant::Progressive},
                                        std::pair{"jpg_cmyk", JpegVariant::Cmyk}})
        images.push_back({kind, EncodeJpeg(16, 16, variant)});
    for (const EncodedImage& image : images) {
        Case c{"textures_as_" + image.format, textures, Contents(image.bytes), Outcome::Plays, {}};
        for (const std::string& texture : textures)
            c.lines.push_back("Loaded texture: " + texture + " channels: ");
        cases.push_back(c);
    }

    // A missing shader stops start-up at its program; a broken one is reported and skipped. The
    // program that scales a smaller picture up is built only once the picture shrinks: without
    // its files the film plays at full size.
    const auto scalesThePicture = [](const std::string& shader) {
        return shader.rfind("shaders/present.", 0) == 0;
    };
    for (const std::string& shader : ShaderFiles())
        cases.push_back(
            scalesThePicture(shader)
                ? Case{fs::path(shader).filename().string() + "_missing",
                       {shader},
                       Missing,
                       Outcome::Plays,
                       {}}
                : Case{fs::path(shader).filename().string() + "_missing",
                       {shader},
                       Missing,
                       Outcome::Stops,
                       {"Failed to open shader file " + shader + ": No such file or directory",
                        "Searched the working directory ",
                        "; the film runs from the folder that holds shaders/ and resources/\n"}});
    for (const auto& [kind, damage] : SpecialFiles())
        cases.push_back(
            {std::string("shaders_") + kind,
             {"shaders/default.frag"},
             damage,
             Outcome::Stops,
             {"Failed to open shader file shaders/default.frag: is not a regular file"}});
    const std::string nested =
        "#version 330 core\nvoid main() { float x = " + std::string(100000, '(') + "1" +
        std::string(100000, ')') + "; }\n";
    const std::pair<const char*, Damage> shaderDamages[] = {{"empty", Empty},
                                                            {"truncated", Truncated},
                                                            {"random", RandomBytes},
                                                            {"hostile", Contents(nested)}};
    for (const auto& [kind, damage] : shaderDamages) {
        Case c{std::string("shaders_") + kind, ShaderFiles(), damage, Outcome::Plays, {}};
        for (const std::string& shader : ShaderFiles())
            if (!scalesThePicture(shader)) c.lines.push_back(shader);
        cases.push_back(c);
    }

    // Shaders as other editors write them compile as ours do: each file, included ones too,
    // starts with a byte-order mark; an include put aside in a comment stays aside; a file named
    // in many spellings joins once.
    const std::string water = "shaders/water.frag";
    Case editors{"shaders_from_other_editors", ShaderFiles(), bom, Outcome::Plays, {}};
    for (const auto& entry : fs::directory_iterator("shaders/common"))
        editors.files.push_back(entry.path().string());
    editors.others = {{water, Edited([](std::string text) {
                           return text + "/*\n#include \"common/nothere.glsl\"\n*/\n";
                       })},
                      {"shaders/common/sky_colour.glsl", Edited([](std::string text) {
                           for (std::string dots; dots.size() < 200; dots += "/.")
                               text += "\n#include \"common" + dots + "//sky_colour.glsl\"";
                           return text + "\n";
                       })}};
    editors.absent = {"Shader compile error", "Shader link error", "Failed to open shader"};
    cases.push_back(editors);

    // An include that cannot join stops start-up at the file and line that name it, without the
    // hint about the working folder: missing, a file of the kernel's that claims to be empty and
    // never ends (read only to its bound), a chain deeper than any program needs.
    const auto including = [](const std::string& name) {
        return Edited([name](std::string text) {
            return text.insert(text.find('\n') + 1, "#include \"common/" + name + ".glsl\"\n");
        });
    };
    std::vector<std::pair<std::string, Damage>> common = {
        {"shaders/common/pages.glsl", Contents(kPageMap)}};
    for (int link = 0; link < 40; ++link)
        common.push_back({"shaders/common/" + std::to_string(link) + ".glsl",
                          including(std::to_string(link + 1))});
    const std::pair<const char*, std::string> stops[] = {
        {"nothere",
         "nothere.glsl (included on line 2 of " + water + "): No such file or directory"},
        {"pages",
         "pages.glsl (included on line 2 of " + water + "): file is larger than the 1 MiB allowed"},
        {"0",
         "31.glsl: line 1 includes \"common/32.glsl\" 33 levels deep; includes nest at most "
         "32 levels"}};
    for (const auto& [name, reason] : stops) {
        if (PlayerRunsUnderWine() && std::string(name) == "pages") continue;  // Linux's own
        cases.push_back({"shaders_include_" + std::string(name),
                         {water},
                         including(name),
                         Outcome::Stops,
                         {"Failed to open shader file shaders/common/" + reason},
                         false,
                         common,
                         {"Searched the working directory"}});
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
                     Contents(WaveWhere([](WaveSpec& w) { w.channels = 0; })),
                     Outcome::Plays,
                     {device + "not a playable wave file: the header gives 0 channels", kNoMusic}});
    cases.push_back(
        {"music_huge_data",
         {kMusic},
         Contents(WaveWhere([](WaveSpec& w) { w.dataSize = 0xFFFFFF00u; })),
         Outcome::Plays,
         {device + "not a playable wave file: the data chunk claims 4294967040 bytes", kNoMusic}});
    for (const auto& [kind, damage] : SpecialFiles())
        cases.push_back({std::string("music_") + kind,
                         {kMusic},
                         damage,
                         Outcome::Plays,
                         {std::string("AudioManager: ") + kMusic + ": is not a regular file",
                          std::string("Failed to load audio file: ") + kMusic, kNoMusic}});
    cases.push_back(
        {"music_one_hertz",
         {kMusic},
         Contents(WaveWhere([](WaveSpec& w) { w.rate = 1; })),
         Outcome::Plays,
         {device + "not a playable wave file: the header gives a sample rate of 1 Hz", kNoMusic}});
    // A later format chunk the audio library would take in place of the first.
    cases.push_back(
        {"music_second_format",
         {kMusic},
         Contents(WaveWhere([](WaveSpec& w) {
             w.after = std::string("fmt \x10\0\0\0\x01\0\0\0\x44\xAC\0\0\0\0\0\0\0\0\x10\0", 24);
         })),
         Outcome::Plays,
         {device + "not a playable wave file: the file has a second format chunk", kNoMusic}});

    // Every wave the device plays is heard: floats, extensible headers, sizes left open by
    // streaming recorders, odd-sized chunks with their padding, and rates far from 44.1 kHz.
    // MCI opens a file of integer samples it reads as they are by its own path, any other
    // through the program's I/O procedure, which serves it as such a file.
    const struct {
        const char* kind;
        std::string bytes;
        bool plain;
    } music[] = {
        {"float32", WaveWhere([](WaveSpec& w) { w.tag = 3, w.bits = 32; }), false},
        {"float64", WaveWhere([](WaveSpec& w) { w.tag = 3, w.bits = 64; }), false},
        {"extensible_float",
         WaveWhere([](WaveSpec& w) { w.tag = 3, w.bits = 32, w.extensible = true; }), false},
        {"open_size", WaveWhere([](WaveSpec& w) { w.dataSize = 0xFFFFFFFFu; }), false},
        {"zero_size", WaveWhere([](WaveSpec& w) { w.dataSize = 0; }), false},
        {"odd_chunk",
         WaveWhere([](WaveSpec& w) { w.before = std::string("LIST\x03\0\0\0abc\0", 12); }), false},
        {"192khz_24bit", WaveWhere([](WaveSpec& w) { w.rate = 192000, w.bits = 24; }), false},
        {"7khz_mono", WaveWhere([](WaveSpec& w) { w.rate = 7000, w.channels = 1; }), true},
        {"extensible_pcm_with_list", WaveWhere([](WaveSpec& w) {
             w.extensible = true, w.before = std::string("LIST\4\0\0\0INFO", 12);
         }),
         true},
    };
    for (const auto& m : music) {
        Case c{std::string("music_") + m.kind,
               {kMusic},
               Contents(m.bytes),
               Outcome::Plays,
               {std::string("Music loaded successfully: ") + kMusic},
               true};
        if (PlayerRunsUnderWine()) c.lines.push_back(MciOpenOf(m.plain ? kMusic : "1.LVW+"));
        cases.push_back(c);
    }
    return cases;
}

}  // namespace

TEST(BadInputMatrix, EveryBrokenFileEndsInTheFilmOrACleanStopWithItsLine) {
    // The players write what they play to a file of their own, where the tests can hear it.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    const std::vector<Case> cases = AllCases();
    std::vector<Result> results(cases.size());
    // Each player records its music on its own disk device; under Wine, on the sound card of its
    // worker, each heard apart. With only the one card, the music of a case can be told apart only
    // with no other player sounding: those cases run alone, after the rest.
    const std::vector<std::string> cards = SoundCards();
    const auto runAll = [&](const std::vector<std::size_t>& which, std::size_t players) {
        std::atomic<std::size_t> next{0};
        const auto worker = [&](std::size_t w) {
            const std::string card = cards.empty() ? "" : cards[w % cards.size()];
            for (std::size_t n; (n = next++) < which.size();) {
                const std::size_t i = which[n];
                results[i] = RunCase(cases[i], card);
            }
        };
        std::vector<std::thread> workers;
        for (std::size_t w = 0; w < players; ++w) workers.emplace_back(worker, w);
        for (std::thread& w : workers) w.join();
    };
    // Three players at a time keep two cores busy while the others wait on the X server.
    const std::size_t players = 3;
    const bool shareACard = SoundCardCaptureCommand() && cards.size() < players;
    std::vector<std::size_t> together, alone;
    for (std::size_t i = 0; i < cases.size(); ++i)
        (cases[i].sounds && shareACard ? alone : together).push_back(i);
    runAll(together, players);
    runAll(alone, 1);

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
        for (const std::string& line : c.absent) {
            EXPECT_EQ(both.find(line), std::string::npos) << "unexpected line: " << line;
        }
        EXPECT_TRUE(!c.sounds || r.heard) << "the music was not heard";
    }
}
