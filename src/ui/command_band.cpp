// The command band: the panel's top strip in a solid colour, with the five
// command buttons right-aligned in it. Redrawn on a tick of timer 1 after any
// paint or resize, so the buttons follow the panel's width.
#include "ui/control_ids.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {
namespace {

constexpr int kBandHeight = 50;
constexpr unsigned long kBandColour = Rgb(91, 155, 213);

// Each button's place: x from the client area's right edge, y from its top.
struct BandPlace {
  int id;
  int from_right;
  int from_top;
};
constexpr BandPlace kBandPlaces[] = {
    {kCancel, 40, 10},         {kLaunch, 100, 10},       {kSaveToolsOnly, 160, 10},
    {kSaveSettings, 220, 10},  {kLoadSettings, 280, 10},
};

}  // namespace

void CStartupDlgBar::RedrawCommandBand() {
  DialogWindow* w = window();
  if (redraw_pending && w) {
    ClientRect band = w->GetClientRect();
    const int right = band.right;
    const int top = band.top;
    band.bottom = kBandHeight;
    // Without a device context nothing is drawn; the next paint or resize
    // asks again.
    if (w->FillSolidRect(band, kBandColour)) {
      for (const BandPlace& p : kBandPlaces) w->MoveControlToTop(p.id, right - p.from_right, top + p.from_top);
    }
  }
  redraw_pending = 0;
}

}  // namespace quenlo::ui
