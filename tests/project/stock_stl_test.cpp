// The stand-in host's STL output of the stock solid: meshes read, tessellated
// and written; the files that tests/scripts/stl_admesh.sh checks with admesh.
#include <cmath>
#include <cstdlib>

#include "export/project/stock_stl.h"
#include "project/project_fixture.h"
#include "stl_mesh.h"

namespace standin {
namespace {

constexpr double kPi = 3.14159265358979323846;

double SignedVolume(const Mesh& mesh) {
  double volume = 0;
  for (const Triangle& t : mesh) {
    const Point &a = t.v[0], &b = t.v[1], &c = t.v[2];
    volume += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) + a[2] * (b[0] * c[1] - b[1] * c[0]);
  }
  return volume / 6;
}

TEST(StlMesh, BoxIsClosedAndFacesOutwards) {
  auto box = BoxMesh({-1, 2, 3}, {9, 7, 5});
  ASSERT_TRUE(box);
  EXPECT_EQ(box->size(), 12u);
  EXPECT_DOUBLE_EQ(SignedVolume(*box), 10 * 5 * 2);
  EXPECT_FALSE(BoxMesh({0, 0, 0}, {1, 0, 1}));
  EXPECT_FALSE(BoxMesh({0, 0, 0}, {NAN, 1, 1}));
}

TEST(StlMesh, CylinderChordsStayWithinTheTolerance) {
  for (double radius : {0.005, 1.0, 10.0, 500.0}) {
    auto cylinder = CylinderMesh({1, 2, 3}, {0, 0, 2}, radius, 5, 0.01);
    ASSERT_TRUE(cylinder);
    size_t n = cylinder->size() / 4;
    double sagitta = radius * (1 - std::cos(kPi / n));
    EXPECT_LE(sagitta, 0.01 + 1e-12) << radius;
    if (n > 3) {  // no more chords than needed
      EXPECT_GT(radius * (1 - std::cos(kPi / (n - 1))), 0.01) << radius;
    }
    double exact = kPi * radius * radius * 5;
    double inscribed = 0.5 * n * radius * radius * std::sin(2 * kPi / n) * 5;
    EXPECT_NEAR(SignedVolume(*cylinder), inscribed, 1e-9 * exact) << radius;
  }
  EXPECT_FALSE(CylinderMesh({0, 0, 0}, {0, 0, 0}, 1, 1, 0.01));
  EXPECT_FALSE(CylinderMesh({0, 0, 0}, {0, 0, 1}, 0, 1, 0.01));
  EXPECT_FALSE(CylinderMesh({0, 0, 0}, {0, 0, 1}, INFINITY, 1, 0.01));
  EXPECT_LE(CylinderMesh({0, 0, 0}, {0, 1, 0}, 1e30, 1, 0.01)->size(), 4u << 16);  // bounded
}

TEST(StlMesh, ReadsWhatItWritesAndAsciiFiles) {
  Mesh box = *BoxMesh({0, 0, 0}, {1, 2, 3});
  auto back = ReadStl(StlBytes(box, "solid header of a binary file"));
  ASSERT_TRUE(back);
  ASSERT_EQ(back->size(), box.size());
  for (size_t i = 0; i < box.size(); ++i)
    for (int v = 0; v < 3; ++v) EXPECT_EQ((*back)[i].v[v], box[i].v[v]);

  auto ascii = ReadStl("solid t\n facet normal 0 0 1\n  outer loop\n   vertex 0 0 0\n   vertex 1 0 0\n"
                       "   vertex 0 1.5e0 0\n  endloop\n endfacet\nendsolid t\n");
  ASSERT_TRUE(ascii);
  EXPECT_EQ((*ascii)[0].v[2], (Point{0, 1.5, 0}));
  EXPECT_FALSE(ReadStl(""));
  EXPECT_FALSE(ReadStl("solid t\nendsolid t\n"));
  EXPECT_FALSE(ReadStl("solid t\n facet normal 0 0 1\n outer loop\n vertex 0 0\n"));
  EXPECT_FALSE(ReadStl(StlBytes(box, "").substr(0, 100)));
}

// Writes the stock solids for the admesh check when QUENLO_STL_OUT names a
// folder; otherwise only that the files come out whole.
class StockStlFiles : public quenlo::ProjectTest {
 protected:
  std::wstring OutFolder() {
    const char* out = std::getenv("QUENLO_STL_OUT");
    if (!out || !*out) return dir_.path();
    return quenlo::platform::FromUtf8(out) + quenlo::platform::kPathSeparator;
  }

