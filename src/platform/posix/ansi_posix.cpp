// ANSI code-page conversion on POSIX through the C library's iconv, with the
// code page that the stand-in host's machine declares (932 by default).
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ansi.h"

namespace quenlo::platform {
namespace {

int g_code_page = 932;

std::string CharsetName(int code_page) {
  switch (code_page) {
    case 65001: return "UTF-8";
    case 1252: return "CP1252";
    case 20127: return "ASCII";
    default: return "CP" + std::to_string(code_page);
  }
}

// Opening a conversion costs far more than converting a line or a value, which
// is what the add-in converts at a time: each pair of charsets is opened once
// per thread, and reset to its initial state before each use.
class Converters {
 public:
  ~Converters() {
    for (const Open& entry : open_)
      if (entry.cd != kFailed) iconv_close(entry.cd);
  }
  // The descriptor from `from` to `to`, or kFailed when iconv has no such pair.
  iconv_t Get(const std::string& from, const std::string& to) {
    for (const Open& entry : open_)
      if (entry.from == from && entry.to == to) return Reset(entry.cd);
    open_.push_back({from, to, iconv_open(to.c_str(), from.c_str())});
    return Reset(open_.back().cd);
  }
  // `replacement` (UTF-8) in charset `to`, converted once; as much of it as
  // the charset holds.
  const std::string& Replacement(const std::string& to, const std::string& replacement);

  static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);

 private:
  struct Open {
    std::string from, to;
    iconv_t cd;
  };
  struct Replaced {
    std::string to, utf8, text;
  };
  static iconv_t Reset(iconv_t cd) {
    if (cd != kFailed) iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return cd;
  }
  std::vector<Open> open_;          // a handful: the code page and UTF-8 each way
  std::deque<Replaced> replaced_;   // stays where it is as entries are added
};

Converters& ThreadConverters() {
  thread_local Converters converters;
  return converters;
}

// Runs `cd` over the input into `out`; false at a unit it cannot convert (or a
// truncated one), with `src` on that unit.
bool ConvertRun(iconv_t cd, char*& src, size_t& src_left, std::string& out) {
  char buffer[4096];
  while (src_left > 0) {
    char* dst = buffer;
    size_t dst_left = sizeof buffer;
    size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
  }
  return true;
}

const std::string& Converters::Replacement(const std::string& to, const std::string& replacement) {
  for (const Replaced& entry : replaced_)
    if (entry.to == to && entry.utf8 == replacement) return entry.text;
  std::string text;
  if (iconv_t cd = Get("UTF-8", to); cd != kFailed) {
    char* src = const_cast<char*>(replacement.data());
    size_t src_left = replacement.size();
    ConvertRun(cd, src, src_left, text);
  }
  replaced_.push_back({to, replacement, std::move(text)});
  return replaced_.back().text;
}

// Converts `in` from one charset to another; every input unit that cannot be
// converted is replaced and skipped (`in_step` bytes of input).
std::string Convert(const std::string& from, const std::string& to, const char* in, size_t in_len,
                    size_t in_step, const std::string& replacement) {
  std::string out;
  Converters& converters = ThreadConverters();
  // Taken before the input's descriptor: making it may use the same one.
  const std::string& replaced = converters.Replacement(to, replacement);
  iconv_t cd = converters.Get(from, to);
  if (cd == Converters::kFailed) return out;
  char* src = const_cast<char*>(in);
  size_t src_left = in_len;
  while (!ConvertRun(cd, src, src_left, out)) {
    // A unit that cannot be converted, or a truncated one.
    size_t skip = src_left < in_step ? src_left : in_step;
    src += skip;
    src_left -= skip;
    out += replaced;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  char buffer[64];
  char* dst = buffer;
  size_t dst_left = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &dst_left);
  out.append(buffer, static_cast<size_t>(dst - buffer));
  return out;
}

const char* WideCharset() { return sizeof(wchar_t) == 4 ? "UTF-32LE" : "UTF-16LE"; }

std::wstring BytesToWide(const std::string& bytes) {
  std::wstring out(bytes.size() / sizeof(wchar_t), L'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    std::uint32_t unit = 0;
    for (size_t b = 0; b < sizeof(wchar_t); ++b)
      unit |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i * sizeof(wchar_t) + b]))
              << (8 * b);
    out[i] = static_cast<wchar_t>(unit);
  }
  return out;
}

std::string WideToBytes(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * sizeof(wchar_t));
  for (wchar_t c : text) {
    auto unit = static_cast<std::uint32_t>(c);
    for (size_t b = 0; b < sizeof(wchar_t); ++b) out.push_back(static_cast<char>((unit >> (8 * b)) & 0xFF));
  }
  return out;
}

bool IsAscii(wchar_t c) { return static_cast<std::uint32_t>(c) < 0x80; }
bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Asks the converter whether a charset writes every ASCII character as that
// one byte and reads it back.
bool AsksKeepsAscii(const std::string& charset) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
  std::wstring wide(ascii.begin(), ascii.end());
  std::string units = WideToBytes(wide);
  return Convert(WideCharset(), charset, units.data(), units.size(), sizeof(wchar_t), "?") == ascii &&
         BytesToWide(Convert(charset, WideCharset(), ascii.data(), ascii.size(), 1, "?")) == wide;
}

