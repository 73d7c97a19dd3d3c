// The settings-file loader: any bytes load into a record of finite numbers
// and selections inside the tables; a loaded record saved and loaded again is
// the same record: its paths, selections and flags as they were, its numbers
// as the file keeps them, so that saving it again gives the same bytes. A
// path the code page cannot carry is not saved: loading the saved file into
// a panel that shows it keeps it.
#include <cmath>
#include <string>

#include "fuzz_check.h"
#include "platform/ansi.h"
#include "settings/path_fields.h"
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
  for (const SettingsField& f : kSettingsFields)
    if (f.kind == FieldKind::kNumber) FUZZ_CHECK(std::isfinite(l.settings.*f.number));
  FUZZ_CHECK(l.settings.wcs_num >= 0 && l.settings.wcs_num < kWcsRows - 1);
  FUZZ_CHECK(l.settings.ref_num >= 0 && l.settings.ref_num < kRefRows);
  FUZZ_CHECK(l.settings.ref_from_m == 0 || l.settings.ref_from_m == 1);
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::SetAnsiCodePage(932);
  std::string bytes(reinterpret_cast<const char*>(data), size);
  static Loaded first, second;  // large: kept off the stack
  first = second = Loaded{};
  Load(bytes, first);
  CheckLoaded(first);
  std::string saved = Save(first);
  for (const SettingsField& f : kSettingsFields)
    if (f.kind == FieldKind::kPath && f.in_file && !PathCarried(first.settings, f))
      second.settings.*f.text = first.settings.*f.text;
  Load(saved, second);
  CheckLoaded(second);
  FUZZ_CHECK(Save(second) == saved);
  const LinkSettings& a = first.settings;
  const LinkSettings& b = second.settings;
  // A path keeps its text in the code page; a CR inside it (the only line
  // break a loaded line can hold) may be saved as a blank.
  auto saved_as = [](const std::wstring& path) {
    std::wstring text = platform::FromAnsi(platform::ToAnsi(path));
    for (wchar_t& c : text)
      if (c == L'\r') c = L' ';
    return text;
  };
  for (const SettingsField& f : kSettingsFields)
    if (f.kind == FieldKind::kPath && f.in_file && b.*f.text != a.*f.text)
      FUZZ_CHECK(saved_as(b.*f.text) == saved_as(a.*f.text));
  FUZZ_CHECK(a.wcs_num == b.wcs_num && a.ref_num == b.ref_num && a.ref_from_m == b.ref_from_m);
  return 0;
}
