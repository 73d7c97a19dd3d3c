// Triangle meshes as the stand-in host writes them into STL files: read from
// an STL file, or tessellated from a box or a cylinder.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

using Point = std::array<double, 3>;

struct Triangle {
  Point v[3];
};

using Mesh = std::vector<Triangle>;

// The triangles of an STL file (binary or ASCII); nothing when the bytes are
// not an STL file with at least one facet.
std::optional<Mesh> ReadStl(std::string_view bytes);

// The twelve triangles of an axis-aligned box; nothing for a box without
// volume or with a coordinate that is not finite.
std::optional<Mesh> BoxMesh(const Point& min, const Point& max);

// A closed cylinder: base centre, axis direction, radius and height, its
// rounds cut into chords that stay within `tolerance` of the true circle.
// Nothing for a cylinder without volume or with values that are not finite.
std::optional<Mesh> CylinderMesh(const Point& base, const Point& axis, double radius, double height,
                                 double tolerance);

// Every coordinate of the mesh stays finite as a single-precision number.
bool FitsSinglePrecision(const Mesh& mesh);

// Binary STL bytes of the mesh (little-endian, facet normals from the
// vertex order, counter-clockwise seen from outside).
std::string StlBytes(const Mesh& mesh, std::string_view header);

}  // namespace standin
