// Conversion between the add-in's wide text and the 8-bit text of the system's
// ANSI code page, in which every file of the add-in is written and read.
#pragma once

#include <string>
#include <string_view>

namespace quenlo::platform {

// Wide text to the ANSI code page. A character the code page cannot hold
// becomes '?', as the Windows conversion does by default; never a failure.
std::string ToAnsi(std::wstring_view text);

// ANSI code-page bytes to wide text. A byte sequence that is not valid in the
// code page becomes U+FFFD, one per bad byte; never a failure.
std::wstring FromAnsi(std::string_view bytes);

// UTF-8 <-> wide, used for byte-order-marked files and POSIX file names.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

// The code page that ToAnsi and FromAnsi use. On Windows this is the system's
// ANSI code page and cannot be changed; on POSIX the stand-in host sets it from
// its job (932 unless told otherwise).
int AnsiCodePage();
void SetAnsiCodePage(int code_page);

// The characters of `text` that the ANSI code page cannot carry: those that
// do not come back as they were when written and read again. A character that
// the conversion replaces ('?') or writes as a look-alike (best fit: é as e,
// ¥ as \) counts, so does half a surrogate pair. Empty when the whole text
// survives the round trip, which is what a path in a file must do: a path
// written any other way names another file.
std::wstring CharactersNotInAnsi(std::wstring_view text);
// Whether CharactersNotInAnsi is empty, without naming the characters.
bool CarriedByAnsi(std::wstring_view text);

// Whether this platform converts between wide text and `code_page` (a code
// page that it cannot convert would turn every text into nothing).
bool CanConvertCodePage(int code_page);

}  // namespace quenlo::platform
