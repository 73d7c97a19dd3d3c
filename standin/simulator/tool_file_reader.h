// The simulator's tool file as the stand-in simulator reads it: tool records,
// D and H values, holder lines (one line each, line feed ends).
#pragma once

#include <string>
#include <vector>

namespace tarvik {

struct ToolRecord {
  int number = 0;
  std::string kind;    // USERDEFTOOL or USERDEFBITE
  std::string length;  // as written
  int cycle = 0;
  std::vector<std::string> profile;  // the profile's numbers as written ("R5", "R-5" for arcs)
  int holder = 0;
  std::string comment;  // ANSI bytes
};

struct OffsetValue {
  int number = 0;
  std::string value;
};

struct HolderLine {
  int index = 0;
  std::string kind;                  // STD_HOLDER or USER_HOLDER
  std::vector<std::string> numbers;  // STD: diameter, length; USER: the profile
};

struct ToolFile {
  std::vector<ToolRecord> tools;
  std::vector<OffsetValue> d_values, h_values;
  std::vector<HolderLine> holders;
};

// False with `error` ("line N: ...") when a line is none of the four kinds or
// its numbers do not read.
bool ReadToolFile(const std::string& bytes, ToolFile& file, std::string& error);

// Splits at blanks, dropping empty pieces.
std::vector<std::string> SplitBlanks(const std::string& text);
// A whole decimal number as printf writes it.
bool IsNumber(const std::string& text);

}  // namespace tarvik
