// Resource and control identifiers of the settings panel.
#pragma once

namespace quenlo::ui {

inline constexpr int kPanelTemplate = 103;
inline constexpr int kBrowseIcon = 18008;

// Paths and their browse buttons.
inline constexpr int kExeCombo = 18011, kBrowseExe = 18012;
inline constexpr int kMchEdit = 18004, kBrowseMch = 18005;
inline constexpr int kPrjEdit = 18017, kBrowsePrj = 18018;
inline constexpr int kTolEdit = 18015, kBrowseTol = 18016;
inline constexpr int kNcEdit = 18013, kBrowseNc = 18014;
inline constexpr int kWrkEdit = 18019, kBrowseWrk = 18020;

// Work origin and its check box.
inline constexpr int kPartX = 18009, kPartY = 18021, kPartZ = 18022;
inline constexpr int kFromWorkStock = 18035;

// Initial/reference positions: selector, nine boxes X Y Z A B C U V W, check box.
inline constexpr int kRefCombo = 18026;
inline constexpr int kRefEdits[9] = {18023, 18024, 18025, 18036, 18037, 18038, 18042, 18043, 18044};
inline constexpr int kRefFromMachine = 18027;

// Work offsets: selector and nine boxes X Y Z A B C U V W.
inline constexpr int kWcsCombo = 18010;
inline constexpr int kWcsEdits[9] = {18006, 18007, 18008, 18039, 18040, 18041, 18045, 18046, 18047};

// Rotary-axis centres.
inline constexpr int kAAxisY = 18028, kAAxisZ = 18029;
inline constexpr int kBAxisX = 18030, kBAxisZ = 18032;
inline constexpr int kCAxisX = 18033, kCAxisY = 18034;

// The command band's bitmap buttons.
inline constexpr int kLoadSettings = 18031;
inline constexpr int kSaveSettings = 18048;
inline constexpr int kSaveToolsOnly = 18049;
inline constexpr int kCancel = 18050;
inline constexpr int kLaunch = 18051;

inline constexpr int kRedrawTimer = 1;
inline constexpr int kRedrawPeriodMs = 100;

}  // namespace quenlo::ui
