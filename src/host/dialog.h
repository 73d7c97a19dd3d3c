// The host's dialog base and function panel, and the framework services a
// dialog uses: its window's controls, data exchange, message boxes and file
// dialogs, and the message pump.
#pragma once

#include <optional>
#include <string>

#include "host/host_api.h"

// A window of the host (the function panel, the main window).
class HostWindow {
 public:
  virtual ~HostWindow() = default;
  virtual bool IsWindowVisible() const = 0;
  // The native window handle, or null where there is none.
  virtual void* GetSafeHwnd() const = 0;
};

// What a file dialog is asked for.
struct FileDialogRequest {
  bool open = false;              // open form; otherwise the save form
  std::wstring default_extension; // without the dot; empty for none
  std::wstring initial_name;      // initial file name, empty for none
  std::wstring initial_folder;    // initial folder, empty for none
  std::wstring filter;            // "text|pattern|...||"
  unsigned flags = 0;             // OFN_* flags
};

inline constexpr unsigned kOfnPathMustExist = 0x800;

// A rectangle in a window's client coordinates, in pixels.
struct ClientRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A colour as Windows holds it (0x00BBGGRR).
constexpr unsigned long Rgb(int red, int green, int blue) {
  return static_cast<unsigned long>(red) | (static_cast<unsigned long>(green) << 8) |
         (static_cast<unsigned long>(blue) << 16);
}

// The four pictures of an owner-drawn bitmap button: bitmap resource ids.
struct ButtonBitmaps {
  int normal = 0;
  int pressed = 0;
  int focused = 0;
  int disabled = 0;
  bool operator==(const ButtonBitmaps& o) const {
    return normal == o.normal && pressed == o.pressed && focused == o.focused && disabled == o.disabled;
  }
};

// The controls of a dialog's window, as the dialog reads and sets them.
class DialogWindow {
 public:
  virtual ~DialogWindow() = default;
  virtual std::wstring GetItemText(int id) = 0;
  virtual void SetItemText(int id, const std::wstring& text) = 0;
  virtual int GetCurSel(int id) = 0;  // -1 when nothing is selected
  virtual void SetCurSel(int id, int index) = 0;
  virtual void ResetContent(int id) = 0;
  virtual void AddString(int id, const std::wstring& text) = 0;
  virtual int GetCheck(int id) = 0;
  virtual void SetCheck(int id, int state) = 0;
  virtual void SetFocus(int id) = 0;
  virtual void ShowMessage(const std::wstring& text) = 0;
  // A message box with Yes and No buttons (MB_YESNO); true when the user answers Yes.
  virtual bool AskYesNo(const std::wstring& text) = 0;
  virtual std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request) = 0;
  virtual void SetTimer(int timer_id, int period_ms) = 0;
  virtual void AddToolTip(int id, const std::wstring& text) = 0;

  // Drawing and layout.
  virtual ClientRect GetClientRect() = 0;
  // Fills `rect` with a solid colour on the window's device context; false
  // when no device context can be had.
  virtual bool FillSolidRect(const ClientRect& rect, unsigned long colour) = 0;
  // Moves a control to x, y (client coordinates) keeping its size, puts it on
  // top of the z-order, shows it and redraws it at once; false when the
  // control does not exist.
  virtual bool MoveControlToTop(int id, int x, int y) = 0;
  // Shows icon `icon_id` of the current resources on a push button (through a
  // 16 x 16 image list); false when the button or the icon does not exist.
  virtual bool SetButtonIcon(int id, int icon_id) = 0;
  // Makes a button an owner-drawn bitmap button with the four bitmaps of the
  // current resources, sized to its bitmap; false when the button or a bitmap
  // does not exist.
  virtual bool MakeBitmapButton(int id, const ButtonBitmaps& bitmaps) = 0;
};

class MCDialog;

// The framework's data exchange between a dialog's controls and its members.
struct CDataExchange {
  bool m_bSaveAndValidate = false;  // true: controls to members
  bool failed = false;              // a control was refused; the exchange stopped there
  DialogWindow* window = nullptr;
};

// The host's dialog base class.
class HOST_API MCDialog {
 public:
  MCDialog(int template_id, MCDialog* parent, short a, bool b, int c, bool d);
  virtual ~MCDialog();
  MCDialog(const MCDialog&) = delete;
  MCDialog& operator=(const MCDialog&) = delete;

  virtual bool OnInitDialog();
  virtual void DoDataExchange(CDataExchange* dx);
  virtual void OnOK();
  // The message map: a command notification from a control. False when the
  // dialog does not handle it.
  virtual bool OnCommand(int control_id, int notification);
  virtual void OnClose();
  virtual void OnPaint();
  virtual void OnSize();
  virtual void OnTimer(int timer_id);

  // Controls to members (save = true) or members to controls. False when a
  // control was refused.
  bool UpdateData(bool save);
  void EndDialog(int result);
  void ShowWindow(int show);
  int template_id() const { return template_id_; }
  int end_result() const { return end_result_; }

  DialogWindow* window() const { return window_; }
  void AttachWindow(DialogWindow* window) { window_ = window; }

 private:
  int template_id_;
  int end_result_ = 0;
  DialogWindow* window_ = nullptr;
};

// Notifications.
inline constexpr int kBnClicked = 0;
inline constexpr int kCbnSelChange = 1;

// Creates `dialog`'s window inside the host's function panel, from the dialog
// template of the current resource source, and initialises it.
HOST_API void CreateInFunctionPnl(MCDialog* dialog, const std::wstring& title);
// Removes the dialog from the function panel.
HOST_API void DestroyInFunctionPnl();
HOST_API HostWindow* get_FunctionPanel();
HOST_API HostWindow* get_MainFrame();

// Pumps one message of the thread's queue, waiting for one if none is queued.
// False when the application is quitting.
HOST_API bool AfxPumpMessage();
// A message box with an OK button.
HOST_API void AfxMessageBox(const std::wstring& text);