  void WriteSolid(const std::string& solid_json, const std::wstring& name) {
    Install(R"({"shape":"solid","solid":)" + solid_json + "}", ";\r\n");
    std::wstring path = OutFolder() + name + L".NC.stl";
    ASSERT_TRUE(quenlo::WriteStockStl(path, 1)) << quenlo::platform::ToUtf8(path);
    std::string bytes = testing_support::ReadBytes(path);
    auto mesh = ReadStl(bytes);
    ASSERT_TRUE(mesh);
    EXPECT_EQ(bytes.size(), 84 + 50 * mesh->size());
  }
};

TEST_F(StockStlFiles, BoxCylinderAndMeshCopy) {
  WriteSolid(R"({"box":{"min":[-50,-25,-20],"max":[50,25,0]}})", L"box");
  WriteSolid(R"({"cylinder":{"base":[1,2,3],"axis":[0,0,1],"radius":10,"height":5}})", L"cylinder");
  WriteSolid(R"({"cylinder":{"base":[0,0,0],"axis":[1,1,1],"radius":250,"height":40}})", L"tilted");
  std::string tetra = "solid tetra\n";
  const char* facets[4][3] = {{"0 0 0", "0 10 0", "10 0 0"}, {"0 0 0", "10 0 0", "0 0 10"},
                              {"0 0 0", "0 0 10", "0 10 0"}, {"10 0 0", "0 10 0", "0 0 10"}};
  for (auto& f : facets)
    tetra += std::string("facet normal 0 0 0\nouter loop\nvertex ") + f[0] + "\nvertex " + f[1] + "\nvertex " + f[2] +
             "\nendloop\nendfacet\n";
  testing_support::WriteBytes(dir_ / L"tetra.stl", tetra + "endsolid tetra\n");
  WriteSolid(R"({"stl":"tetra.stl"})", L"mesh");
}

// STL holds single-precision numbers: a solid with a coordinate beyond them is
// refused with the host's word, not written with inf coordinates.
TEST_F(StockStlFiles, CoordinatesBeyondSinglePrecisionAreRefused) {
  testing_support::WriteBytes(dir_ / L"far.stl", "solid f\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\n"
                                                 "vertex 1e39 0 0\nvertex 0 1 0\nendloop\nendfacet\nendsolid f\n");
  for (const char* solid : {R"({"box":{"min":[0,0,0],"max":[1e39,1,1]}})",
                            R"({"cylinder":{"base":[3e38,0,0],"axis":[0,0,1],"radius":1e38,"height":5}})",
                            R"({"stl":"far.stl"})"}) {
    Install(std::string(R"({"shape":"solid","solid":)") + solid + "}", ";\r\n");
    std::wstring path = dir_ / L"far.NC.stl";
    EXPECT_FALSE(quenlo::WriteStockStl(path, 1)) << solid;
    EXPECT_FALSE(testing_support::FileExists(path)) << solid;
    EXPECT_EQ(testing_support::Transcript(),
              std::vector<std::string>{"stl refused: a coordinate of the stock solid is beyond single precision"});
  }
  Install(R"({"shape":"solid","solid":{"box":{"min":[0,0,0],"max":[3e38,1,1]}}})", ";\r\n");
  EXPECT_TRUE(quenlo::WriteStockStl(dir_ / L"near.NC.stl", 1));  // still within
}

}  // namespace
}  // namespace standin
