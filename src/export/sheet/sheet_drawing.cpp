#include "export/sheet/sheet_drawing.h"

#include <algorithm>
#include <cmath>

#include "common/numbers.h"
#include "export/sheet/sheet_text.h"

namespace quenlo::sheet {
namespace {

constexpr double kMargin = 2;  // mm around every drawing

// Millimetres as hundredths, whole.
void AppendMm(std::string& out, double mm) {
  const double h = std::round(mm * 100);
  AppendD(out, std::isfinite(h) && std::fabs(h) < 1e15 ? static_cast<long long>(h) : 0);
}

// A path in the drawing's coordinates: y up in millimetres, written y down.
class PathText {
 public:
  PathText(std::string& out, double dy) : out_(out), dy_(dy) {}
  void Point(char command, double x, double y) {
    out_ += command;
    AppendMm(out_, x);
    out_ += ' ';
    AppendMm(out_, dy_ - y);
    last_y_ = y;
  }
  void To(double x, double y) {
    Point(started_ ? 'L' : 'M', x, y);
    started_ = true;
  }
  void Arc(const ProfilePiece& p, bool mirrored) {
    if (!started_) To(0, 0);
    out_ += 'A';
    AppendMm(out_, p.radius);
    out_ += ' ';
    AppendMm(out_, p.radius);
    // Turning the positive way with y up is clockwise on a page whose y runs down.
    out_ += (p.positive != mirrored) ? " 0 0 1 " : " 0 0 0 ";
    AppendMm(out_, p.x);
    out_ += ' ';
    AppendMm(out_, dy_ - p.y);
    last_y_ = p.y;
  }
  void Pieces(const Profile& profile, bool from_axis) {
    if (from_axis && !profile.empty() && profile[0].kind != 'P' && profile[0].kind != 'F') To(0, 0);
    for (const ProfilePiece& p : profile) {
      switch (p.kind) {
        case 'A': Arc(p, false); break;
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
    if (started_) Point('L', 0, last_y_);
    out_ += 'Z';
  }
  void Close() { out_ += 'Z'; }

 private:
  std::string& out_;
  double dy_;
  double last_y_ = 0;
  bool started_ = false;
};

void Extend(ToolPicture& p, double x, double y) {
  p.left = std::min(p.left, x);
  p.right = std::max(p.right, x);
  p.bottom = std::min(p.bottom, y);
  p.top = std::max(p.top, y);
}

void ExtendBy(ToolPicture& p, const Profile& profile, double dy, bool mirrored) {
  for (const ProfilePiece& piece : profile) {
    Extend(p, piece.x, piece.y + dy);
    if (piece.kind == 'F') Extend(p, piece.from_x, dy);
    if (mirrored) Extend(p, -piece.x, piece.y + dy);
  }
}

void OpenSvg(std::string& out, const char* cls, double left, double bottom, double right, double top, double scale,
             double margin = kMargin) {
  const double w = right - left + 2 * margin, h = top - bottom + 2 * margin;
  out += "<svg class=\"";
  out += cls;
  out += "\" xmlns=\"http://www.w3.org/2000/svg\" width=\"";
  out += FormatGeneral(std::round(w * scale * 10) / 10, 6);
  out += "\" height=\"";
  out += FormatGeneral(std::round(h * scale * 10) / 10, 6);
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

void AppendToolSvg(std::string& out, const ToolPicture& p, size_t id, double scale) {
  const double top = p.top;  // the drawing's y runs down from here
  OpenSvg(out, "tool", p.left, p.bottom, p.right, p.top, scale);
  // y in the viewBox: (top - y) shifted so that the top margin is at -kMargin.
  const double dy = top;
  const ToolRecord& t = *p.tool;
  if (!t.profile.empty()) {
    // Presentation attributes rather than classes: the mirrored copy (<use>)
    // takes them along, which the page's style rules do not reach.
    out += "<path fill=\"#aaa\" stroke=\"#000\" vector-effect=\"non-scaling-stroke\" id=\"t";
    AppendD(out, static_cast<long long>(id));
    out += "\" d=\"";
    PathText path(out, dy);
    path.Pieces(t.profile, !t.turning);
    if (t.turning) path.Close();
    else path.CloseToAxis();
    out += "\"/>";
    if (!t.turning) {
      out += "<use href=\"#t";
      AppendD(out, static_cast<long long>(id));
      out += "\" transform=\"scale(-1 1)\"/>";
    }
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
    out += "<path fill=\"#fff\" fill-opacity=\"0.8\" stroke=\"#000\" vector-effect=\"non-scaling-stroke\" id=\"h";
    AppendD(out, static_cast<long long>(id));
    out += "\" d=\"";
    Profile shifted = p.holder->profile;
    for (ProfilePiece& piece : shifted) piece.y += t.projection;
    PathText path(out, dy);
    path.Pieces(shifted, false);
    path.CloseToAxis();
    out += "\"/><use href=\"#h";
    AppendD(out, static_cast<long long>(id));
    out += "\" transform=\"scale(-1 1)\"/>";
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

void AppendScaleBar(std::string& out, double scale) {
  const double bar = std::round(10 * scale * 10) / 10;
  out += "<svg class=\"scale\" xmlns=\"http://www.w3.org/2000/svg\" width=\"";
  out += FormatGeneral(bar + 8, 6);
  out += "\" height=\"12\"><path d=\"M4 2V10H";
  out += FormatGeneral(bar + 4, 6);
  out += "V2\"/></svg> 10 mm";
}

void AppendStockView(std::string& out, const wchar_t* title, const wchar_t* axes, ViewShape shape, double x0,
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
