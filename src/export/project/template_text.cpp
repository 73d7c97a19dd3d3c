#include "export/project/template_text.h"

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
  if (rest_.empty()) return false;
  size_t end = rest_.find('\n');
  if (end == std::string_view::npos) {
    line = {rest_, false};
    rest_ = {};
    return true;
  }
  size_t length = end > 0 && rest_[end - 1] == '\r' ? end - 1 : end;
  line = {rest_.substr(0, length), true};
  rest_.remove_prefix(end + 1);
  return true;
}

void TemplateText::AppendOutput(std::string_view text, std::string& out) const {
  if (utf8_)
    out += platform::ToAnsi(platform::FromUtf8(text));
  else
    out.append(text.data(), text.size());
}

}  // namespace quenlo
