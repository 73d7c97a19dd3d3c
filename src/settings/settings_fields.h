// The settings record described once: one row per field, with where it
// travels. The store's read and write, the settings file's save and load, the
// panel's data exchange, the panel script's control names and the launch's
// required fields all read this table, so a new setting is one row here, one
// member of LinkSettings and one control in the panel's template.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/link_settings.h"

namespace quenlo {

enum class FieldKind {
  kPath,         // text, kept as it stands
  kNumber,       // a double, "%g" in the files
  kFlag,         // a check box, 0 or 1
  kRowSelector,  // the index of a table row the panel shows
  kRowBox,       // one of the nine boxes of the shown row (wcs_edit or ref_edit)
};

struct SettingsField {
  const char* key;       // the store's and the settings file's key
  const wchar_t* name;   // the control's name in the panel script
  const wchar_t* label;  // as the panel and its messages name the field
  FieldKind kind;
  std::wstring LinkSettings::*text = nullptr;  // kPath
  double LinkSettings::*number = nullptr;      // kNumber
  int LinkSettings::*integer = nullptr;        // kFlag, kRowSelector
  AxisRow LinkSettings::*row = nullptr;        // kRowBox, with `axis`
  int axis = 0;
  int file_order = 0;    // place in the store and the settings file; 0: in neither
  bool stored = false;   // in the store
  bool in_file = false;  // in the settings file (.nvs)
  bool required = false; // a launch needs it filled in
};

// Every field of the panel, in the order of its data exchange.
inline constexpr size_t kSettingsFieldCount = 37;
extern const SettingsField kSettingsFields[kSettingsFieldCount];

// The field whose key or script name is `name`; null for none.
const SettingsField* FindSettingsField(std::wstring_view name);
// The field of a path or number member.
const SettingsField& FieldOf(std::wstring LinkSettings::*text);
const SettingsField& FieldOf(double LinkSettings::*number);

// A launch goes ahead only with every required field filled in.
bool ReadyToLaunch(const LinkSettings& s);

// The row keys of the two tables in the store ("xyz N", "ref N") and, with a
// blank after them, in the settings file.
inline constexpr char kWcsRowKey[] = "xyz";
inline constexpr char kRefRowKey[] = "ref";

// The fields of the store (or the settings file), in the order those files
// keep them; sorted once.
const std::vector<const SettingsField*>& FileFields(bool settings_file);

// Calls `visit` for the fields of the store (or the settings file), in the
// order those files keep them.
template <typename Visit>
void ForEachFileField(bool settings_file, Visit visit) {
  for (const SettingsField* field : FileFields(settings_file)) visit(*field);
}

}  // namespace quenlo
