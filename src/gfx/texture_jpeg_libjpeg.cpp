// JPEG through libjpeg-turbo, which is fuzzed continuously by its makers. libjpeg reports a fatal
// error by calling back and expects the callback not to return: here it jumps back to the
// decoding step that called into the library, which then cleans up and gives the reason as
// text. Between a jump's target and the library calls it guards, only plain data lives, so the
// jump skips no destructor.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include "gfx/texture_jpeg.h"

namespace {

// A progressive file needs about ten scans; a crafted one can hold thousands of empty scans
// that each make the decoder walk its whole picture again.
constexpr int kMaxJpegScans = 500;
// libjpeg's own buffers beside the picture: a progressive file keeps every coefficient of the
// image until its last scan.
constexpr long kMaxJpegWorkBytes = static_cast<long>(kMaxTextureBytes);
constexpr int kUploadChannels = 3;  // JPEG has no alpha

struct JpegSession {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf failed;
    char reason[JMSG_LENGTH_MAX] = {};
    bool endReached = false;          // the file has no more bytes
    unsigned char* pixels = nullptr;  // malloc'd, as the decoder's own pictures are
    unsigned char* row = nullptr;     // one decoded scanline, for CMYK pictures
};

JpegSession& SessionOf(j_common_ptr info) {
    return *static_cast<JpegSession*>(info->client_data);
}

[[noreturn]] void LeaveWithReason(j_common_ptr info) {
    JpegSession& session = SessionOf(info);
    // Asked for more than kMaxJpegWorkBytes, the library would spill to disk, which it cannot.
    if (info->err->msg_code == JERR_NO_BACKING_STORE)
        std::snprintf(session.reason, sizeof session.reason,
                      "JPEG file needs more than %ld MiB of decoding buffers",
                      kMaxJpegWorkBytes >> 20);
    else
        info->err->format_message(info, session.reason);
    std::longjmp(session.failed, 1);
}

// Warnings about damaged data are not printed: the picture decodes as far as it can. But a file
// whose data ends inside a scan is a cut file, whose missing blocks the decoder would make up:
// the end of the file comes first, then the scan's decoder finds its data short. (A file that
// lacks only its end marker reaches its end too, with every block read.) Arithmetic decoding
// runs on without a word, so there the end of the file alone refuses it.
void RefuseCutFile(j_common_ptr info, int level) {
    JpegSession& session = SessionOf(info);
    if (level >= 0) return;
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF) session.endReached = true;
    const bool arithmetic = reinterpret_cast<j_decompress_ptr>(info)->arith_code;
    if (!(code == JWRN_HIT_MARKER && session.endReached) && !(code == JWRN_JPEG_EOF && arithmetic))
        return;
    std::snprintf(session.reason, sizeof session.reason, "%s", kJpegCutShort);
    std::longjmp(session.failed, 1);
}

void LimitScans(j_common_ptr info) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number <= kMaxJpegScans) return;
    JpegSession& session = SessionOf(info);
    std::snprintf(session.reason, sizeof session.reason, "JPEG file has more than %d scans",
                  kMaxJpegScans);
    std::longjmp(session.failed, 1);
}

// The 8×8 blocks of all components, as the header has set them up.
std::uint64_t CodedBlocks(const jpeg_decompress_struct& info) {
    std::uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c)
        blocks +=
            std::uint64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
    return blocks;
}

// Reads the header up to the picture's size; false with the reason set when the file is broken.
bool ReadHeader(JpegSession& session, const unsigned char* bytes, std::size_t size) {
    if (setjmp(session.failed)) return false;
    jpeg_mem_src(&session.info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&session.info, TRUE);
    // Grey and YCbCr pictures come out as RGB; CMYK ones are converted below.
    session.info.out_color_space = session.info.num_components == 4 ? JCS_CMYK : JCS_RGB;
    return true;
}

// Decodes into session.pixels, bottom row first.
bool ReadPixels(JpegSession& session) {
    if (setjmp(session.failed)) return false;
    jpeg_decompress_struct& info = session.info;
    jpeg_start_decompress(&info);
    const std::size_t rowBytes = std::size_t{info.output_width} * kUploadChannels;
    session.pixels = static_cast<unsigned char*>(std::malloc(rowBytes * info.output_height));
    if (info.out_color_space == JCS_CMYK)
        session.row = static_cast<unsigned char*>(std::malloc(std::size_t{info.output_width} * 4));
    if (!session.pixels || (info.out_color_space == JCS_CMYK && !session.row)) {
        std::snprintf(session.reason, sizeof session.reason, "out of memory");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        unsigned char* out =
            session.pixels + rowBytes * (info.output_height - 1 - info.output_scanline);
        JSAMPROW target = session.row ? session.row : out;
        jpeg_read_scanlines(&info, &target, 1);
        // Adobe's CMYK files store ink inverted: each channel times black is the light left.
        for (JDIMENSION x = 0; session.row && x < info.output_width; ++x) {
            const unsigned char* cmyk = session.row + 4 * x;
            for (int c = 0; c < kUploadChannels; ++c)
                out[kUploadChannels * x + c] = static_cast<unsigned char>(cmyk[c] * cmyk[3] / 255);
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

std::optional<TextureImageResult> DecodeJpegTexture(const unsigned char* bytes, std::size_t size,
                                                    const TextureLimits& limits) {
    // Fill bytes before the start marker are allowed; libjpeg wants the marker first.
    while (size > 2 && bytes[0] == 0xFF && bytes[1] == 0xFF) ++bytes, --size;

    JpegSession session;
    session.info.err = jpeg_std_error(&session.errors);
    session.errors.error_exit = LeaveWithReason;
    session.errors.emit_message = RefuseCutFile;
    session.info.client_data = &session;
    jpeg_create_decompress(&session.info);
    session.info.mem->max_memory_to_use = kMaxJpegWorkBytes;
    session.progress.progress_monitor = LimitScans;
    session.info.progress = &session.progress;

    TextureImageResult result;
    if (!ReadHeader(session, bytes, size)) {
        result.error = session.reason;
    } else {
        const jpeg_decompress_struct& info = session.info;
        const int width = static_cast<int>(info.image_width);
        const int height = static_cast<int>(info.image_height);
        result.error = TextureSizeProblem(
            width, height, std::uint64_t{info.image_width} * info.image_height * kUploadChannels,
            limits);
        if (result.error.empty() && !info.arith_code)
            result.error = JpegBlocksProblem(CodedBlocks(info), size, width, height);
        if (result.error.empty() && !ReadPixels(session)) result.error = session.reason;
        if (result.error.empty()) {
            result.image.pixels.reset(session.pixels);
            session.pixels = nullptr;
            result.image.width = width;
            result.image.height = height;
            result.image.fileChannels = info.num_components >= 3 ? 3 : 1;
            result.image.uploadChannels = kUploadChannels;
        }
    }
    std::free(session.pixels);
    std::free(session.row);
    jpeg_destroy_decompress(&session.info);
    return result;
}
