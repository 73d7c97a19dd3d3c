#include "entry/link_run.h"

#include <optional>

#include "common/messages.h"
#include "common/numbers.h"
#include "entry/nc_path.h"
#include "export/project/project_writer.h"
#include "export/sheet/sheet_writer.h"
#include "export/tools/tool_file_writer.h"
#include "host/dialog.h"
#include "host/nc_file.h"
#include "host/operations.h"
#include "platform/files.h"
#include "settings/axis_row_text.h"
#include "settings/path_fields.h"
#include "settings/settings_fields.h"
#include "settings/settings_store.h"
#include "simulator/simulator_launch.h"
#include "simulator/simulator_locator.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo {
namespace {

constexpr wchar_t kPanelTitle[] = L"Quenlo for Tarvik/Pellast";
constexpr wchar_t kZeroRow[] = L"0 0 0 0 0 0 0 0 0";
constexpr int kShowWindow = 5;  // SW_SHOW: the run shows the panel it docked

// The first operation whose flag byte says it names the NC file.
bool FindNcOperation(operation& op) {
  DB_LIST_ENT* cursor = nullptr;
  bool found = false;
  operation_manager(&op, kOpFirst, &cursor, &found);
  while (found && op.names_nc == 0) operation_manager(&op, kOpNext, &cursor, &found);
  return found && op.names_nc != 0;
}

std::wstring RowKey(const char* name, int n) { return WidenAscii(name) + L" " + std::to_wstring(n); }

void LoadTable(AxisRow* table, int rows, const char* name) {
  for (int n = 0; n < rows; ++n) {
    AxisRow row{};
    ScanAxisRow(ReadStoreValue(RowKey(name, n), kZeroRow), row);
    table[n] = row;
  }
}

// A field's value as the store writes it, and read back into the record.
std::wstring StoreText(const SettingsField& f, const LinkSettings& s) {
  switch (f.kind) {
    case FieldKind::kPath: return s.*f.text;
    case FieldKind::kNumber: return WFormatG(s.*f.number);
    default: return WFormatD(s.*f.integer);
  }
}

void ReadStored(const SettingsField& f, LinkSettings& s) {
  switch (f.kind) {
    case FieldKind::kPath: s.*f.text = ReadStoreValue(WidenAscii(f.key), L""); break;
    case FieldKind::kNumber: s.*f.number = ParseStoredDouble(ReadStoreValue(WidenAscii(f.key), L"0")); break;
    default: s.*f.integer = ParseLeadingInt(ReadStoreValue(WidenAscii(f.key), L"0"));
  }
}

// The two entries of the executable list: the stored one and the other
// simulator, or whatever the registry finds.
void ChooseExecutables(const std::wstring& stored_exe, LinkSettings& s) {
  if (!stored_exe.empty()) {
    s.exe = stored_exe;
    std::vector<wchar_t> folder(stored_exe.size() + 1), base(stored_exe.size() + 1), ext(stored_exe.size() + 1);
    SecureReduceFileName(stored_exe.c_str(), folder.data(), folder.size(), base.data(), base.size(), ext.data(),
                         ext.size());
    std::wstring other = std::wstring(base.data()) == L"Pellast" ? LocateTarvik() : LocatePellast();
    if (!other.empty()) s.exe_alt = other;
    return;
  }
  std::wstring tarvik = LocateTarvik();
  if (!tarvik.empty()) s.exe = tarvik;
  std::wstring pellast = LocatePellast();
  if (!pellast.empty()) (s.exe.empty() ? s.exe : s.exe_alt) = pellast;
}

void StoreSettings(const LinkSettings& s) {
  StoreWrite w;
  ForEachFileField(false, [&](const SettingsField& f) {
    // A path that the store's code page cannot carry would come back naming
    // another file (the next launch would write there): its key keeps what
    // it had, and the user is told below.
    if (f.kind == FieldKind::kPath && !PathCarried(s, f)) return;
    w.Set(WidenAscii(f.key), StoreText(f, s));
  });
  for (int n = 0; n < kWcsRows; ++n) w.Set(RowKey(kWcsRowKey, n), FormatAxisRow(WcsTable[n]));
  for (int n = 0; n < kRefRows; ++n) w.Set(RowKey(kRefRowKey, n), FormatAxisRow(RefTable[n]));
  // The user confirmed these settings; losing them without a word would show
  // the old ones at the next run as if nothing had happened.
  if (!w.Commit()) {
    std::wstring path = StorePathForMessages();
    AfxMessageBox(messages::kStoreUnwritable + (path.empty() ? L"" : L"\n" + path));
    return;
  }
  std::wstring not_kept = PathsNotKept(s);
  if (!not_kept.empty()) AfxMessageBox(messages::PathsNotKept(not_kept));
}

// The tool file, the project file (with a solid stock's STL file), the setup
// sheet, the start of the simulator. The simulator is started only on files
// that were all written: otherwise it would load another job's project or no
// tools. Every failure is shown in one message, which says that nothing was
// started. The sheet is for people: its failure has a message of its own and
// the launch goes on.
void ExportAndLaunch(const LinkSettings& s, const nc_check::CheckOutcome& check) {
  std::wstring tool_failure, project_failure;
  ToolModel tool_model;
  std::optional<sheet::SheetWriting> sheet;
  const bool sheet_wanted = ReadStoreValue(L"setup_sheet", L"") != L"0";
  bool tools = WriteToolFile(s.tol, tool_model, tool_failure, [&](const ToolModel& model) {
    if (sheet_wanted) sheet.emplace(s, model, check);
  });
  bool project = WriteProjectFile(s, project_failure);
  if (tools && project) {
    if (sheet) sheet->Write();
    LaunchSimulator(s.exe, s.prj);
    return;
  }
  std::wstring message = tool_failure;
  if (!project_failure.empty()) message += (message.empty() ? L"" : L"\n") + project_failure;
  AfxMessageBox(message + L"\n" + messages::kSimulatorNotStarted);
}

}  // namespace

