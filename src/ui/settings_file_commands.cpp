#include "ui/settings_file_commands.h"

#include <memory>
#include <optional>

#include "host/dialog.h"
#include "platform/files.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
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
  dialog.UpdateData(true);  // a refused box does not stop the save
  dialog.FoldShownRows();
  std::string bytes = FormatSettingsFile(dialog.settings, WcsTable, RefTable);
  bool saved = platform::ReplaceFileContents(*path, bytes);
  StoreFileMayHaveChanged();  // the user may have named the store itself
  if (!saved)
    dialog.ShowMessage(L"設定ファイル「" + *path + L"」を保存できませんでした。");
}

void LoadSettingsFile(CStartupDlgBar& dialog) {
  std::optional<std::wstring> path = AskForFile(dialog, true);
  if (!path) return;
  StoreFileMayHaveChanged();
  std::string bytes;
  if (!platform::ReadWholeFile(*path, bytes)) {
    dialog.ShowMessage(L"設定ファイル「" + *path + L"」を読み込めませんでした。");
    return;
  }
  LinkSettings loaded = dialog.settings;
  auto tables = std::make_unique<Tables>();
  ParseSettingsFile(bytes, loaded, tables->wcs, tables->ref);
  dialog.settings = loaded;
  for (int i = 0; i < kWcsRows; ++i) WcsTable[i] = tables->wcs[i];
  for (int j = 0; j < kRefRows; ++j) RefTable[j] = tables->ref[j];
  dialog.LoadShownRows();
  dialog.UpdateData(false);
}

}  // namespace quenlo::ui
