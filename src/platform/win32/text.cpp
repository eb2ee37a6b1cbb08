#include "platform/win32/text.h"

#include <cstdint>

namespace plumbmark::win32 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Appends one code point (or a lone surrogate) in UTF-8 form.
void AppendUtf8(std::string& out, char32_t point) {
  auto byte = [&](char32_t value) { out.push_back(static_cast<char>(value)); };
  if (point < 0x80) {
    byte(point);
  } else if (point < 0x800) {
    byte(0xC0 | (point >> 6));
    byte(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    byte(0xE0 | (point >> 12));
    byte(0x80 | ((point >> 6) & 0x3F));
    byte(0x80 | (point & 0x3F));
  } else {
    byte(0xF0 | (point >> 18));
    byte(0x80 | ((point >> 12) & 0x3F));
    byte(0x80 | ((point >> 6) & 0x3F));
    byte(0x80 | (point & 0x3F));
  }
}

// Appends one code point as UTF-16 code units.
void AppendUtf16(std::wstring& out, char32_t point) {
  if (point < 0x10000) {
    out.push_back(static_cast<wchar_t>(point));
    return;
  }
  point -= 0x10000;
  out.push_back(static_cast<wchar_t>(0xD800 + (point >> 10)));
  out.push_back(static_cast<wchar_t>(0xDC00 + (point & 0x3FF)));
}

// Decodes the sequence at `at`, advancing past it; a malformed or overlong
// sequence consumes one byte and yields U+FFFD.
char32_t DecodeOne(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  int length = 0;
  char32_t point = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, point = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, point = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, point = lead & 0x07, minimum = 0x10000;
  } else {
    ++at;
    return kReplacement;
  }
  if (at + static_cast<std::size_t>(length) > text.size()) {
    ++at;
    return kReplacement;
  }
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[at + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return kReplacement;
    }
    point = (point << 6) | (next & 0x3F);
  }
  if (point < minimum || point > 0x10FFFF) {
    ++at;
    return kReplacement;
  }
  at += static_cast<std::size_t>(length);
  return point;
}

}  // namespace

std::string NarrowText(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char32_t unit = static_cast<char32_t>(wide[i]) & 0xFFFF;
    const char32_t next = i + 1 < wide.size() ? static_cast<char32_t>(wide[i + 1]) & 0xFFFF : 0;
    if (IsHighSurrogate(unit) && IsLowSurrogate(next)) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, unit);  // a lone surrogate keeps its three-byte form
    }
  }
  return out;
}

std::wstring WideText(std::string_view narrow) {
  std::wstring out;
  out.reserve(narrow.size());
  for (std::size_t at = 0; at < narrow.size();) AppendUtf16(out, DecodeOne(narrow, at));
  return out;
}

}  // namespace plumbmark::win32
