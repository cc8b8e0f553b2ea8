#include "export/encoded_stream.h"

#include "export/export_error.h"

EncodedStream::EncodedStream(AVFormatContext* file, const AVCodec* codec, const char* what)
    : file(file),
      stream(avformat_new_stream(file, nullptr)),
      packet(av_packet_alloc()),
      what(what) {
    if (!codec) throw ExportError(std::string("no ") + what + " encoder in this FFmpeg");
    context = avcodec_alloc_context3(codec);
    if (!stream || !packet || !context) throw ExportError("out of memory");
    // MP4 and Matroska keep the codec set-up once in the file header, not in every key frame.
    if (file->oformat->flags & AVFMT_GLOBALHEADER) context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

EncodedStream::~EncodedStream() {
    avcodec_free_context(&context);
    av_packet_free(&packet);
}

void EncodedStream::Open(AVDictionary** options) {
    int result = avcodec_open2(context, context->codec, options);
    if (result >= 0) result = avcodec_parameters_from_context(stream->codecpar, context);
    if (result < 0) {
        throw ExportError(std::string("cannot start the ") + what +
                          " encoder: " + AvErrorText(result));
    }
    stream->time_base = context->time_base;
}

void EncodedStream::Encode(const AVFrame* frame) {
    int result = avcodec_send_frame(context, frame);
    while (result >= 0) {
        result = avcodec_receive_packet(context, packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
        if (result < 0) break;
        // A picture lasts one tick of its time base, one frame; without saying so, the file's
        // last frame would have no length.
        if (context->codec_type == AVMEDIA_TYPE_VIDEO && packet->duration == 0)
            packet->duration = 1;
        av_packet_rescale_ts(packet, context->time_base, stream->time_base);
        packet->stream_index = stream->index;
        result = av_interleaved_write_frame(file, packet);
    }
    if (result < 0) {
        throw ExportError(std::string("cannot encode the ") + what + ": " + AvErrorText(result));
    }
}
