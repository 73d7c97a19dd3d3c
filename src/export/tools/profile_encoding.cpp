#include "export/tools/profile_encoding.h"

#include "common/numbers.h"

namespace quenlo {
namespace {

using Cnc::Tool::TlProfileEnt;

void AppendPoint(std::string& line, double x, double y) {
  line += ' ';
  AppendG(line, x);
  line += ' ';
  AppendG(line, y);
}

// A line segment's start and end x, each on the axis (y written as 0).
void AppendFlatLine(std::string& line, const TlProfileEnt& e) {
  line += ' ';
  AppendG(line, e.start[0]);
  line += " 0 ";
  AppendG(line, e.end[0]);
  line += " 0";
}

void AppendSegment(std::string& line, const TlProfileEnt& e) {
  switch (e.kind) {
    case 'A':
      AppendPoint(line, e.end[0], e.end[1]);
      line += e.direction > 0 ? " R" : " R-";
      AppendG(line, e.radius);
      break;
    case 'L':
      AppendPoint(line, e.end[0], e.end[1]);
      break;
    case 'P':
      AppendPoint(line, e.start[0], e.start[1]);
      break;
    default:
      break;
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
