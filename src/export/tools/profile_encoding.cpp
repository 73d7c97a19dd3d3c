#include "export/tools/profile_encoding.h"

#include "common/numbers.h"

namespace quenlo {
namespace {

using Cnc::Tool::TlProfileEnt;

// One segment's piece, built in place and appended to the line whole: a tool
// file holds tens of thousands of these numbers.
class Piece {
 public:
  void Put(const char* text) {
    while (*text) *at_++ = *text++;
  }
  void Number(double value) { at_ += WriteG(at_, value); }
  void Point(double x, double y) {
    Put(" ");
    Number(x);
    Put(" ");
    Number(y);
  }
  void AppendTo(std::string& line) const { line.append(text_, static_cast<size_t>(at_ - text_)); }

 private:
  // The longest piece, " x y R- r", is 3 numbers of at most 13 characters
  // and 5 more; WriteG may use kWriteGRoom past where it starts.
  char text_[2 * 13 + 5 + kWriteGRoom + 1];
  char* at_ = text_;
};

// A line segment's start and end x, each on the axis (y written as 0).
void AppendFlatLine(std::string& line, const TlProfileEnt& e) {
  Piece piece;
  piece.Put(" ");
  piece.Number(e.start[0]);
  piece.Put(" 0 ");
  piece.Number(e.end[0]);
  piece.Put(" 0");
  piece.AppendTo(line);
}

void AppendSegment(std::string& line, const TlProfileEnt& e) {
  Piece piece;
  switch (e.kind) {
    case 'A':
      piece.Point(e.end[0], e.end[1]);
      piece.Put(e.direction > 0 ? " R" : " R-");
      piece.Number(e.radius);
      break;
    case 'L':
      piece.Point(e.end[0], e.end[1]);
      break;
    case 'P':
      piece.Point(e.start[0], e.start[1]);
      break;
    default:
      return;
  }
  piece.AppendTo(line);
}

// The long-tool rule: the straight middle of a tool whose length is at least
// ten times S is left out; only line ends near either end of it are kept.
bool KeepsLongToolLine(const TlProfileEnt& e, const MillLineRule& rule) {
  const double s = rule.size_s, l = rule.overall_length;
  if (10 * s > l) return true;
  return e.end[1] <= 3.5 * s || e.end[1] >= l - 3.5 * s;
}

}  // namespace

void AppendProfile(std::string& line, const Cnc::Tool::TlProfile& profile) {
  const int count = profile.GetProfileSegmentsCount(false);
  for (int i = 0; i < count; ++i) AppendSegment(line, profile.GetSegmentAt(i));
}

void AppendMillProfile(std::string& line, const Cnc::Tool::TlProfile& profile, const MillLineRule& rule) {
  const int count = profile.GetProfileSegmentsCount(false);
  for (int i = 0; i < count; ++i) {
    const TlProfileEnt e = profile.GetSegmentAt(i);
    if (e.kind == 'L' && rule.type_code == 13 && i == 0) {
      AppendFlatLine(line, e);
    } else if (e.kind == 'L' && rule.type_code == 24 && !KeepsLongToolLine(e, rule)) {
      continue;
    } else {
      AppendSegment(line, e);
    }
  }
}

}  // namespace quenlo
