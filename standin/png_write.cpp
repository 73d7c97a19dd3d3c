#ifdef _WIN32
#include "png_write.h"

#include <zlib.h>

namespace standin {
namespace {

void Put32(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v >> 24);
  out += static_cast<char>(v >> 16);
  out += static_cast<char>(v >> 8);
  out += static_cast<char>(v);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  Put32(out, static_cast<std::uint32_t>(
                 crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

}  // namespace

std::string EncodePng(const std::vector<std::uint32_t>& pixels, int width, int height) {
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // filter: none
    for (int x = 0; x < width; ++x) {
      std::uint32_t v = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      raw += static_cast<char>(v >> 16);
      raw += static_cast<char>(v >> 8);
      raw += static_cast<char>(v);
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), 9);
  packed.resize(size);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", "");
  return png;
}

}  // namespace standin
#endif
