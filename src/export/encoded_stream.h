#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

// One encoder and the stream of the file it writes into.
class EncodedStream {
  public:
    // Adds a stream to `file`; throws ExportError when the encoder is missing.
    EncodedStream(AVFormatContext* file, const AVCodec* codec, const char* what);
    ~EncodedStream();
    EncodedStream(const EncodedStream&) = delete;
    EncodedStream& operator=(const EncodedStream&) = delete;

    // Opens the encoder once `context` is filled in, and gives the stream its parameters.
    void Open(AVDictionary** options);
    // Encodes `frame` (null: everything still held back) and writes the packets that are ready.
    void Encode(const AVFrame* frame);

    AVCodecContext* context = nullptr;

  private:
    AVFormatContext* file;
    AVStream* stream;
    AVPacket* packet;
    const char* what;
};