// Whether a charset keeps ASCII as it is (see AsksKeepsAscii): then ASCII text
// needs no converter. Every Windows ANSI code page does; the converter is
// asked once per charset rather than this being assumed. Called for every
// piece of text converted, nearly always with the charset of the call before.
bool KeepsAscii(const std::string& charset) {
  thread_local std::string last_charset;
  thread_local bool last_keeps = false;
  if (!last_charset.empty() && charset == last_charset) return last_keeps;
  thread_local std::map<std::string, bool> known;
  auto it = known.find(charset);
  if (it == known.end()) it = known.emplace(charset, AsksKeepsAscii(charset)).first;
  last_charset = charset;
  last_keeps = it->second;
  return last_keeps;
}

// Where a run for the converter that starts at `i` (a character that is not
// ASCII) ends. A unit that follows one that is not ASCII belongs to the run
// (in bytes, it may be the second byte of a character); so does a short
// stretch of ASCII between two such characters, since each call of the
// converter costs more than converting a few characters more.
template <typename Text>
size_t EndOfRun(const Text& text, size_t i) {
  constexpr size_t kShortStretch = 32;
  size_t end = i + 1;
  for (;;) {
    while (end < text.size() && (!IsAscii(text[end]) || !IsAscii(text[end - 1]))) ++end;
    size_t next = end;
    while (next < text.size() && next - end < kShortStretch && IsAscii(text[next])) ++next;
    if (next == text.size() || next - end >= kShortStretch) return end;
    end = next;
  }
}

// Text in a charset that keeps ASCII, converted run by run: ASCII is copied
// as it is and only the runs between (see EndOfRun) go through `convert`,
// which works character by character in these charsets, so the result is
// what converting the whole text would give. In bytes, a run takes every byte
// that follows a byte of 0x80 or more (the second byte of a double-byte
// character may lie in the ASCII range); an ASCII byte that follows an ASCII
// byte is always a character of its own.
template <typename Out, typename In, typename Convert>
Out ConvertRuns(In text, Convert convert) {
  Out out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (IsAscii(text[i])) {
      size_t end = i + 1;
      while (end < text.size() && IsAscii(text[end])) ++end;
      out.append(text.begin() + i, text.begin() + end);  // ASCII: each unit the same value
      i = end;
      continue;
    }
    size_t end = EndOfRun(text, i);
    out += convert(text.substr(i, end - i));
    i = end;
  }
  return out;
}

std::string ToCharset(std::wstring_view text, const std::string& charset, const std::string& replacement) {
  auto convert = [&](std::wstring_view piece) {
    std::string units = WideToBytes(piece);
    return Convert(WideCharset(), charset, units.data(), units.size(), sizeof(wchar_t), replacement);
  };
  return KeepsAscii(charset) ? ConvertRuns<std::string>(text, convert) : convert(text);
}

std::wstring FromCharset(std::string_view bytes, const std::string& charset, const std::string& replacement) {
  auto convert = [&](std::string_view piece) {
    return BytesToWide(Convert(charset, WideCharset(), piece.data(), piece.size(), 1, replacement));
  };
  return KeepsAscii(charset) ? ConvertRuns<std::wstring>(bytes, convert) : convert(bytes);
}

// The charset of the current code page, named once per thread and code page
// (the add-in converts a line or a value at a time).
const std::string& AnsiCharset() {
  thread_local int named_page = 0;
  thread_local std::string name;
  if (named_page != g_code_page) {
    name = CharsetName(g_code_page);
    named_page = g_code_page;
  }
  return name;
}

}  // namespace

std::string ToAnsi(std::wstring_view text) {
  // glibc's iconv drops the Unicode tag characters (U+E0000..U+E007F) that a
  // code page lacks instead of refusing them: they become '?' as any other.
  auto is_tag = [](wchar_t c) { return (static_cast<std::uint32_t>(c) & ~0x7Fu) == 0xE0000; };
  if (g_code_page != 65001 && std::any_of(text.begin(), text.end(), is_tag)) {
    std::wstring held(text);
    std::replace_if(held.begin(), held.end(), is_tag, L'?');
    return ToCharset(held, AnsiCharset(), "?");
  }
  return ToCharset(text, AnsiCharset(), "?");
}

std::wstring FromAnsi(std::string_view bytes) { return FromCharset(bytes, AnsiCharset(), "\xEF\xBF\xBD"); }

std::string ToUtf8(std::wstring_view text) { return ToCharset(text, "UTF-8", "\xEF\xBF\xBD"); }

std::wstring FromUtf8(std::string_view bytes) { return FromCharset(bytes, "UTF-8", "\xEF\xBF\xBD"); }

bool CanConvertCodePage(int code_page) {
  for (bool to_wide : {false, true}) {
    std::string name = CharsetName(code_page);
    iconv_t cd = to_wide ? iconv_open(WideCharset(), name.c_str()) : iconv_open(name.c_str(), WideCharset());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
  }
  return true;
}

int AnsiCodePage() { return g_code_page; }
void SetAnsiCodePage(int code_page) { g_code_page = code_page; }

}  // namespace quenlo::platform
