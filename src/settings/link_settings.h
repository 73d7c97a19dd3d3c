// Everything the user decides for one link run. The scalar half lives in the
// panel object for one run; the two axis tables live as long as the add-in is
// loaded and are reloaded from the settings store by every run.
#pragma once

#include <array>
#include <string>

namespace quenlo {

// Nine values X, Y, Z (linear), A, B, C (rotary), U, V, W (secondary linear).
using AxisRow = std::array<double, 9>;

inline constexpr int kWcsRows = 316;  // 0 EXOFS, 1..6 G54..G59, 7..306 G54.1 P1..P300, 307..314 G54.2 P01..P08, 315
inline constexpr int kRefRows = 5;    // 0 initial position, 1..4 reference-return positions

struct LinkSettings {
  std::wstring exe;      // simulator executable to start
  std::wstring exe_alt;  // the other simulator executable
  std::wstring mch;      // machine definition file
  std::wstring nc_file;  // NC program file
  std::wstring prj;      // project file to write and open
  std::wstring tol;      // tool file to write
  std::wstring wrk;      // stock file
  int wcs_num = 0;       // selected work-offset row
  int wcs_shown = 0;     // the row the work-offset boxes show
  AxisRow wcs_edit{};    // the work-offset boxes
  double part_x = 0, part_y = 0, part_z = 0;  // work origin
  double part_manual[3] = {0, 0, 0};          // the typed origin, kept while it is derived
  double a_axis_y = 0, a_axis_z = 0;          // rotary-axis centres
  double b_axis_x = 0, b_axis_z = 0;
  double c_axis_x = 0, c_axis_y = 0;
  AxisRow ref_edit{};    // the initial-position boxes
  int ref_num = 0;       // selected initial/reference row
  int ref_shown = 0;     // the row the initial-position boxes show
  int ref_from_m = 0;    // initial tool position relative to the machine origin
  int from_wrk_st = 0;   // work origin derived from the stock set-up and the shown offset
};

// The module-wide tables: zero at load, refilled by every run.
extern AxisRow WcsTable[kWcsRows];
extern AxisRow RefTable[kRefRows];

}  // namespace quenlo
