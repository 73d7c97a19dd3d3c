// Whether text survives the ANSI code page, on both back ends: the same
// round trip through the back end's own conversion, so that it answers for
// exactly the bytes that the files will hold.
#include "platform/ansi.h"

#include <algorithm>

namespace quenlo::platform {
namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c < 0xE000; }

bool SurvivesAnsi(std::wstring_view text) { return FromAnsi(ToAnsi(text)) == text; }

}  // namespace

bool CarriedByAnsi(std::wstring_view text) {
  // Every ANSI code page holds ASCII as it is (both back ends convert ASCII
  // unchanged): most paths need no round trip.
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<unsigned>(c) < 0x80; }) ||
         SurvivesAnsi(text);
}

std::wstring CharactersNotInAnsi(std::wstring_view text) {
  std::wstring lost;
  if (CarriedByAnsi(text)) return lost;
  // One character at a time (a surrogate pair is one character), each named
  // once, in the order of the text.
  for (size_t i = 0; i < text.size();) {
    size_t length = (i + 1 < text.size() && IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1])) ? 2 : 1;
    std::wstring_view character = text.substr(i, length);
    if (!SurvivesAnsi(character) && lost.find(character) == std::wstring::npos) lost += character;
    i += length;
  }
  return lost;
}

}  // namespace quenlo::platform
