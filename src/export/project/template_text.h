// The project template as lines of bytes. The template is 8-bit text in the
// ANSI code page; a template saved as UTF-8 with a byte-order mark is read as
// UTF-8 and its lines are written out in the ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "common/text_lines.h"

namespace quenlo {

using TemplateLine = TextLine;

class TemplateText {
 public:
  explicit TemplateText(std::string_view bytes);

  // The next line, whole however long it is. CR LF and LF both end a line.
  // False at the end of the template.
  bool Next(TemplateLine& line);

  // A template line's bytes as the project file carries them.
  void AppendOutput(std::string_view text, std::string& out) const;

  // The project file carries the template's lines byte for byte (the
  // template is not UTF-8).
  bool IsVerbatim() const { return !utf8_; }

 private:
  std::string_view rest_;
  bool utf8_ = false;
};

}  // namespace quenlo
