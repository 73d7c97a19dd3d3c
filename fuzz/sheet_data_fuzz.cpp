// The setup sheet's data block, read from the previous sheet on disk: any
// bytes give either no previous sheet or data that, written again, reads back
// the same and shows no change against itself.
#include <string>

#include "export/sheet/sheet_data.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string page(reinterpret_cast<const char*>(data), size);
  const auto read = quenlo::sheet::ReadDataBlock(page);
  if (!read) return 0;
  quenlo::sheet::PageText again;
  quenlo::sheet::AppendDataBlock(again, *read);
  const auto back = quenlo::sheet::ReadDataBlock(again.view());
  FUZZ_CHECK(back && back->tools.size() == read->tools.size() && back->offsets.size() == read->offsets.size());
  for (size_t i = 0; i < read->tools.size(); ++i)
    FUZZ_CHECK(back->tools[i].number == read->tools[i].number && back->tools[i].values == read->tools[i].values);
  for (size_t i = 0; i < read->offsets.size(); ++i)
    FUZZ_CHECK(back->offsets[i].row == read->offsets[i].row && back->offsets[i].code == read->offsets[i].code &&
               back->offsets[i].values == read->offsets[i].values);
  return 0;
}
