// The stand-in host's STL reader: any bytes give either nothing or a mesh of
// finite points; a mesh written back as binary STL reads back as the same
// points in single precision.
#include <cfloat>
#include <cmath>
#include <string>

#include "fuzz_check.h"
#include "stl_mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  auto mesh = standin::ReadStl(bytes);
  if (!mesh) return 0;
  FUZZ_CHECK(!mesh->empty());
  bool single = true;
  for (const standin::Triangle& t : *mesh)
    for (const standin::Point& p : t.v)
      for (double c : p) {
        FUZZ_CHECK(std::isfinite(c));
        single = single && std::fabs(c) <= FLT_MAX;
      }
  if (!single) return 0;  // beyond what a binary STL file can hold
  auto again = standin::ReadStl(standin::StlBytes(*mesh, "fuzz"));
  FUZZ_CHECK(again && again->size() == mesh->size());
  for (size_t i = 0; i < mesh->size(); ++i)
    for (int v = 0; v < 3; ++v)
      for (int c = 0; c < 3; ++c)
        FUZZ_CHECK((*again)[i].v[v][c] == static_cast<double>(static_cast<float>((*mesh)[i].v[v][c])));
  return 0;
}
