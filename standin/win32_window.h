// The panel's real window on Windows: the dialog created from template 103
// inside the function-panel frame. The controls are read and set through
// their own messages; the script's user actions are the window messages a
// user's input produces; file dialogs and message boxes are the real ones,
// answered from the script's queue.
#pragma once
#ifdef _WIN32

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/dialog.h"
#include "scripted_window.h"

namespace standin {

class Win32Window : public ScriptedWindow {
 public:
  // `owner` is the dialog object whose message map the window's messages go
  // to; the window keeps itself in the dialog's user data until it goes.
  Win32Window(const DialogTemplate& names, HINSTANCE resources, HWND frame, HWND dialog, std::wstring title,
              MCDialog* owner);
  ~Win32Window() override;

  // The dialog procedure of every panel: finds the window object in the
  // dialog's user data and passes the message to its handler.
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  std::wstring GetItemText(int id) override;
  void SetItemText(int id, const std::wstring& text) override;
  int GetCurSel(int id) override;
  void SetCurSel(int id, int index) override;
  void ResetContent(int id) override;
  void AddString(int id, const std::wstring& text) override;
  int GetCount(int id) override;
  std::wstring GetLBText(int id, int index) override;
  int GetCheck(int id) override;
  void SetCheck(int id, int state) override;
  void SetFocus(int id) override;
  void ShowMessage(const std::wstring& text) override;
  bool AskYesNo(const std::wstring& text) override;
  std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request) override;
  void SetTimer(int timer_id, int period_ms) override;
  void AddToolTip(int id, const std::wstring& text) override;
  ClientRect GetClientRect() override;
  bool FillSolidRect(const ClientRect& rect, unsigned long colour) override;
  bool MoveControlToTop(int id, int x, int y) override;
  bool SetButtonIcon(int id, int icon_id) override;
  bool MakeBitmapButton(int id, const ButtonBitmaps& bitmaps) override;

  void UserType(int id, const std::wstring& text) override;
  void UserSelect(int id, int index) override;
  void UserCheck(int id, bool on) override;
  void UserClick(int id) override;
  void UserClose() override;
  void Resize(int width, int height) override;
  bool Snapshot(const std::wstring& path, std::string& error) override;
  void Pump() override;
  void HidePanel() override;
  bool timer_running() const override { return timer_running_; }

  // Draws an owner-drawn bitmap button in the bitmap of its state.
  bool DrawItem(const DRAWITEMSTRUCT& item);
  // Delivers the pending messages, for at least `ms` milliseconds.
  void PumpFor(int ms);
  // The client area's pixels as they stand on the screen, rows top down,
  // 0x00RRGGBB each.
  bool Capture(std::vector<std::uint32_t>& pixels, int& width, int& height);

  HWND frame() const { return frame_; }
  HWND dialog() const { return dialog_; }
  HWND tool_tips() const { return tool_tips_; }

 private:
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  // The dialog's messages, routed to the owner's message map and handlers.
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  HINSTANCE resources_;
  MCDialog* owner_;
  HWND frame_;
  HWND dialog_;
  std::wstring title_;
  HWND tool_tips_ = nullptr;
  bool timer_running_ = false;
  std::vector<HICON> icons_;
  std::map<int, std::array<HBITMAP, 4>> bitmaps_;  // normal, pressed, focused, disabled
};

}  // namespace standin

#endif
