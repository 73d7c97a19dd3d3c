// The setup sheet's drawings, inline SVG: each tool to one scale for the whole
// sheet, drawn from the profile pieces of the tool model (the numbers the tool
// file carries), and the stock with the work origin. Coordinates are written
// in tenths of a millimetre, whole numbers; the viewBox scales them.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "export/sheet/page_text.h"
#include "export/tools/tool_model.h"

namespace quenlo::sheet {

// A tool's drawing in millimetres: x across (0 on a milling tool's axis), y up
// from the tip.
struct ToolPicture {
  const ToolRecord* tool = nullptr;
  const HolderRecord* holder = nullptr;  // milling tools with a holder line in the file
  double gauge = 0;                      // the gauge line's height, when `has_gauge`
  bool has_gauge = false;
  double left = 0, right = 0, bottom = 0, top = 0;  // the extent, filled by Measure
  void Measure();
};

// The scale for every tool of the sheet, in CSS pixels per millimetre: the
// tallest and the widest drawing fit a table row.
double CommonScale(const std::vector<ToolPicture>& pictures);

// The milling profiles already drawn on a page. Shops keep many tools of one
// shape and many tools in holders of one type: a profile drawn before is not
// written again but shown by <use> of the first path, moved to its place
// (within a tenth of a millimetre of where its own path would put it).
class DrawnProfiles {
 public:
  struct Drawn {
    const Profile* profile;
    char name;      // 't' for a cutter, 'h' for a holder
    size_t id;      // the path is "<name><id>"
    double offset;  // the y its profile's 0 was drawn at, in millimetres down its drawing
  };
  // The first drawing of `profile` as a cutter or a holder; null if none.
  const Drawn* Find(const Profile& profile, char name) const;
  void Add(const Drawn& drawn);

 private:
  std::unordered_multimap<uint64_t, Drawn> drawn_;
};

// One tool's <svg>; `id` makes its paths' names unique in the page.
void AppendToolSvg(PageText& out, const ToolPicture& picture, size_t id, double scale, DrawnProfiles& drawn);

// A 10 mm bar at `scale`, labelled.
void AppendScaleBar(PageText& out, double scale);

// A view of the stock: a rectangle (or a circle) from (x0, y0) to (x1, y1) in
// millimetres of the view's two axes, the work origin marked at (0, 0).
enum class ViewShape { kRectangle, kCircle };
void AppendStockView(PageText& out, const wchar_t* title, const wchar_t* axes, ViewShape shape, double x0,
                     double y0, double x1, double y1);

}  // namespace quenlo::sheet
