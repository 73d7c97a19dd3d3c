#include "export/project/rule_text.h"

#include "common/numbers.h"
#include "common/one_line.h"
#include "platform/ansi.h"

namespace quenlo {

std::string G(double value) { return FormatG(value); }
std::string F(double value) { return FormatF(value); }

std::string Zeros(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += " 0.0000";
  return out;
}

std::string AnsiText(std::wstring_view text) { return platform::ToAnsi(OneLine(text)); }

}  // namespace quenlo
