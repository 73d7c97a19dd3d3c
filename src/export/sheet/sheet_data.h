// What the setup sheet shows of the tools and work offsets, as the texts it
// shows them with; carried inside the page as a JSON block, so that the next
// launch can tell what changed since this one.
//
//   <script type="application/json" id="setup-data">
//   {"format":"quenlo-setup-sheet/1",
//    "tools":[{"t":3,"name":"...","kind":"ミル","length":"75",...}, ...],
//    "offsets":[{"row":1,"code":"G54","values":["12.5","0","-200","0",...]}, ...]}
//   </script>
//
// Every value is a string as the sheet shows it; '<', '>' and '&' are written
// as \u escapes, so the block can never end the element it stands in.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/sheet/page_text.h"

namespace quenlo::sheet {

// The tool values that the data block carries and the changes compare, in
// order: key in the block, label on the sheet.
struct ValueName {
  const char* key;
  const wchar_t* label;
};
inline constexpr size_t kToolValues = 10;
extern const ValueName kToolValueNames[kToolValues];
inline constexpr size_t kAxes = 9;
extern const wchar_t* const kAxisNames[kAxes];  // X Y Z A B C U V W

struct ToolData {
  int number = 0;
  std::array<std::string, kToolValues> values;  // UTF-8
};

struct OffsetData {
  int row = 0;
  std::string code;  // "G54", "G54.1P12"
  std::array<std::string, kAxes> values;
};

struct SheetData {
  std::vector<ToolData> tools;
  std::vector<OffsetData> offsets;
};

// Appends the data block (the whole <script> element and a line end).
// `tool_entries`, when given, receives where each tool's entry stands in
// `out` (offset and length), in the order of data.tools.
void AppendDataBlock(PageText& out, const SheetData& data,
                     std::vector<std::pair<size_t, size_t>>* tool_entries = nullptr);

// The data block of a sheet this writer made; nothing for a page without one
// or whose block cannot be read: that is no error, only no previous launch.
std::optional<SheetData> ReadDataBlock(std::string_view page);
// Whether a data block begins in `page` (a page, or the end of one).
bool HoldsDataBlock(std::string_view page);

// What changed from `before` to `now`, a line each (UTF-8, not escaped):
// "T5 追加", "T7 削除", "T3 全長 75 → 80", "G54 X 12.5 → 13".
std::vector<std::string> Changes(const SheetData& before, const SheetData& now);

// The previous sheet against the data now: the changes as Changes gives them,
// and the numbers of the tools added or changed (sorted). Nothing when
// `previous_page` holds no block that can be read. `written` is the text
// that holds the block of `now`, with its tools' entries as AppendDataBlock
// gave them: an old entry written exactly as a tool's entry now is that
// tool, and is not read again (most tools are the same from launch to launch).
struct Comparison {
  std::vector<std::string> changes;
  std::vector<int> marked;
};
std::optional<Comparison> CompareWithPrevious(std::string_view previous_page, const SheetData& now,
                                              std::string_view written,
                                              const std::vector<std::pair<size_t, size_t>>& tool_entries);

}  // namespace quenlo::sheet
