#include "export/tools/profile_encoding.h"

#include "common/numbers.h"

namespace quenlo {
namespace {

using Cnc::Tool::TlProfileEnt;

// A profile's text, built in place and appended to the line a block at a
// time: a tool file holds tens of thousands of these numbers.
class ProfileText {
 public:
  explicit ProfileText(std::string& line) : line_(line) {}
  ProfileText(const ProfileText&) = delete;
  ProfileText& operator=(const ProfileText&) = delete;

  // Before each segment: room for the longest one.
  void Reserve() {
    if (text_ + sizeof text_ - at_ < kLongestSegment) Flush();
  }
  void Put(const char* text) {
    while (*text) *at_++ = *text++;
  }
  void Number(double value) { at_ += WriteG(at_, value); }
  // Appends what was built to the line (at the end of the profile).
  void Flush() {
    line_.append(text_, static_cast<size_t>(at_ - text_));
    at_ = text_;
  }
  void Point(double x, double y) {
    Put(" ");
    Number(x);
    Put(" ");
    Number(y);
  }

 private:
  // The longest segment, " x y R- r", is 3 numbers of at most 13 characters
  // and 5 more; WriteG may use kWriteGRoom past where it starts.
  static constexpr long kLongestSegment = 2 * 13 + 5 + kWriteGRoom + 1;

  std::string& line_;
  char text_[2048];
  char* at_ = text_;
};

// A line segment's start and end x, each on the axis (y written as 0).
void AppendFlatLine(ProfileText& text, const TlProfileEnt& e) {
  text.Reserve();
  text.Put(" ");
  text.Number(e.start[0]);
  text.Put(" 0 ");
  text.Number(e.end[0]);
  text.Put(" 0");
}

void AppendSegment(ProfileText& text, const TlProfileEnt& e) {
  text.Reserve();
  switch (e.kind) {
    case 'A':
      text.Point(e.end[0], e.end[1]);
      text.Put(e.direction > 0 ? " R" : " R-");
      text.Number(e.radius);
      break;
    case 'L':
      text.Point(e.end[0], e.end[1]);
      break;
    case 'P':
      text.Point(e.start[0], e.start[1]);
      break;
    default:
      return;
  }
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
  ProfileText text(line);
  const int count = profile.GetProfileSegmentsCount(false);
  for (int i = 0; i < count; ++i) AppendSegment(text, profile.GetSegmentAt(i));
  text.Flush();
}

void AppendMillProfile(std::string& line, const Cnc::Tool::TlProfile& profile, const MillLineRule& rule) {
  ProfileText text(line);
  const int count = profile.GetProfileSegmentsCount(false);
  for (int i = 0; i < count; ++i) {
    const TlProfileEnt e = profile.GetSegmentAt(i);
    if (e.kind == 'L' && rule.type_code == 13 && i == 0) {
      AppendFlatLine(text, e);
    } else if (e.kind == 'L' && rule.type_code == 24 && !KeepsLongToolLine(e, rule)) {
      continue;
    } else {
      AppendSegment(text, e);
    }
  }
  text.Flush();
}

}  // namespace quenlo
