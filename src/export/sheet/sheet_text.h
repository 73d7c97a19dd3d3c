// Text for the setup sheet: UTF-8, every text from outside escaped for HTML.
#pragma once

#include <string>
#include <string_view>

#include "export/sheet/page_text.h"

namespace quenlo::sheet {

// Wide text as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text);

// Appends UTF-8 `text` with & < > " ' written as character references, so
// that no text from the host, the job, the files or the user can open a tag or
// leave an attribute.
void AppendEscaped(PageText& out, std::string_view text);
inline void AppendEscaped(PageText& out, std::wstring_view text) { AppendEscaped(out, Utf8(text)); }

// A number for people ("%g": 75, 12.5, -0.001).
std::string Num(double value);

}  // namespace quenlo::sheet
