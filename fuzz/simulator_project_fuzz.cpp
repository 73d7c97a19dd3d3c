// The stand-in simulator's project-file reader: any bytes give either a
// project whose settings hold only numbers, or an error naming the line.
#include <string>

#include "fuzz_check.h"
#include "project_reader.h"
#include "tool_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  tarvik::Project project;
  std::string error;
  if (!tarvik::ReadProject(bytes, project, error)) {
    FUZZ_CHECK(error.compare(0, 5, "line ") == 0);
    return 0;
  }
  for (const tarvik::Setting& s : project.settings)
    for (const std::string& n : s.numbers) FUZZ_CHECK(tarvik::IsNumber(n));
  for (const tarvik::Setting& s : project.work_offsets) {
    FUZZ_CHECK(!s.name.empty());
    for (const std::string& n : s.numbers) FUZZ_CHECK(tarvik::IsNumber(n));
  }
  return 0;
}
