#include "reports/jpeg_writer.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through a callback that must not return; it
// jumps back into compress(), which turns them into a message.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

struct Picture {
    std::FILE* file;
    int width, height;
    const std::uint8_t* rgb;
    int stride;
    int quality;
};

// Kept free of C++ objects with destructors, since a libjpeg error leaves
// it through longjmp.
bool compress(const Picture& pic, ErrorManager& err)
{
    jpeg_compress_struct cinfo{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, pic.file);
    cinfo.image_width = static_cast<JDIMENSION>(pic.width);
    cinfo.image_height = static_cast<JDIMENSION>(pic.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, pic.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pic.rgb + static_cast<std::size_t>(cinfo.next_scanline) * pic.stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

void writeJpeg(const std::filesystem::path& path, int width, int height, const std::uint8_t* rgb, int stride,
               int quality)
{
    const std::string name = path.string();
    if (width <= 0 || height <= 0 || rgb == nullptr || stride < width * 3)
        throw std::runtime_error("Cannot write " + name + ": empty picture");

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "wb"));
    if (!file) throw std::runtime_error("Cannot create file " + name);

    ErrorManager err{};
    if (!compress({file.get(), width, height, rgb, stride, std::clamp(quality, 1, 100)}, err))
        throw std::runtime_error("Cannot write " + name + ": " + err.message);

    std::FILE* f = file.release();
    const bool bad = std::ferror(f) != 0;
    if (std::fclose(f) != 0 || bad) throw std::runtime_error("Cannot write " + name);
}
