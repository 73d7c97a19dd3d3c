#include "ui/settings_file_commands.h"

#include <memory>
#include <optional>

#include "common/messages.h"
#include "host/dialog.h"
#include "platform/files.h"
#include "settings/settings_file.h"
#include "settings/path_fields.h"
#include "settings/settings_store.h"
#include "ui/file_guards.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {
namespace {

constexpr wchar_t kFilter[] = L"設定ファイル(*.nvs)|*.nvs||";

std::optional<std::wstring> AskForFile(CStartupDlgBar& dialog, bool open) {
  FileDialogRequest request;
  request.open = open;
  request.default_extension = L"nvs";
  request.filter = kFilter;
  request.flags = kOfnPathMustExist;
  return dialog.RunFileDialog(request);
}

// Both tables at once, so that a load is taken whole or not at all.
struct Tables {
  AxisRow wcs[kWcsRows];
  AxisRow ref[kRefRows];
};

}  // namespace

void SaveSettingsFile(CStartupDlgBar& dialog) {
  std::optional<std::wstring> path = AskForFile(dialog, false);
  if (!path) return;
  if (!dialog.UpdateData(true)) return;  // the refused box has the focus; nothing is saved
  std::wstring same = SameFileMessage(SettingsFileFiles(dialog.settings, *path));
  if (!same.empty()) {
    dialog.ShowMessage(same);
    return;
  }
  dialog.FoldShownRows();
  std::string previous;
  platform::ReadWholeFile(*path, previous);  // what a path that cannot be written keeps
  std::string bytes = FormatSettingsFile(dialog.settings, WcsTable, RefTable, previous);
  bool saved = platform::ReplaceFileContents(*path, bytes);
  StoreFileMayHaveChanged();  // the user may have named the store itself
  if (!saved) {
    dialog.ShowMessage(messages::SettingsFileUnwritable(*path));
    return;
  }
  std::wstring not_kept = PathsNotKept(dialog.settings);
  if (!not_kept.empty()) dialog.ShowMessage(messages::PathsNotKept(not_kept));
}

void LoadSettingsFile(CStartupDlgBar& dialog) {
  std::optional<std::wstring> path = AskForFile(dialog, true);
  if (!path) return;
  StoreFileMayHaveChanged();
  std::string bytes;
  if (!platform::ReadWholeFile(*path, bytes)) {
    dialog.ShowMessage(messages::SettingsFileUnreadable(*path));
    return;
  }
  LinkSettings loaded = dialog.settings;
  auto tables = std::make_unique<Tables>();
  if (!ParseSettingsFile(bytes, loaded, tables->wcs, tables->ref)) {
    dialog.ShowMessage(messages::NotASettingsFile(*path));
    return;
  }
  dialog.settings = loaded;
  for (int i = 0; i < kWcsRows; ++i) WcsTable[i] = tables->wcs[i];
  for (int j = 0; j < kRefRows; ++j) RefTable[j] = tables->ref[j];
  dialog.LoadShownRows();
  dialog.UpdateData(false);
}

}  // namespace quenlo::ui
