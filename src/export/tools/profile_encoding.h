// A tool, insert or holder profile as the pieces of a tool file line: one
// piece per segment, each a blank and its numbers ("%g", x before y, z never).
#pragma once

#include <string>

#include "host/tool_library.h"

namespace quenlo {

// How a milling tool's line segments are written, from its legacy record.
struct MillLineRule {
  short type_code = 0;        // 13: flat first line; 24: long tool
  double size_s = 0;          // S of the long-tool rule
  double overall_length = 0;  // L of the long-tool rule
};

// Appends one piece per segment by the general rules: 'A' end point and
// "R<radius>" ("R-" unless the direction is positive), 'L' end point, 'P'
// start point, any other kind nothing.
void AppendProfile(std::string& line, const Cnc::Tool::TlProfile& profile);

// The same, with the line refinements of milling tools (type codes 13 and 24).
void AppendMillProfile(std::string& line, const Cnc::Tool::TlProfile& profile, const MillLineRule& rule);

}  // namespace quenlo
