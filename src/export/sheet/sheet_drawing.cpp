#include "export/sheet/sheet_drawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "common/numbers.h"
#include "export/sheet/sheet_text.h"

namespace quenlo::sheet {
namespace {

constexpr double kMargin = 2;  // mm around every drawing

// Millimetres in the drawings' unit, tenths of a millimetre, whole: a fifth of
// a pixel at the largest scale, and a digit less than hundredths would write.
constexpr double kUnitsPerMm = 10;
// Rounded half away from zero, as std::round does, in integer steps: a sheet
// rounds tens of thousands of these, and the library's round is a call.
long long Units(double mm) {
  const double v = mm * kUnitsPerMm;
  if (!(std::fabs(v) < 1e16)) return 0;  // not finite, or far beyond any drawing
  long long u = static_cast<long long>(v);        // toward zero
  const double rest = v - static_cast<double>(u);  // exact below 2^52
  if (rest >= 0.5) ++u;
  else if (rest <= -0.5) --u;
  constexpr long long kLimit = 1000000000000000;  // 1e15 units
  return u < kLimit && u > -kLimit ? u : 0;
}
void AppendMm(PageText& out, double mm) { out.PutD(Units(mm)); }

// A path in the drawing's coordinates: y up in millimetres, written y down.
// After the first point every step is relative ("l", "a"), between points
// rounded to the unit, so nothing adds up; lines after a line go without
// their letter, as SVG allows. A sheet holds tens of thousands of these
// numbers: each step is written in place in the page.
class PathText {
 public:
  PathText(PageText& out, double dy) : out_(out), dy_(dy) {}

  void To(double x, double y) {
    Room();
    const long long ux = Units(x), uy = Units(dy_ - y);
    if (!started_) {
      *at_++ = 'M';
      Int(ux);
      *at_++ = ' ';
      Int(uy);
      last_ = 'M';  // pairs after M would be absolute lines: the next step says "l"
    } else {
      *at_++ = last_ == 'l' ? ' ' : 'l';
      last_ = 'l';
      Int(ux - x_);
      *at_++ = ' ';
      Int(uy - y_);
    }
    x_ = ux;
    y_ = uy;
    last_y_ = y;
    started_ = true;
    out_.Advance(at_);
  }
  void Arc(const ProfilePiece& p) {
    if (!started_) To(0, 0);
    Room();
    const long long ux = Units(p.x), uy = Units(dy_ - p.y), r = Units(p.radius);
    *at_++ = 'a';
    Int(r);
    *at_++ = ' ';
    Int(r);
    // Turning the positive way with y up is clockwise on a page whose y runs down.
    for (const char* c = p.positive ? " 0 0 1 " : " 0 0 0 "; *c; ++c) *at_++ = *c;
    Int(ux - x_);
    *at_++ = ' ';
    Int(uy - y_);
    x_ = ux;
    y_ = uy;
    last_y_ = p.y;
    last_ = 'a';
    out_.Advance(at_);
  }
  void Pieces(const Profile& profile, bool from_axis) {
    if (from_axis && !profile.empty() && profile[0].kind != 'P' && profile[0].kind != 'F') To(0, 0);
    for (const ProfilePiece& p : profile) {
      switch (p.kind) {
        case 'A': Arc(p); break;
        case 'F':
          To(p.from_x, 0);
          To(p.x, 0);
          break;
        default: To(p.x, p.y);
      }
    }
  }
  // Back to the axis at the last height, and closed.
  void CloseToAxis() {
    if (started_) To(0, last_y_);
    Close();
  }
  void Close() {
    Room();
    *at_++ = 'Z';
    out_.Advance(at_);
  }

 private:
  // The longest step: "a", five numbers of at most 20 characters, 11 more.
  static constexpr long kLongestStep = 5 * 20 + 12;
  void Room() { at_ = out_.Room(kLongestStep); }
  void Int(long long v) { at_ = std::to_chars(at_, at_ + 20, v).ptr; }

