// The command band and the buttons' pictures as the panel asks its window for
// them: the fill, the five button places after ticks, paints and resizes, and
// what happens without a device context or without a control.
#include <gtest/gtest.h>

#include <vector>

#include "panel_fixture.h"

namespace quenlo::ui {
namespace {

using Place = standin::HeadlessWindow::Place;

// The five buttons right-aligned in a client area `width` pixels wide.
std::vector<Place> BandPlaces(int width) {
  return {{kCancel, width - 40, 10},
          {kLaunch, width - 100, 10},
          {kSaveToolsOnly, width - 160, 10},
          {kSaveSettings, width - 220, 10},
          {kLoadSettings, width - 280, 10}};
}

TEST_F(PanelTest, OpeningGivesTheButtonsTheirPictures) {
  Open();
  for (int id : {kBrowseExe, kBrowseMch, kBrowsePrj, kBrowseTol, kBrowseNc, kBrowseWrk})
    EXPECT_EQ(W().ButtonIcon(id), kBrowseIcon) << id;
  EXPECT_EQ(W().Bitmaps(kLaunch), (ButtonBitmaps{18016, 18014, 18015, 18017}));
  EXPECT_EQ(W().Bitmaps(kLoadSettings), (ButtonBitmaps{18020, 18018, 18019, 18021}));
  EXPECT_EQ(W().Bitmaps(kSaveSettings), (ButtonBitmaps{18024, 18022, 18023, 18025}));
  EXPECT_EQ(W().Bitmaps(kCancel), (ButtonBitmaps{18012, 18011, 18030, 18013}));
  EXPECT_EQ(W().Bitmaps(kSaveToolsOnly), (ButtonBitmaps{18028, 18026, 18027, 18029}));
  EXPECT_EQ(W().ButtonIcon(kLaunch), 0);
  EXPECT_EQ(W().Bitmaps(kBrowseExe), ButtonBitmaps{});
}

TEST_F(PanelTest, TheBandIsDrawnOnTheNextTickAfterAPaintOrAResize) {
  Open();
  W().Resize(600, 900);
  EXPECT_TRUE(W().fills().empty());  // nothing before the first tick
  dialog->OnTimer(2);                // another timer draws nothing
  EXPECT_TRUE(W().fills().empty());
  dialog->OnTimer(1);
  ASSERT_EQ(W().fills().size(), 1u);
  const auto& fill = W().fills()[0];
  EXPECT_EQ(fill.colour, 0xD59B5Bu);  // RGB(91, 155, 213)
  EXPECT_EQ(fill.rect.left, 0);
  EXPECT_EQ(fill.rect.top, 0);
  EXPECT_EQ(fill.rect.right, 600);
  EXPECT_EQ(fill.rect.bottom, 50);
  EXPECT_EQ(W().moves(), BandPlaces(600));  // cancel's left edge 40 px from the right
  EXPECT_EQ(dialog->redraw_pending, 0);

  // Nothing more until a paint or a resize.
  W().ClearDrawing();
  dialog->OnTimer(1);
  EXPECT_TRUE(W().fills().empty());
  dialog->OnPaint();
  dialog->OnTimer(1);
  EXPECT_EQ(W().moves(), BandPlaces(600));

  W().ClearDrawing();
  W().Resize(1, 1);
  dialog->OnSize();
  dialog->OnTimer(1);
  ASSERT_EQ(W().fills().size(), 1u);
  EXPECT_EQ(W().fills()[0].rect.right, 1);
  EXPECT_EQ(W().fills()[0].rect.bottom, 50);  // the band keeps its height
  EXPECT_EQ(W().moves(), BandPlaces(1));      // off the left edge, as placed
}

TEST_F(PanelTest, WithoutADeviceContextNothingIsDrawnAndTheRequestIsCleared) {
  Open();
  W().set_has_dc(false);
  dialog->OnTimer(1);
  EXPECT_TRUE(W().fills().empty());
  EXPECT_TRUE(W().moves().empty());
  EXPECT_EQ(dialog->redraw_pending, 0);
  // The next paint asks again.
  W().set_has_dc(true);
  dialog->OnTimer(1);
  EXPECT_TRUE(W().fills().empty());
  dialog->OnPaint();
  dialog->OnTimer(1);
  EXPECT_EQ(W().fills().size(), 1u);
}

TEST_F(PanelTest, AControlMissingFromTheTemplateIsSkipped) {
  // Template 103 without the save-tools-only button.
  DialogTemplate lacking = *AddinResources().FindDialog(kPanelTemplate);
  lacking.controls.erase(std::remove_if(lacking.controls.begin(), lacking.controls.end(),
                                        [](const DialogControl& c) { return c.id == kSaveToolsOnly; }),
                         lacking.controls.end());
  ResourceModule module{L"lacking", {&lacking}};
  Open();
  DestroyInFunctionPnl();
  dialog = std::make_unique<CStartupDlgBar>();
  AfxSetResourceHandle(&module);
  CreateInFunctionPnl(dialog.get(), L"panel");
  ASSERT_NE(standin::Host().window, nullptr);
  EXPECT_EQ(W().Bitmaps(kSaveToolsOnly), ButtonBitmaps{});
  EXPECT_EQ(W().Bitmaps(kCancel).normal, 18012);
  W().Resize(600, 900);
  dialog->OnTimer(1);
  std::vector<Place> expected = BandPlaces(600);
  expected.erase(expected.begin() + 2);
  EXPECT_EQ(W().moves(), expected);
  Close();
}

}  // namespace
}  // namespace quenlo::ui
