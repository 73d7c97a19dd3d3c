// Binary STL output of a triangle mesh.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "stl_mesh.h"

namespace standin {
namespace {

// The unit normal of the triangle as it will be stored (from the float
// vertices), zero for a triangle without area.
void Normal(const float (&v)[3][3], float (&n)[3]) {
  double e1[3], e2[3];
  for (int c = 0; c < 3; ++c) {
    e1[c] = double(v[1][c]) - v[0][c];
    e2[c] = double(v[2][c]) - v[0][c];
  }
  double x = e1[1] * e2[2] - e1[2] * e2[1];
  double y = e1[2] * e2[0] - e1[0] * e2[2];
  double z = e1[0] * e2[1] - e1[1] * e2[0];
  double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0)) length = 1, x = y = z = 0;
  n[0] = static_cast<float>(x / length);
  n[1] = static_cast<float>(y / length);
  n[2] = static_cast<float>(z / length);
}

}  // namespace

bool FitsSinglePrecision(const Mesh& mesh) {
  for (const Triangle& t : mesh)
    for (const Point& p : t.v)
      for (double c : p)
        if (!std::isfinite(static_cast<float>(c))) return false;
  return true;
}

std::string StlBytes(const Mesh& mesh, std::string_view header) {
  // Sized once and filled in place: 80 bytes of header, the count, then 50
  // bytes a triangle (normal, three vertices, a zero attribute word).
  std::string out(84 + 50 * mesh.size(), '\0');
  std::memcpy(out.data(), header.data(), std::min<size_t>(header.size(), 80));
  char* at = out.data() + 80;
  auto put = [&at](uint32_t value) {
    for (int i = 0; i < 4; ++i) *at++ = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  auto put_float = [&put](float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    put(bits);
  };
  put(static_cast<uint32_t>(mesh.size()));
  for (const Triangle& t : mesh) {
    float v[3][3], n[3];
    for (int i = 0; i < 3; ++i)
      for (int c = 0; c < 3; ++c) v[i][c] = static_cast<float>(t.v[i][c]);
    Normal(v, n);
    for (float c : n) put_float(c);
    for (const auto& p : v)
      for (float c : p) put_float(c);
    at += 2;
  }
  return out;
}

}  // namespace standin
