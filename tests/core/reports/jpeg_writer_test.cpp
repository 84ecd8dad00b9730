#include "reports/jpeg_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace fs = std::filesystem;

namespace {

struct Decoded {
    int width = 0, height = 0, components = 0;
    std::vector<unsigned char> pixels;
};

Decoded decode(const std::vector<unsigned char>& bytes)
{
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
    Decoded out{static_cast<int>(d.output_width), static_cast<int>(d.output_height), d.output_components, {}};
    out.pixels.resize(static_cast<size_t>(out.width) * out.height * out.components);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = out.pixels.data() + static_cast<size_t>(d.output_scanline) * out.width * out.components;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return out;
}

std::vector<unsigned char> readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(JpegWriter, WritesADecodableImageFromPaddedRows)
{
    // Left half red, right half blue; rows padded beyond width * 3 to prove
    // that the stride is honoured.
    const int w = 37, h = 21, stride = w * 3 + 5;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(stride) * h, 0x77);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto* p = &rgb[static_cast<size_t>(y) * stride + x * 3];
            p[0] = x < w / 2 ? 255 : 0;
            p[1] = 0;
            p[2] = x < w / 2 ? 0 : 255;
        }
    const fs::path file = fs::temp_directory_path() / ("zem_jpeg_writer_test_" + std::to_string(::getpid()) + ".jpg");
    writeJpeg(file, w, h, rgb.data(), stride, 70);

    const auto bytes = readAll(file);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
    EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);

    const Decoded d = decode(bytes);
    EXPECT_EQ(d.width, w);
    EXPECT_EQ(d.height, h);
    ASSERT_EQ(d.components, 3);
    auto px = [&](int x, int y) { return &d.pixels[(static_cast<size_t>(y) * w + x) * 3]; };
    EXPECT_GT(px(3, 10)[0], 200);
    EXPECT_LT(px(3, 10)[2], 60);
    EXPECT_GT(px(w - 3, 10)[2], 200);
    EXPECT_LT(px(w - 3, 10)[0], 60);
    fs::remove(file);
}

TEST(JpegWriter, HigherQualityGivesALargerFile)
{
    const int w = 64, h = 64;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>((i * 37) ^ (i >> 5));
    const fs::path lo = fs::temp_directory_path() / ("zem_jpeg_q70_" + std::to_string(::getpid()) + ".jpg");
    const fs::path hi = fs::temp_directory_path() / ("zem_jpeg_q100_" + std::to_string(::getpid()) + ".jpg");
    writeJpeg(lo, w, h, rgb.data(), w * 3, 70);
    writeJpeg(hi, w, h, rgb.data(), w * 3, 100);
    EXPECT_LT(fs::file_size(lo), fs::file_size(hi));
    fs::remove(lo);
    fs::remove(hi);
}

TEST(JpegWriter, FailuresThrow)
{
    std::vector<std::uint8_t> rgb(12, 0);
    const fs::path noFolder = fs::temp_directory_path() / ("zem_no_such_folder_" + std::to_string(::getpid()) + "") / "x.jpg";
    EXPECT_THROW(writeJpeg(noFolder, 2, 2, rgb.data(), 6, 70), std::runtime_error);
    const fs::path ok = fs::temp_directory_path() / ("zem_jpeg_empty_" + std::to_string(::getpid()) + ".jpg");
    EXPECT_THROW(writeJpeg(ok, 0, 2, rgb.data(), 6, 70), std::runtime_error);
    EXPECT_THROW(writeJpeg(ok, 2, 2, rgb.data(), 5, 70), std::runtime_error);
    EXPECT_FALSE(fs::exists(ok));
}
