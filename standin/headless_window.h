// The panel's window without a screen: it keeps every control's state, and the
// panel script plays the user on it. Message boxes and file dialogs are
// reported to the host's transcript; file dialogs and Yes/No boxes take their
// answers from queues that the script fills.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/dialog.h"
#include "host/resources.h"
#include "scripted_window.h"

namespace standin {

class HeadlessWindow : public ScriptedWindow {
 public:
  explicit HeadlessWindow(const DialogTemplate& dialog_template) : ScriptedWindow(dialog_template) {}

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

  // The user's side: the state changes, then the panel hears of it.
  void UserType(int id, const std::wstring& text) override;
  void UserSelect(int id, int index) override;
  void UserCheck(int id, bool on) override;
  void UserClick(int id) override;
  void UserClose() override;
  void Resize(int width, int height) override;
  bool Snapshot(const std::wstring& path, std::string& error) override;
  void Pump() override;
  bool timer_running() const override { return timer_period_ > 0; }

  int focus() const { return focus_; }
  std::wstring ToolTip(int id) const;
  // Whether a device context can be had for drawing.
  void set_has_dc(bool has_dc) { has_dc_ = has_dc; }

  // What was drawn and placed, in order.
  struct Fill {
    ClientRect rect;
    unsigned long colour;
  };
  struct Place {
    int id;
    int x;
    int y;
    bool operator==(const Place& o) const { return id == o.id && x == o.x && y == o.y; }
  };
  const std::vector<Fill>& fills() const { return fills_; }
  const std::vector<Place>& moves() const { return moves_; }
  void ClearDrawing() {
    fills_.clear();
    moves_.clear();
  }
  // A button's icon (0 for none) and bitmaps (all 0 for a plain button).
  int ButtonIcon(int id) const;
  ButtonBitmaps Bitmaps(int id) const;

 private:
  struct Control {
    std::wstring text;
    std::vector<std::wstring> items;
    int selection = -1;
    int check = 0;
    int icon = 0;
    ButtonBitmaps bitmaps;
  };
  Control& At(int id) { return controls_[id]; }

  std::map<int, Control> controls_;
  std::map<int, std::wstring> tool_tips_;
  int timer_period_ = 0;
  int focus_ = 0;
  // The panel's client area as the host first shows it: template 103's
  // 247 x 523 dialog units in the template's font.
  int width_ = 371;
  int height_ = 850;
  bool has_dc_ = true;
  std::vector<Fill> fills_;
  std::vector<Place> moves_;
};

}  // namespace standin
