// The host's dialog base, function panel and framework services: the panel's
// window is the real dialog on Windows or the headless one (docks either),
// and the user is played by the panel script.
#include "headless_window.h"
#include "host/dialog.h"
#include "host/resources.h"
#include "host_state.h"
#include "panel_script.h"
#ifdef _WIN32
#include "win32_modal.h"
#include "win32_panel.h"
#endif

#ifdef _WIN32
#include <windows.h>
#endif

using standin::Host;
using standin::Report;

namespace {

class PanelWindow : public HostWindow {
 public:
  bool IsWindowVisible() const override { return Host().panel_visible; }
  void* GetSafeHwnd() const override { return nullptr; }
};

// The host's main window. On Windows a real (message-only) window, so that
// whatever the add-in hands on as its owner can be recognised.
class MainFrame : public HostWindow {
 public:
  bool IsWindowVisible() const override { return true; }
  void* GetSafeHwnd() const override {
#ifdef _WIN32
    static HWND window = CreateWindowExW(0, L"STATIC", L"quenlo-host", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         nullptr, nullptr);
    return window;
#else
    return nullptr;
#endif
  }
};

const ResourceModule*& CurrentResources() {
  static const ResourceModule* current = nullptr;
  return current;
}

}  // namespace

MCDialog::MCDialog(int template_id, MCDialog*, short, bool, int, bool) : template_id_(template_id) {}
MCDialog::~MCDialog() = default;
bool MCDialog::OnInitDialog() { return true; }
void MCDialog::DoDataExchange(CDataExchange*) {}
void MCDialog::OnOK() { EndDialog(1); }
bool MCDialog::OnCommand(int, int) { return false; }
void MCDialog::OnClose() {}
void MCDialog::OnPaint() {}
void MCDialog::OnSize() {}
void MCDialog::OnTimer(int) {}

bool MCDialog::UpdateData(bool save) {
  CDataExchange dx;
  dx.m_bSaveAndValidate = save;
  dx.window = window_;
  if (window_) DoDataExchange(&dx);
  return !dx.failed;
}

void MCDialog::EndDialog(int result) { end_result_ = result; }
void MCDialog::ShowWindow(int) {}

void CreateInFunctionPnl(MCDialog* dialog, const std::wstring& title) {
  auto& host = Host();
  const ResourceModule* resources = CurrentResources();
  const DialogTemplate* tpl = resources ? resources->FindDialog(dialog->template_id()) : nullptr;
#ifdef _WIN32
  if (tpl && host.real_windows) {
    // The dialog from the template in the module's own resources.
    host.dialog = dialog;
    host.panel_visible = true;
    host.window = standin::CreateWin32Panel(*resources, *tpl, title, dialog);
    if (host.window) {
      standin::ReportPanelShown();
      return;
    }
    host.dialog = nullptr;
    host.panel_visible = false;
    tpl = nullptr;
  }
#endif
  if (!tpl) {
    Report("panel: no dialog template " + std::to_string(dialog->template_id()) + " in the current resources");
    return;
  }
  host.window = std::make_unique<standin::HeadlessWindow>(*tpl);
  host.dialog = dialog;
  host.panel_visible = true;
  dialog->AttachWindow(host.window.get());
  Report("panel docked: ", title);
  dialog->OnInitDialog();
  standin::ReportPanelShown();
}

void DestroyInFunctionPnl() {
  auto& host = Host();
  if (host.dialog) {
    host.dialog->AttachWindow(nullptr);
    Report("panel removed");
  }
  host.dialog = nullptr;
  if (host.real_windows)
    host.window.reset();  // the real windows go with it
  else
    host.last_window = std::move(host.window);
  host.panel_visible = false;
}

HostWindow* get_FunctionPanel() {
  static PanelWindow panel;
  return Host().panel_exists ? &panel : nullptr;
}

HostWindow* get_MainFrame() {
  static MainFrame frame;
  return &frame;
}

bool AfxPumpMessage() {
  auto& host = Host();
  if (!host.script || !host.script->RunNext()) {
    // Nothing more from the user: the host hides its function panel.
    if (host.panel_visible) Report("panel hidden");
    host.panel_visible = false;
    if (host.window) host.window->HidePanel();
  }
  if (host.dialog && host.window) host.window->Pump();
  return true;
}

void AfxMessageBox(const std::wstring& text) {
#ifdef _WIN32
  if (Host().real_windows) {
    Report("message: ", text);
    standin::AnsweredMessageBox(nullptr, text, MB_OK | MB_ICONEXCLAMATION, IDOK);
    return;
  }
#endif
  Report("message: ", text);
}

const ResourceModule* AfxGetResourceHandle() { return CurrentResources(); }
void AfxSetResourceHandle(const ResourceModule* module) { CurrentResources() = module; }

const DialogControl* DialogTemplate::Find(int control_id) const {
  for (const DialogControl& c : controls)
    if (c.id == control_id) return &c;
  return nullptr;
}

const DialogControl* DialogTemplate::FindByName(const std::wstring& name) const {
  for (const DialogControl& c : controls)
    if (c.name && name == c.name) return &c;
  return nullptr;
}

const DialogTemplate* ResourceModule::FindDialog(int template_id) const {
  for (const DialogTemplate* d : dialogs)
    if (d->id == template_id) return d;
  return nullptr;
}
