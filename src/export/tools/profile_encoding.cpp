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

void AppendPiece(ProfileText& text, const ProfilePiece& piece) {
  text.Reserve();
  switch (piece.kind) {
    case 'A':
      text.Point(piece.x, piece.y);
      text.Put(piece.positive ? " R" : " R-");
      text.Number(piece.radius);
      break;
    case 'F':
      text.Put(" ");
      text.Number(piece.from_x);
      text.Put(" 0 ");
      text.Number(piece.x);
      text.Put(" 0");
      break;
    default:
      text.Point(piece.x, piece.y);
  }
}

// The piece of a segment by the general rules; false for a kind that has none.
bool PieceOf(const TlProfileEnt& e, ProfilePiece& piece) {
  switch (e.kind) {
    case 'A':
      piece = {'A', e.end[0], e.end[1], 0, e.radius, e.direction > 0};
      return true;
    case 'L':
      piece = {'L', e.end[0], e.end[1]};
      return true;
    case 'P':
      piece = {'P', e.start[0], e.start[1]};
      return true;
    default:
      return false;
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

Profile ProfilePieces(const Cnc::Tool::TlProfile& profile) {
  Profile pieces;
  const int count = profile.GetProfileSegmentsCount(false);
  pieces.reserve(static_cast<size_t>(count > 0 ? count : 0));
  ProfilePiece piece;
  for (int i = 0; i < count; ++i)
    if (PieceOf(profile.GetSegmentAt(i), piece)) pieces.push_back(piece);
  return pieces;
}

Profile MillProfilePieces(const Cnc::Tool::TlProfile& profile, const MillLineRule& rule) {
  Profile pieces;
  const int count = profile.GetProfileSegmentsCount(false);
  pieces.reserve(static_cast<size_t>(count > 0 ? count : 0));
  ProfilePiece piece;
  for (int i = 0; i < count; ++i) {
    const TlProfileEnt e = profile.GetSegmentAt(i);
    if (e.kind == 'L' && rule.type_code == 13 && i == 0) {
      // The flat first line: its start and end x, each on the axis.
      pieces.push_back({'F', e.end[0], 0, e.start[0]});
    } else if (e.kind == 'L' && rule.type_code == 24 && !KeepsLongToolLine(e, rule)) {
      continue;
    } else if (PieceOf(e, piece)) {
      pieces.push_back(piece);
    }
  }
  return pieces;
}

void AppendProfile(std::string& line, const Profile& pieces) {
  ProfileText text(line);
  for (const ProfilePiece& piece : pieces) AppendPiece(text, piece);
  text.Flush();
}

}  // namespace quenlo
