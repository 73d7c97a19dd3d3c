// The host's file class and its STL output of the stock solid. A SysFile
// collects what is written and puts it in place on Close, whole or not at all.
#include <string>

#include "host/solids.h"
#include "host_state.h"
#include "platform/files.h"
#include "stl_mesh.h"

using standin::Host;

struct SysFile::State {
  std::wstring path;
  std::string bytes;
  bool open = false;
};

SysFile::SysFile() : state_(new State) {}
SysFile::~SysFile() {
  if (state_->open) Close();
  delete state_;
}

bool SysFile::Open(const wchar_t* path, const wchar_t* mode, int) {
  if (state_->open || !path || !*path || !mode || std::wstring(mode).find(L'w') == std::wstring::npos) return false;
  // A file can be opened for writing where its folder exists and no folder
  // stands at the path itself.
  std::wstring p = path;
  size_t cut = p.find_last_of(L"\\/");
  if (quenlo::platform::GetPathKind(p) == quenlo::platform::PathKind::kDirectory) return false;
  if (cut != std::wstring::npos && cut > 0 &&
      quenlo::platform::GetPathKind(p.substr(0, cut)) != quenlo::platform::PathKind::kDirectory)
    return false;
  state_->path = p;
  state_->bytes.clear();
  state_->open = true;
  return true;
}

bool SysFile::Write(const void* data, size_t size) {
  if (!state_->open) return false;
  state_->bytes.append(static_cast<const char*>(data), size);
  return true;
}

bool SysFile::Close() {
  if (!state_->open) return false;
  state_->open = false;
  bool ok = quenlo::platform::ReplaceFileContents(state_->path, state_->bytes);
  state_->bytes.clear();
  return ok;
}

bool SysFile::IsOpen() const { return state_->open; }

namespace {

std::optional<standin::Mesh> StockMesh(int solid_id, double tolerance) {
  const auto& group = Host().job.machine_group;
  if (!group || solid_id != 1) return std::nullopt;
  const standin::Solid& s = group->stock.solid;
  switch (s.kind) {
    case standin::Solid::Kind::kMesh: {
      std::string bytes;
      if (!quenlo::platform::ReadWholeFile(s.stl_path, bytes)) return std::nullopt;
      return standin::ReadStl(bytes);
    }
    case standin::Solid::Kind::kBox:
      return standin::BoxMesh({s.min[0], s.min[1], s.min[2]}, {s.max[0], s.max[1], s.max[2]});
    case standin::Solid::Kind::kCylinder:
      return standin::CylinderMesh({s.base[0], s.base[1], s.base[2]}, {s.axis[0], s.axis[1], s.axis[2]}, s.radius,
                                   s.height, tolerance);
    case standin::Solid::Kind::kNone:
      break;
  }
  return std::nullopt;
}

}  // namespace

bool wr_stl(double tolerance, SysFile& file, const wchar_t*, int solid_id, bool, bool) {
  if (!file.IsOpen()) return false;
  // A write the job makes fail: the host could not write the solid this time.
  const auto& group = Host().job.machine_group;
  if (group && ++Host().stl_writes == group->stock.solid.failing_write) return false;
  std::optional<standin::Mesh> mesh = StockMesh(solid_id, tolerance);
  if (!mesh) return false;
  // STL holds single-precision numbers: a coordinate beyond them would be
  // written as inf, which no reader takes.
  if (!standin::FitsSinglePrecision(*mesh)) {
    standin::Report("stl refused: a coordinate of the stock solid is beyond single precision");
    return false;
  }
  std::string bytes = standin::StlBytes(*mesh, "stock solid");
  return file.Write(bytes.data(), bytes.size());
}
