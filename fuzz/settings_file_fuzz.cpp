// The settings-file loader: any bytes load into a record of finite numbers
// and selections inside the tables; a loaded record saved and loaded again is
// the same record, and saving it again gives the same bytes.
#include <cmath>
#include <string>

#include "fuzz_check.h"
#include "platform/ansi.h"
#include "settings/settings_file.h"

namespace {

using namespace quenlo;

struct Loaded {
  LinkSettings settings;
  AxisRow wcs[kWcsRows]{};
  AxisRow ref[kRefRows]{};
};

void Load(const std::string& bytes, Loaded& out) { ParseSettingsFile(bytes, out.settings, out.wcs, out.ref); }
std::string Save(const Loaded& in) { return FormatSettingsFile(in.settings, in.wcs, in.ref); }

bool AllFinite(const AxisRow& row) {
  for (double v : row)
    if (!std::isfinite(v)) return false;
  return true;
}

void CheckLoaded(const Loaded& l) {
  for (const AxisRow& row : l.wcs) FUZZ_CHECK(AllFinite(row));
  for (const AxisRow& row : l.ref) FUZZ_CHECK(AllFinite(row));
  for (const CoordinateField& f : kCoordinateFields) FUZZ_CHECK(std::isfinite(l.settings.*f.field));
  FUZZ_CHECK(l.settings.wcs_num >= 0 && l.settings.wcs_num < kWcsRows - 1);
  FUZZ_CHECK(l.settings.ref_num >= 0 && l.settings.ref_num < kRefRows);
  FUZZ_CHECK(l.settings.ref_from_m == 0 || l.settings.ref_from_m == 1);
}

bool SameRecord(const Loaded& a, const Loaded& b) {
  const LinkSettings& s = a.settings;
  const LinkSettings& t = b.settings;
  if (s.mch != t.mch || s.exe != t.exe || s.prj != t.prj || s.tol != t.tol || s.wrk != t.wrk) return false;
  for (const CoordinateField& f : kCoordinateFields)
    if (s.*f.field != t.*f.field) return false;
  if (s.ref_from_m != t.ref_from_m || s.ref_num != t.ref_num || s.wcs_num != t.wcs_num) return false;
  for (int i = 0; i < kWcsRows; ++i)
    if (a.wcs[i] != b.wcs[i]) return false;
  for (int j = 0; j < kRefRows; ++j)
    if (a.ref[j] != b.ref[j]) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::SetAnsiCodePage(932);
  std::string bytes(reinterpret_cast<const char*>(data), size);
  static Loaded first, second, third;  // large: kept off the stack
  first = second = third = Loaded{};
  Load(bytes, first);
  CheckLoaded(first);
  std::string saved = Save(first);
  Load(saved, second);
  CheckLoaded(second);
  FUZZ_CHECK(Save(second) == saved);
  Load(Save(second), third);
  FUZZ_CHECK(SameRecord(second, third));
  return 0;
}
