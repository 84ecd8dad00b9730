#pragma once
// Saving a rendered picture (a chart, the Summary) as a baseline JPEG file.

#include <cstdint>
#include <filesystem>

// Writes width x height pixels of 8-bit RGB, rows `stride` bytes apart
// (top row first), at the given quality (1..100). Throws std::runtime_error
// naming the file when it cannot be written or the arguments make no picture.
void writeJpeg(const std::filesystem::path& path, int width, int height, const std::uint8_t* rgb, int stride,
               int quality);
