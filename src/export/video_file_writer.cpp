#include "export/video_file_writer.h"

#include <algorithm>

#include "export/export_error.h"

extern "C" {
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace {

bool EndsWithMkv(const std::string& path) {
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".mkv";
}

// Constant quality, a little finer for small pictures, whose every pixel counts for more. The
// encoder's "faster" preset keeps it well below the cost of rendering a frame.
const char* QualityFor(const VideoFormat& video) {
    const int pixels = video.width * video.height;
    if (pixels <= 640 * 360) return "17";
    if (pixels <= 1280 * 720) return "18";
    return "19";
}

constexpr int kSoundBitRate = 192000;

}  // namespace

VideoFileWriter::VideoFileWriter(const std::string& path, VideoFormat video, AudioFormat audio,
                                 const std::string& name)
    : video(video), audio(audio) {
    // The encoders' own reports would break the progress line; real errors still show.
    av_log_set_level(AV_LOG_ERROR);
    matroska = EndsWithMkv(name);
    const int result =
        avformat_alloc_output_context2(&file, nullptr, matroska ? "matroska" : "mp4", path.c_str());
    if (result < 0 || !file)
        throw ExportError("cannot set up " + name + ": " + AvErrorText(result));

    picture = std::make_unique<EncodedStream>(file, avcodec_find_encoder_by_name("libx264"),
                                              "H.264 (libx264)");
    AVCodecContext* pictureContext = picture->context;
    pictureContext->width = video.width;
    pictureContext->height = video.height;
    pictureContext->time_base = AVRational{1, video.fps};
    pictureContext->framerate = AVRational{video.fps, 1};
    pictureContext->pix_fmt = AV_PIX_FMT_YUV420P;
    pictureContext->gop_size = 2 * video.fps;  // a key frame every two seconds, for seeking
    pictureContext->color_range = AVCOL_RANGE_MPEG;
    pictureContext->colorspace = AVCOL_SPC_BT709;
    pictureContext->color_primaries = AVCOL_PRI_BT709;
    pictureContext->color_trc = AVCOL_TRC_BT709;
    AVDictionary* pictureOptions = nullptr;
    av_dict_set(&pictureOptions, "preset", "faster", 0);
    av_dict_set(&pictureOptions, "crf", QualityFor(video), 0);
    picture->Open(&pictureOptions);
    av_dict_free(&pictureOptions);

    sound = std::make_unique<EncodedStream>(file, avcodec_find_encoder(AV_CODEC_ID_AAC), "AAC");
    AVCodecContext* soundContext = sound->context;
    soundContext->sample_rate = audio.sampleRate;
    soundContext->sample_fmt = AV_SAMPLE_FMT_FLTP;
    av_channel_layout_default(&soundContext->ch_layout, audio.channels);
    soundContext->bit_rate = kSoundBitRate;
    soundContext->time_base = AVRational{1, audio.sampleRate};
    sound->Open(nullptr);

    pictureFrame = av_frame_alloc();
    soundFrame = av_frame_alloc();
    if (!pictureFrame || !soundFrame) throw ExportError("out of memory");
    pictureFrame->format = AV_PIX_FMT_YUV420P;
    pictureFrame->width = video.width;
    pictureFrame->height = video.height;
    soundFrame->format = AV_SAMPLE_FMT_FLTP;
    soundFrame->sample_rate = audio.sampleRate;
    av_channel_layout_copy(&soundFrame->ch_layout, &soundContext->ch_layout);
    soundFrame->nb_samples = soundContext->frame_size;
    if (av_frame_get_buffer(pictureFrame, 0) < 0 || av_frame_get_buffer(soundFrame, 0) < 0) {
        throw ExportError("out of memory");
    }
    converter = sws_getContext(video.width, video.height, AV_PIX_FMT_RGB24, video.width,
                               video.height, AV_PIX_FMT_YUV420P, SWS_BICUBIC | SWS_ACCURATE_RND,
                               nullptr, nullptr, nullptr);
    if (!converter) throw ExportError("cannot convert the frames to the video's format");
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(converter, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    WriteHeader(path, name);
}

void VideoFileWriter::WriteHeader(const std::string& path, const std::string& name) {
    int result = avio_open(&file->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (result < 0) throw ExportError("cannot write " + name + ": " + AvErrorText(result));
    result = avformat_write_header(file, nullptr);
    if (result < 0) throw ExportError("cannot write " + name + ": " + AvErrorText(result));
}

VideoFileWriter::~VideoFileWriter() {
    sws_freeContext(converter);
    av_frame_free(&pictureFrame);
    av_frame_free(&soundFrame);
    picture.reset();
    sound.reset();
    if (file && file->pb) avio_closep(&file->pb);
    avformat_free_context(file);
}

void VideoFileWriter::WriteFrame(const std::uint8_t* rgb) {
    if (av_frame_make_writable(pictureFrame) < 0) throw ExportError("out of memory");
    // Read from the top row down: the last row in memory, stepping backwards.
    const int rowBytes = video.width * 3;
    const std::uint8_t* top = rgb + static_cast<std::ptrdiff_t>(video.height - 1) * rowBytes;
    const int stride = -rowBytes;
    sws_scale(converter, &top, &stride, 0, video.height, pictureFrame->data,
              pictureFrame->linesize);
    pictureFrame->pts = framesWritten;
    picture->Encode(pictureFrame);
    ++framesWritten;
    if (matroska && framesWritten % video.fps == 0) Flush();
}

void VideoFileWriter::Flush() {
    const int result = av_write_frame(file, nullptr);
    if (result < 0) throw ExportError("cannot write the film: " + AvErrorText(result));
    avio_flush(file->pb);
    if (file->pb->error < 0)
        throw ExportError("cannot write the film: " + AvErrorText(file->pb->error));
}

void VideoFileWriter::WriteSound(const float* samples, std::int64_t sampleFrames) {
    pendingSound.insert(pendingSound.end(), samples, samples + sampleFrames * audio.channels);
    const int frameSize = sound->context->frame_size;
    const std::size_t perFrame = static_cast<std::size_t>(frameSize) * audio.channels;
    std::size_t used = 0;
    for (; pendingSound.size() - used >= perFrame; used += perFrame) {
        EncodeSound(pendingSound.data() + used, frameSize);
    }
    pendingSound.erase(pendingSound.begin(), pendingSound.begin() + used);
}

void VideoFileWriter::EncodeSound(const float* samples, int sampleFrames) {
    if (av_frame_make_writable(soundFrame) < 0) throw ExportError("out of memory");
    soundFrame->nb_samples = sampleFrames;
    for (int channel = 0; channel < audio.channels; ++channel) {
        float* plane = reinterpret_cast<float*>(soundFrame->data[channel]);
        for (int i = 0; i < sampleFrames; ++i) plane[i] = samples[i * audio.channels + channel];
    }
    soundFrame->pts = soundFramesWritten;
    sound->Encode(soundFrame);
    soundFramesWritten += sampleFrames;
}

void VideoFileWriter::Finish() {
    if (finished) return;
    finished = true;
    if (!pendingSound.empty()) {
        EncodeSound(pendingSound.data(), static_cast<int>(pendingSound.size() / audio.channels));
        pendingSound.clear();
    }
    picture->Encode(nullptr);
    sound->Encode(nullptr);
    const int result = av_write_trailer(file);
    if (result < 0) throw ExportError("cannot finish the file: " + AvErrorText(result));
}
