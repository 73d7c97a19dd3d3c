// The pictures of the panel's buttons: the browse icon on the six browse
// buttons, and the four bitmaps (normal, pressed, focused, disabled) of each
// command button in the band.
#include "ui/control_ids.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {
namespace {

constexpr int kBrowseButtons[] = {kBrowseExe, kBrowseMch, kBrowsePrj, kBrowseTol, kBrowseNc, kBrowseWrk};

struct CommandPictures {
  int id;
  ButtonBitmaps bitmaps;
};
// In the order the buttons are made.
constexpr CommandPictures kCommandPictures[] = {
    {kLaunch, {18016, 18014, 18015, 18017}},        {kLoadSettings, {18020, 18018, 18019, 18021}},
    {kSaveSettings, {18024, 18022, 18023, 18025}},  {kCancel, {18012, 18011, 18030, 18013}},
    {kSaveToolsOnly, {18028, 18026, 18027, 18029}},
};

}  // namespace

void CStartupDlgBar::SetUpButtonPictures() {
  DialogWindow* w = window();
  if (!w) return;
  // A button or picture that is missing leaves that button as it is.
  for (int id : kBrowseButtons) w->SetButtonIcon(id, kBrowseIcon);
  for (const CommandPictures& c : kCommandPictures) w->MakeBitmapButton(c.id, c.bitmaps);
}

}  // namespace quenlo::ui
