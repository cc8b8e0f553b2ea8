#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/encoded_stream.h"

struct SwsContext;

struct VideoFormat {
    int width;
    int height;
    int fps;
};

struct AudioFormat {
    int sampleRate;
    int channels;
};

// A video file being written: H.264 (libx264, yuv420p) and AAC, in Matroska when the path ends
// in .mkv and in MP4 otherwise. Frames and sound go in at the file's pace; Finish() flushes the
// encoders and closes the file so that it plays. A Matroska file is handed to the system after
// every second of film, so that a process killed outright leaves all but its last second (and
// the encoder's few frames in hand) playable. Throws ExportError with the line to show.
class VideoFileWriter {
  public:
    // Creates the file; an unwritable path fails here, before anything is rendered. The file's
    // format follows `name`'s ending, and messages call the file `name`: the path it will have
    // once it is whole.
    VideoFileWriter(const std::string& path, VideoFormat video, AudioFormat audio,
                    const std::string& name);
    ~VideoFileWriter();
    VideoFileWriter(const VideoFileWriter&) = delete;
    VideoFileWriter& operator=(const VideoFileWriter&) = delete;

    // One picture of the video's size as OpenGL reads it back: RGB rows from the bottom up.
    void WriteFrame(const std::uint8_t* rgb);
    // Interleaved samples in [-1, 1], `channels` per sample frame, in order after those before.
    void WriteSound(const float* samples, std::int64_t sampleFrames);
    void Finish();

    int Width() const { return video.width; }
    int Height() const { return video.height; }
    std::int64_t FramesWritten() const { return framesWritten; }

  private:
    void WriteHeader(const std::string& path, const std::string& name);
    // At most one encoder frame of interleaved samples.
    void EncodeSound(const float* samples, int sampleFrames);
    // Ends the Matroska cluster being written and hands what is written to the system.
    void Flush();

    VideoFormat video;
    AudioFormat audio;
    AVFormatContext* file = nullptr;
    std::unique_ptr<EncodedStream> picture;
    std::unique_ptr<EncodedStream> sound;
    AVFrame* pictureFrame = nullptr;
    AVFrame* soundFrame = nullptr;
    SwsContext* converter = nullptr;  // RGB to the encoder's BT.709 YUV 4:2:0
    std::vector<float> pendingSound;  // interleaved, less than one encoder frame
    std::int64_t framesWritten = 0;
    std::int64_t soundFramesWritten = 0;
    bool finished = false;
    bool matroska = false;
};
