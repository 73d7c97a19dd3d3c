#include "export/project/stock_stl.h"

#include "host/solids.h"
#include "platform/files.h"

namespace quenlo {

namespace {
constexpr double kStlTolerance = 0.01;
constexpr int kShareFlags = 64;
}  // namespace

bool WriteStockStl(const std::wstring& path, int solid_id) {
  SysFile file;
  if (!file.Open(path.c_str(), L"wb", kShareFlags)) return false;
  bool written = wr_stl(kStlTolerance, file, path.c_str(), solid_id, false, true);
  bool closed = file.Close();
  // An STL file that the host could not complete is not left behind.
  if (!(written && closed)) platform::RemoveFile(path);
  return written && closed;
}

}  // namespace quenlo
