#include "export/project/template_text.h"

#include "common/text_lines.h"
#include "platform/ansi.h"

namespace quenlo {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
}

TemplateText::TemplateText(std::string_view bytes) : rest_(bytes) {
  if (rest_.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    rest_.remove_prefix(kUtf8Bom.size());
    utf8_ = true;
  }
}

bool TemplateText::Next(TemplateLine& line) {
  return NextLine(rest_, line);
}

void TemplateText::AppendOutput(std::string_view text, std::string& out) const {
  if (utf8_)
    out += platform::ToAnsi(platform::FromUtf8(text));
  else
    out.append(text.data(), text.size());
}

}  // namespace quenlo
