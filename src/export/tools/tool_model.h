// The tool data the add-in hands on, as plain values: one walk of the host's
// operations (its order and its quirks as the tool file has them) gives the
// tool records with their profiles, the D and H entries and the holders. The
// tool file is written from this value alone; every other reader of tool data
// (the NC check, the setup sheet) reads it too, so none can disagree with the
// file the simulator loads.
#pragma once

#include <string>
#include <vector>

namespace quenlo {

// One piece of a profile, as the tool file writes it: kind 'P' (the start
// point x y), 'L' (a line to x y), 'A' (an arc to x y with `radius`, turning
// the positive way or not), 'F' (a line from from_x to x, both on the axis).
struct ProfilePiece {
  char kind = 'L';
  double x = 0, y = 0;
  double from_x = 0;      // 'F' only
  double radius = 0;      // 'A' only
  bool positive = false;  // 'A' only
};
using Profile = std::vector<ProfilePiece>;

// A tool record: "T<number> USERDEFTOOL|USERDEFBITE <length> <cycle>", the
// profile, " /<holder index> #<comment>".
struct ToolRecord {
  int number = 0;
  bool turning = false;   // a turning tool's insert (USERDEFBITE)
  double length = 0;      // overall length
  int cycle = 0;
  int holder_index = -1;  // -1: no holder
  Profile profile;
  std::wstring comment;
  // What the record's operation and assembly say of the tool besides (for
  // people: the file does not carry them).
  double diameter = 0;
  int d_number = 0;
  int h_number = 0;
  double projection = 0;  // milling tools: out of the holder, in the host's current units
};

// A line of the D (radius) or H (length) section.
struct OffsetEntry {
  int number = 0;
  double value = 0;
};

// An entry of the holder list; its index is the holder number of the file.
struct HolderRecord {
  enum class Kind { kUser, kStandard, kNoLine };  // kNoLine: no line in the file
  Kind kind = Kind::kNoLine;
  Profile profile;          // kUser
  double dia = 0, length = 0;  // the first level (kStandard writes them)
  std::wstring name;        // as the host names the holder
};

struct ToolModel {
  std::vector<ToolRecord> records;
  std::vector<OffsetEntry> radii;    // D
  std::vector<OffsetEntry> lengths;  // H
  std::vector<HolderRecord> holders;
  // The D, H and holder sections close the file unless the walk left the
  // host's operation record on a turning code.
  bool closing_sections = true;
  bool has_turning = false;  // any operation of the job turns
};

// One walk of the host's operations.
ToolModel BuildToolModel();

}  // namespace quenlo
