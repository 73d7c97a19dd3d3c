// The bytes of the tool file, built from the host's operations and tool
// library: tool records, then (unless the host's operation record is left on
// a turning code) the D, H and holder sections. ANSI code page, LF line ends.
#pragma once

#include <string>
#include <unordered_set>

namespace quenlo {

// What the tool file carries, by number: the tools that have a record and the
// D and H numbers of its offset sections (empty when those sections are left
// out), and whether any operation of the job is a turning operation.
struct ToolFileNumbers {
  std::unordered_set<int> tools;
  std::unordered_set<int> radii;    // D
  std::unordered_set<int> lengths;  // H
  bool has_turning = false;
};

// Appends the whole tool file to `out`; with `numbers`, also tells what it carries.
void BuildToolFile(std::string& out, ToolFileNumbers* numbers = nullptr);

}  // namespace quenlo
