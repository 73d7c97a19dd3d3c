// Reads the triangles of an STL file, binary or ASCII.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "stl_mesh.h"

namespace standin {
namespace {

constexpr size_t kHeaderSize = 80;
constexpr size_t kFacetSize = 50;

uint32_t ReadU32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

float ReadF32(const char* p) {
  uint32_t bits = ReadU32(p);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool AllFinite(const Triangle& t) {
  for (const Point& p : t.v)
    for (double c : p)
      if (!std::isfinite(c)) return false;
  return true;
}

std::optional<Mesh> ReadBinary(std::string_view bytes) {
  if (bytes.size() < kHeaderSize + 4) return std::nullopt;
  uint64_t count = ReadU32(bytes.data() + kHeaderSize);
  if (count == 0 || bytes.size() != kHeaderSize + 4 + count * kFacetSize) return std::nullopt;
  Mesh mesh;
  mesh.reserve(count);
  const char* p = bytes.data() + kHeaderSize + 4;
  for (uint64_t i = 0; i < count; ++i, p += kFacetSize) {
    Triangle t;
    for (int v = 0; v < 3; ++v)
      for (int c = 0; c < 3; ++c) t.v[v][c] = ReadF32(p + 12 + 12 * v + 4 * c);
    if (!AllFinite(t)) return std::nullopt;
    mesh.push_back(t);
  }
  return mesh;
}

// Splits ASCII STL text into words.
class Words {
 public:
  explicit Words(std::string_view text) : text_(text) {}
  std::string_view Next() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
  }
  bool Number(double& value) {
    std::string_view word = Next();
    if (!word.empty() && word[0] == '+') word.remove_prefix(1);
    auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size() && std::isfinite(value);
  }

 private:
  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
  std::string_view text_;
  size_t pos_ = 0;
};

std::optional<Mesh> ReadAscii(std::string_view bytes) {
  Words words(bytes);
  if (words.Next() != "solid") return std::nullopt;
  std::string_view word = words.Next();
  while (!word.empty() && word != "facet" && word != "endsolid") word = words.Next();  // the solid's name
  Mesh mesh;
  while (word == "facet") {
    double ignored;
    if (words.Next() != "normal" || !words.Number(ignored) || !words.Number(ignored) || !words.Number(ignored))
      return std::nullopt;
    if (words.Next() != "outer" || words.Next() != "loop") return std::nullopt;
    Triangle t;
    for (Point& p : t.v) {
      if (words.Next() != "vertex") return std::nullopt;
      for (double& c : p)
        if (!words.Number(c)) return std::nullopt;
    }
    if (words.Next() != "endloop" || words.Next() != "endfacet") return std::nullopt;
    mesh.push_back(t);
    word = words.Next();
  }
  if (word != "endsolid" || mesh.empty()) return std::nullopt;
  return mesh;
}

}  // namespace

std::optional<Mesh> ReadStl(std::string_view bytes) {
  // A binary file's header may begin with "solid" too: the exact length decides.
  if (auto mesh = ReadBinary(bytes)) return mesh;
  return ReadAscii(bytes);
}

}  // namespace standin
