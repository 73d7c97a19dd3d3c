// The six browse buttons: each fills one path field from the file dialog in
// its save form (an existing file or a new name; the folder must exist).
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {

namespace {

struct Row {
  const wchar_t* default_extension;  // empty for none
  const wchar_t* filter;
  const wchar_t* empty_folder;       // where the dialog opens when the field is empty
};

// The longest initial file name the file dialog takes (a buffer of 260 with
// the terminator). A longer field value is not offered: the dialog then opens
// in the row's folder, as for an empty field, and the field keeps its value
// unless the user confirms another path.
constexpr size_t kMaxInitialName = 259;

constexpr wchar_t kProgramFiles[] = L"C:\\Program Files\\";
constexpr wchar_t kDriveC[] = L"C:\\";

// Reads the controls, then lets the user choose a path for `field`; a
// confirmed choice is shown at once.
void Browse(CStartupDlgBar& dialog, const Row& row, std::wstring& field) {
  dialog.UpdateData(true);
  FileDialogRequest request;
  request.open = false;
  request.default_extension = row.default_extension;
  request.filter = row.filter;
  request.flags = kOfnPathMustExist;
  if (field.empty() || field.size() > kMaxInitialName)
    request.initial_folder = row.empty_folder;
  else
    request.initial_name = field;
  std::optional<std::wstring> chosen = dialog.RunFileDialog(request);
  if (!chosen) return;
  field = *chosen;
  dialog.UpdateData(false);
}

}  // namespace

void CStartupDlgBar::OnBrowseExe() {
  static const Row row{L"exe", L"Tarvik/Pellast実行ファイル|*.exe||", kProgramFiles};
  Browse(*this, row, settings.exe);
}

void CStartupDlgBar::OnBrowseMch() {
  static const Row row{L"mch", L"機械定義(*.mch)|*.mch||", kDriveC};
  Browse(*this, row, settings.mch);
}

void CStartupDlgBar::OnBrowseNc() {
  static const Row row{L"", L"NCファイル(*.*)|*.*||", kDriveC};
  Browse(*this, row, settings.nc_file);
}

void CStartupDlgBar::OnBrowsePrj() {
  static const Row row{L"prjx", L"プロジェクトファイル(*.prjx)|*.prjx|旧プロジェクトファイル(*.prj)|*.prj||", kDriveC};
  Browse(*this, row, settings.prj);
}

void CStartupDlgBar::OnBrowseTol() {
  static const Row row{L"tol", L"工具ファイル(*.tol)|*.tol||", kDriveC};
  Browse(*this, row, settings.tol);
}

void CStartupDlgBar::OnBrowseWrk() {
  static const Row row{L"wrk", L"素材ファイル(*.wrk)|*.wrk||", kDriveC};
  Browse(*this, row, settings.wrk);
}

}  // namespace quenlo::ui