void LinkRun() {
  operation op;
  bool found = FindNcOperation(op);

  // The store is read once for the whole run: the run's reads, the panel's
  // initialisation and its handlers.
  StoreReadScope store_reads;
  LoadTable(WcsTable, kWcsRows, kWcsRowKey);
  LoadTable(RefTable, kRefRows, kRefRowKey);

  ui::CStartupDlgBar dialog;
  LinkSettings& s = dialog.settings;
  ForEachFileField(false, [&s](const SettingsField& f) { ReadStored(f, s); });
  if (found) {
    s.nc_file = ReplaceSuffix(BuildNcPath(op.nc_name, NCPrefixStr(nullptr)), NCSuffix(nullptr));
  } else {
    s.nc_file = NCFile(nullptr, nullptr, nullptr, nullptr);
  }
  // The work origin the store holds is the typed one, which the panel's
  // initialisation takes from the store itself (part_manual).
  s.part_x = s.part_y = s.part_z = 0;
  const std::wstring stored_exe = std::move(s.exe);
  s.exe.clear();
  ChooseExecutables(stored_exe, s);
  s.ref_shown = s.ref_num;
  s.wcs_shown = s.wcs_num;

  CreateInFunctionPnl(&dialog, kPanelTitle);
  dialog.ShowWindow(kShowWindow);
  HostWindow* panel = get_FunctionPanel();
  for (;;) {
    if (dialog.dialog_done) break;
    AfxPumpMessage();
    if (!panel || !panel->IsWindowVisible()) break;
  }
  DestroyInFunctionPnl();

  if (dialog.launch_requested && ReadyToLaunch(s)) {
    platform::ReplacementBatch batch;
    ExportAndLaunch(s, dialog.nc_check_outcome);
    StoreSettings(s);
  }
}

}  // namespace quenlo
