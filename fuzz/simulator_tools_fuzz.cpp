// The stand-in simulator's tool-file reader: any bytes give either tool
// records whose numbers read, or an error naming the line.
#include <string>

#include "fuzz_check.h"
#include "tool_file_reader.h"

namespace {
// A profile number: a plain number, or an arc's radius "R5" / "R-5".
bool ProfileNumber(const std::string& n) {
  return tarvik::IsNumber(n) || (n.size() > 1 && n[0] == 'R' && tarvik::IsNumber(n.substr(1)));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  tarvik::ToolFile file;
  std::string error;
  if (!tarvik::ReadToolFile(bytes, file, error)) {
    FUZZ_CHECK(error.compare(0, 5, "line ") == 0);
    return 0;
  }
  for (const tarvik::ToolRecord& t : file.tools) {
    FUZZ_CHECK(t.kind == "USERDEFTOOL" || t.kind == "USERDEFBITE");
    FUZZ_CHECK(tarvik::IsNumber(t.length));
    for (const std::string& n : t.profile)
      FUZZ_CHECK(ProfileNumber(n));
  }
  for (const auto* values : {&file.d_values, &file.h_values})
    for (const tarvik::OffsetValue& v : *values) FUZZ_CHECK(tarvik::IsNumber(v.value));
  for (const tarvik::HolderLine& h : file.holders) {
    FUZZ_CHECK(h.kind == "STD_HOLDER" || h.kind == "USER_HOLDER");
    for (const std::string& n : h.numbers) FUZZ_CHECK(ProfileNumber(n));
  }
  return 0;
}
