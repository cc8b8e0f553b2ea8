#include "export/media_reader.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

template <typename T>
std::vector<T> Values(const std::string& bytes) {
    std::vector<T> values(bytes.size() / sizeof(T));
    std::memcpy(values.data(), bytes.data(), values.size() * sizeof(T));
    return values;
}

}  // namespace

std::string CommandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 1 << 16> buffer;
    std::size_t count;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.append(buffer.data(), count);
    }
    pclose(pipe);
    return output;
}

std::vector<StreamFacts> ProbeStreams(const std::string& path) {
    std::istringstream lines(CommandOutput(
        "ffprobe -v error -count_frames -show_entries "
        "stream=codec_type,codec_name,width,height,pix_fmt,r_frame_rate,duration,nb_read_frames,"
        "sample_rate,channels -of default=noprint_wrappers=0 " +
        Quoted(path)));
    std::vector<StreamFacts> streams;
    for (std::string line; std::getline(lines, line);) {
        if (line == "[STREAM]") {
            streams.emplace_back();
        } else if (const auto equals = line.find('=');
                   equals != std::string::npos && !streams.empty()) {
            streams.back()[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return streams;
}

double ProbeDuration(const std::string& path) {
    const std::string text =
        CommandOutput("ffprobe -v error -show_entries format=duration -of csv=p=0 " + Quoted(path));
    try {
        return std::stod(text);
    } catch (const std::exception&) {
        return -1.0;
    }
}

std::vector<std::uint8_t> DecodePictures(const std::string& path) {
    return Values<std::uint8_t>(
        CommandOutput("ffmpeg -v error -i " + Quoted(path) + " -f rawvideo -pix_fmt rgb24 -"));
}

std::vector<float> DecodeSound(const std::string& path, double start, double seconds) {
    std::string range = " -ss " + std::to_string(start);
    if (seconds > 0.0) range += " -t " + std::to_string(seconds);
    return Values<float>(CommandOutput("ffmpeg -v error" + range + " -i " + Quoted(path) +
                                       " -vn -f f32le -ac 2 -ar 44100 -"));
}