  PageText& out_;
  double dy_;
  char* at_ = nullptr;  // within a step: where it writes
  long long x_ = 0, y_ = 0;  // the last point, in units as written
  double last_y_ = 0;
  char last_ = 0;
  bool started_ = false;
};

// A positive number with at most `decimals` decimals (at most 6), trailing
// zeros left out (sizes in pixels, stroke widths), written at `at`, which has
// room for kFixedRoom characters; the end of what was written.
constexpr size_t kFixedRoom = 24;
char* WriteFixed(char* at, double value, int decimals) {
  long long scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const double v = std::round(value * static_cast<double>(scale));
  const long long n = std::isfinite(v) && v >= 0 && v < 1e15 ? static_cast<long long>(v) : 0;
  at = std::to_chars(at, at + 16, n / scale).ptr;
  long long fraction = n % scale;
  if (fraction == 0) return at;
  *at++ = '.';
  for (long long digit = scale / 10; digit > 0 && fraction > 0; digit /= 10) {
    *at++ = static_cast<char>('0' + fraction / digit);
    fraction %= digit;
  }
  return at;
}
void AppendFixed(PageText& out, double value, int decimals) {
  out.Advance(WriteFixed(out.Room(kFixedRoom), value, decimals));
}

void Extend(ToolPicture& p, double x, double y) {
  p.left = std::min(p.left, x);
  p.right = std::max(p.right, x);
  p.bottom = std::min(p.bottom, y);
  p.top = std::max(p.top, y);
}

// The values taken, but for NaN, which Extend passes over as well.
struct Range {
  double low = HUGE_VAL, high = -HUGE_VAL;
  void Take(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
  bool any() const { return low <= high; }
};

// The profile's points, raised by dy (and mirrored): the extent of their x
// and of their y first, then the bounds those give, the same as point by
// point (adding dy keeps the order).
void ExtendBy(ToolPicture& p, const Profile& profile, double dy, bool mirrored) {
  Range x, y, floor_x;  // floor: the pieces 'F', which run along y = 0
  bool floor = false;
  for (const ProfilePiece& piece : profile) {
    x.Take(piece.x);
    y.Take(piece.y);
    if (piece.kind == 'F') {
      floor_x.Take(piece.from_x);
      floor = true;
    }
  }
  auto take_x = [&p](const Range& r) {
    p.left = std::min(p.left, r.low);
    p.right = std::max(p.right, r.high);
  };
  if (x.any()) {
    take_x(x);
    if (mirrored) take_x({-x.high, -x.low});
  }
  if (floor_x.any()) take_x(floor_x);
  if (y.any()) {
    p.bottom = std::min(p.bottom, y.low + dy);
    p.top = std::max(p.top, y.high + dy);
  }
  if (floor) {
    p.bottom = std::min(p.bottom, dy);
    p.top = std::max(p.top, dy);
  }
}

void OpenSvg(PageText& out, const char* cls, double left, double bottom, double right, double top, double scale,
             double margin = kMargin) {
  const double w = right - left + 2 * margin, h = top - bottom + 2 * margin;
  out += "<svg class=\"";
  out += cls;
  out += "\" width=\"";
  AppendFixed(out, w * scale, 1);
  out += "\" height=\"";
  AppendFixed(out, h * scale, 1);
  out += "\" viewBox=\"";
  AppendMm(out, left - margin);
  out += ' ';
  AppendMm(out, -margin);
  out += ' ';
  AppendMm(out, w);
  out += ' ';
  AppendMm(out, h);
  out += "\">";
}

}  // namespace

void ToolPicture::Measure() {
  left = right = bottom = top = 0;
  const bool mill = !tool->turning;
  ExtendBy(*this, tool->profile, 0, mill);
  if (mill) Extend(*this, 0, tool->length);
  if (holder && holder->kind == HolderRecord::Kind::kStandard) {
    Extend(*this, -holder->dia / 2, tool->projection);
    Extend(*this, holder->dia / 2, tool->projection + holder->length);
  } else if (holder && holder->kind == HolderRecord::Kind::kUser) {
    ExtendBy(*this, holder->profile, tool->projection, true);
  }
  if (has_gauge) Extend(*this, 0, gauge);
}

double CommonScale(const std::vector<ToolPicture>& pictures) {
  double tallest = 0, widest = 0;
  for (const ToolPicture& p : pictures) {
    tallest = std::max(tallest, p.top - p.bottom + 2 * kMargin);
    widest = std::max(widest, p.right - p.left + 2 * kMargin);
  }
  // At most 2 px a millimetre; the tallest tool in 200 px, the widest in 160.
  double scale = 2;
  if (tallest > 0) scale = std::min(scale, 200 / tallest);
  if (widest > 0) scale = std::min(scale, 160 / widest);
  return scale;
}

namespace {

// A milling profile's key, from its pieces bit for bit. Each piece's numbers
// are combined on their own and only a rotation chains the pieces, so that
// the key costs little beside writing the path; the rare profiles that share
// a key are told apart piece by piece.
uint64_t ProfileKey(const Profile& profile, char name) {
  uint64_t key = static_cast<unsigned char>(name);
  for (const ProfilePiece& p : profile) {
    uint64_t x, y, from_x, radius;
    std::memcpy(&x, &p.x, 8);
    std::memcpy(&y, &p.y, 8);
    std::memcpy(&from_x, &p.from_x, 8);
    std::memcpy(&radius, &p.radius, 8);
    const uint64_t piece = x + 3 * y + 5 * from_x + 7 * radius +
                           (static_cast<uint64_t>(static_cast<unsigned char>(p.kind)) << 1 | (p.positive ? 1 : 0));
    key = (key << 7 | key >> 57) ^ piece;
  }
  return key * 0x9E3779B97F4A7C15ull;
}

bool SamePiece(const ProfilePiece& p, const ProfilePiece& q) {
  return p.kind == q.kind && p.x == q.x && p.y == q.y && p.from_x == q.from_x && p.radius == q.radius &&
         p.positive == q.positive;
}

bool SamePieces(const Profile& a, const Profile& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SamePiece);
}

void AppendPathRef(PageText& out, char name, size_t id) {
  out += "href=\"#";
  out += name;
  out.PutD(static_cast<long long>(id));
  out += '"';
}

// A profile and its mirror image about the axis, in a group of `cls`, drawn
// from `offset` (the page's y of the profile's 0). The copy that <use> makes
// takes its fill and stroke from the group, not from the page's style rules,
// so the group carries the width of one pixel. A profile drawn before on the
// page is shown by two <use> of that path.
void AppendMirrored(PageText& out, const char* cls, char name, size_t id, std::string_view stroke,
                    const Profile& profile, double offset, bool from_axis, DrawnProfiles& drawn) {
  out += "<g class=\"";
  out += cls;
  out += "\" stroke-width=\"";
  out += stroke;
  out += "\">";
  if (const DrawnProfiles::Drawn* first = drawn.Find(profile, name)) {
    const long long shift = Units(offset - first->offset);
    for (const char* mirror : {"", " transform=\"scale(-1 1)\""}) {
      out += "<use ";
      AppendPathRef(out, name, first->id);
      out += " y=\"";
      out.PutD(shift);
      out += '"';
      out += mirror;
      out += "/>";
    }
    out += "</g>";
    return;
  }
  drawn.Add({&profile, name, id, offset});
  out += "<path id=\"";
  out += name;
  out.PutD(static_cast<long long>(id));
  out += "\" d=\"";
  {
    PathText path(out, offset);
    path.Pieces(profile, from_axis);
    path.CloseToAxis();
  }
  out += "\"/><use ";
  AppendPathRef(out, name, id);
  out += " transform=\"scale(-1 1)\"/></g>";
}

}  // namespace

const DrawnProfiles::Drawn* DrawnProfiles::Find(const Profile& profile, char name) const {
  auto [from, to] = drawn_.equal_range(ProfileKey(profile, name));
  for (; from != to; ++from)
    if (from->second.name == name && SamePieces(*from->second.profile, profile)) return &from->second;
  return nullptr;
}

void DrawnProfiles::Add(const Drawn& drawn) { drawn_.emplace(ProfileKey(*drawn.profile, drawn.name), drawn); }

void AppendToolSvg(PageText& out, const ToolPicture& p, size_t id, double scale, DrawnProfiles& drawn) {
  OpenSvg(out, "tool", p.left, p.bottom, p.right, p.top, scale);
  // The viewBox's y runs down from the top of the drawing.
  const double dy = p.top;
  const ToolRecord& t = *p.tool;
  // One pixel in the drawing's units: the same for every tool of the sheet.
  char stroke_text[kFixedRoom];
  const std::string_view stroke(stroke_text,
                                static_cast<size_t>(WriteFixed(stroke_text, kUnitsPerMm / scale, 2) - stroke_text));
  if (t.turning && !t.profile.empty()) {
    out += "<path class=\"cutter\" d=\"";
    {
      PathText path(out, dy);
      path.Pieces(t.profile, false);
      path.Close();
    }
    out += "\"/>";
  } else if (!t.profile.empty()) {
    AppendMirrored(out, "cutter", 't', id, stroke, t.profile, dy, true, drawn);
  }
  // The holder over the tool: the shank inside it shows through.
  if (p.holder && p.holder->kind == HolderRecord::Kind::kStandard) {
    out += "<rect class=\"holder\" x=\"";
    AppendMm(out, -p.holder->dia / 2);
    out += "\" y=\"";
    AppendMm(out, dy - t.projection - p.holder->length);
    out += "\" width=\"";
    AppendMm(out, p.holder->dia);
    out += "\" height=\"";
    AppendMm(out, p.holder->length);
    out += "\"/>";
  } else if (p.holder && p.holder->kind == HolderRecord::Kind::kUser && !p.holder->profile.empty()) {
    // The holder's profile stands on the projection.
    AppendMirrored(out, "holder", 'h', id, stroke, p.holder->profile, dy - t.projection, false, drawn);
  }
  if (!t.turning) {
    out += "<line class=\"axis\" x1=\"0\" x2=\"0\" y1=\"";
    AppendMm(out, -kMargin);
    out += "\" y2=\"";
    AppendMm(out, dy - p.bottom + kMargin);
    out += "\"/>";
  }
  if (p.has_gauge) {
    out += "<line class=\"gauge\" x1=\"";
    AppendMm(out, p.left - kMargin);
    out += "\" x2=\"";
    AppendMm(out, p.right + kMargin);
    out += "\" y1=\"";
    AppendMm(out, dy - p.gauge);
    out += "\" y2=\"";
    AppendMm(out, dy - p.gauge);
    out += "\"/>";
  }
  out += "</svg>";
}

void AppendScaleBar(PageText& out, double scale) {
  const double bar = 10 * scale;
  out += "<svg class=\"scale\" width=\"";
  AppendFixed(out, bar + 8, 1);
  out += "\" height=\"12\"><path d=\"M4 2V10H";
  AppendFixed(out, bar + 4, 1);
  out += "V2\"/></svg> 10 mm";
}

void AppendStockView(PageText& out, const wchar_t* title, const wchar_t* axes, ViewShape shape, double x0,
                     double y0, double x1, double y1) {
  const double left = std::min({x0, x1, 0.0}), right = std::max({x0, x1, 0.0});
  const double bottom = std::min({y0, y1, 0.0}), top = std::max({y0, y1, 0.0});
  const double span = std::max({right - left, top - bottom, 1.0});
  // 150 px for the larger side, and 10 px around it for the origin's mark.
  const double scale = 150 / span, margin = 10 / scale;
  out += "<figure class=\"view\">";
  OpenSvg(out, "stock", left, bottom, right, top, scale, margin);
  const double dy = top;
  if (shape == ViewShape::kCircle) {
    out += "<ellipse class=\"body\" cx=\"";
    AppendMm(out, (x0 + x1) / 2);
    out += "\" cy=\"";
    AppendMm(out, dy - (y0 + y1) / 2);
    out += "\" rx=\"";
    AppendMm(out, std::fabs(x1 - x0) / 2);
    out += "\" ry=\"";
    AppendMm(out, std::fabs(y1 - y0) / 2);
    out += "\"/>";
  } else {
    out += "<rect class=\"body\" x=\"";
    AppendMm(out, std::min(x0, x1));
    out += "\" y=\"";
    AppendMm(out, dy - std::max(y0, y1));
    out += "\" width=\"";
    AppendMm(out, std::fabs(x1 - x0));
    out += "\" height=\"";
    AppendMm(out, std::fabs(y1 - y0));
    out += "\"/>";
  }
  // The work origin: a cross and a ring, sized for the page, not the stock.
  const double r = 4 / scale;
  out += "<path class=\"origin\" d=\"M";
  AppendMm(out, -2 * r);
  out += ' ';
  AppendMm(out, dy);
  out += 'H';
  AppendMm(out, 2 * r);
  out += 'M';
  AppendMm(out, 0);
  out += ' ';
  AppendMm(out, dy - 2 * r);
  out += 'V';
  AppendMm(out, dy + 2 * r);
  out += "\"/><circle class=\"origin\" cx=\"0\" cy=\"";
  AppendMm(out, dy);
  out += "\" r=\"";
  AppendMm(out, r);
  out += "\"/></svg><figcaption>";
  AppendEscaped(out, title);
  out += "（";
  AppendEscaped(out, axes);
  out += "）</figcaption></figure>";
}

}  // namespace quenlo::sheet
