// PNG encoding of a picture (8-bit RGB, no interlace), compressed with zlib.
#pragma once
#ifdef _WIN32

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// `pixels`: width x height values 0x00RRGGBB, rows top down.
std::string EncodePng(const std::vector<std::uint32_t>& pixels, int width, int height);

}  // namespace standin

#endif
