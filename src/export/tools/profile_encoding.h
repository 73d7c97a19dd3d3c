// A tool, insert or holder profile as the pieces of a tool file line: one
// piece per segment of the host's profile, and its text, a blank and its
// numbers ("%g", x before y, z never) per piece.
#pragma once

#include <string>

#include "export/tools/tool_model.h"
#include "host/tool_library.h"

namespace quenlo {

// How a milling tool's line segments are written, from its legacy record.
struct MillLineRule {
  short type_code = 0;        // 13: flat first line; 24: long tool
  double size_s = 0;          // S of the long-tool rule
  double overall_length = 0;  // L of the long-tool rule
};

// One piece per segment by the general rules: an arc 'A' by its end point and
// radius, a line 'L' by its end point, a start 'P' by its start point; a
// segment of any other kind gives none.
Profile ProfilePieces(const Cnc::Tool::TlProfile& profile);

// The same, with the line refinements of milling tools (type codes 13 and 24).
Profile MillProfilePieces(const Cnc::Tool::TlProfile& profile, const MillLineRule& rule);

// Appends the pieces' text: 'A' "x y R<radius>" ("R-" unless it turns the
// positive way), 'L' and 'P' "x y", 'F' "from_x 0 x 0", each after a blank.
void AppendProfile(std::string& line, const Profile& pieces);

}  // namespace quenlo
