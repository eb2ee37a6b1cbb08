#include "wide_text.h"

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
  struct Form {
    std::uint8_t mask, lead;  // the lead byte's fixed bits
    int length;
    char32_t minimum;  // the smallest code point of this length (no overlong forms)
  };
  static constexpr Form kForms[] = {
      {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
  const auto lead = static_cast<std::uint8_t>(text[at]);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  for (const Form& form : kForms) {
    if ((lead & form.mask) != form.lead) continue;
    const auto length = static_cast<std::size_t>(form.length);
    if (at + length > text.size()) break;
    char32_t point = lead & static_cast<std::uint8_t>(~form.mask);
    bool continued = true;
    for (std::size_t i = 1; i < length && continued; ++i) {
      const auto next = static_cast<std::uint8_t>(text[at + i]);
      continued = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    if (!continued || point < form.minimum || point > 0x10FFFF) break;
    at += length;
    return point;
  }
  ++at;
  return kReplacement;
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
