// The setup sheet's data block, read from the previous sheet on disk: any
// bytes give either no previous sheet or data that, written again, reads back
// the same and shows no change against itself; compared with that data
// changed, the comparison that matches unchanged entries as text finds what
// the whole reading finds.
#include <algorithm>
#include <string>
#include <vector>

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
  quenlo::sheet::SheetData now = *read;
  if (!now.tools.empty()) now.tools.erase(now.tools.begin());
  if (!now.tools.empty()) now.tools.back().values[0] += "x";
  quenlo::sheet::PageText written;
  std::vector<std::pair<size_t, size_t>> entries;
  quenlo::sheet::AppendDataBlock(written, now, &entries);
  const auto since = quenlo::sheet::CompareWithPrevious(page, now, written.view(), entries);
  FUZZ_CHECK(since && since->changes == quenlo::sheet::Changes(*read, now));
  std::vector<int> marked;
  for (const auto& t : now.tools) {
    const auto first = std::find_if(read->tools.begin(), read->tools.end(),
                                    [&](const auto& old) { return old.number == t.number; });
    if (first == read->tools.end() || first->values != t.values) marked.push_back(t.number);
  }
  std::sort(marked.begin(), marked.end());
  marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
  FUZZ_CHECK(since->marked == marked);
  return 0;
}
