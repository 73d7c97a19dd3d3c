// Text helpers of the fuzz programs' checks, written apart from the code they
// check.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The bytes with every LF that has no CR before it given one.
inline std::string CrLf(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) out += '\r';
    out += bytes[i];
  }
  return out;
}

// The lines of the bytes, each without its LF or CR LF (views into the bytes).
inline std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (end < bytes.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}
