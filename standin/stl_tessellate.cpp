// Triangle meshes of the primitive stock solids: a box and a cylinder.
#include <algorithm>
#include <cmath>

#include "stl_mesh.h"

namespace standin {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxSegments = 1 << 16;  // within 0.01 up to a radius of some 8 km

Point Add(const Point& a, const Point& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Point Scale(const Point& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
Point Cross(const Point& a, const Point& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Length(const Point& a) { return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]); }

bool Finite(const Point& p) { return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]); }

// The number of chords around a circle of `radius` whose distance from the
// arc stays within `tolerance`.
int SegmentCount(double radius, double tolerance) {
  double ratio = 1.0 - tolerance / radius;
  if (!(ratio > -1.0)) return 3;
  double half_angle = std::acos(std::min(ratio, 1.0));
  if (!(half_angle > 0)) return kMaxSegments;
  double count = std::ceil(kPi / half_angle);
  return static_cast<int>(std::clamp(count, 3.0, static_cast<double>(kMaxSegments)));
}

}  // namespace

std::optional<Mesh> BoxMesh(const Point& min, const Point& max) {
  if (!Finite(min) || !Finite(max)) return std::nullopt;
  for (int i = 0; i < 3; ++i)
    if (!(min[i] < max[i])) return std::nullopt;
  // Corner k has x from bit 0, y from bit 1, z from bit 2.
  Point c[8];
  for (int k = 0; k < 8; ++k) c[k] = {k & 1 ? max[0] : min[0], k & 2 ? max[1] : min[1], k & 4 ? max[2] : min[2]};
  // Each face as four corners counter-clockwise seen from outside.
  static const int kFaces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                   {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  Mesh mesh;
  for (const auto& f : kFaces) {
    mesh.push_back({{c[f[0]], c[f[1]], c[f[2]]}});
    mesh.push_back({{c[f[0]], c[f[2]], c[f[3]]}});
  }
  return mesh;
}

std::optional<Mesh> CylinderMesh(const Point& base, const Point& axis, double radius, double height,
                                 double tolerance) {
  double axis_length = Length(axis);
  if (!Finite(base) || !Finite(axis) || !(axis_length > 0) || !std::isfinite(axis_length) ||
      !(radius > 0) || !std::isfinite(radius) || !(height > 0) || !std::isfinite(height) || !(tolerance > 0))
    return std::nullopt;
  Point a = Scale(axis, 1.0 / axis_length);
  // u, v, a: a right-handed frame around the axis.
  Point helper = std::fabs(a[0]) < 0.9 ? Point{1, 0, 0} : Point{0, 1, 0};
  Point u = Cross(helper, a);
  u = Scale(u, 1.0 / Length(u));
  Point v = Cross(a, u);

  int n = SegmentCount(radius, tolerance);
  Point top_centre = Add(base, Scale(a, height));
  std::vector<Point> bottom(n), top(n);
  for (int i = 0; i < n; ++i) {
    double angle = 2.0 * kPi * i / n;
    Point offset = Add(Scale(u, radius * std::cos(angle)), Scale(v, radius * std::sin(angle)));
    bottom[i] = Add(base, offset);
    top[i] = Add(top_centre, offset);
  }
  Mesh mesh;
  mesh.reserve(4 * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    int j = (i + 1) % n;
    mesh.push_back({{base, bottom[j], bottom[i]}});
    mesh.push_back({{top_centre, top[i], top[j]}});
    mesh.push_back({{bottom[i], bottom[j], top[j]}});
    mesh.push_back({{bottom[i], top[j], top[i]}});
  }
  return mesh;
}

}  // namespace standin
