#include "settings/profile_encoding.h"

#include <cstdint>

namespace plumbmark::profile::detail {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::uint8_t Byte(char c) { return static_cast<std::uint8_t>(c); }

std::uint16_t UnitAt(std::string_view bytes, std::size_t i, bool big_endian) {
  const std::uint16_t first = Byte(bytes[i]);
  const std::uint16_t second = Byte(bytes[i + 1]);
  return static_cast<std::uint16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16 units to WTF-8: a valid surrogate pair becomes one 4-byte sequence,
// a lone surrogate its own 3-byte sequence, so every unit sequence survives.
std::string Utf16ToWtf8(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const std::uint32_t unit = UnitAt(bytes, i, big_endian);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      const std::uint32_t next = UnitAt(bytes, i + 2, big_endian);
      if (next >= 0xDC00 && next < 0xE000) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, unit);
  }
  return out;
}

// Length of the (possibly surrogate-carrying) sequence at `i`, 0 if invalid.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  const std::uint8_t lead = Byte(s[i]);
  std::size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0)
    length = 2;
  else if (lead >= 0xE0 && lead < 0xF0)
    length = 3;
  else if (lead >= 0xF0 && lead < 0xF5)
    length = 4;
  else
    return 0;
  if (i + length > s.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((Byte(s[i + k]) & 0xC0) != 0x80) return 0;
  }
  const std::uint8_t second = Byte(s[i + 1]);
  if (lead == 0xE0 && second < 0xA0) return 0;   // overlong
  if (lead == 0xF0 && second < 0x90) return 0;   // overlong
  if (lead == 0xF4 && second >= 0x90) return 0;  // above U+10FFFF
  return length;
}

std::uint32_t DecodeSequence(std::string_view s, std::size_t i, std::size_t length) {
  static constexpr std::uint8_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::uint32_t cp = Byte(s[i]) & kLeadMask[length];
  for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (Byte(s[i + k]) & 0x3Fu);
  return cp;
}

void AppendUnit(std::string& out, std::uint32_t unit, bool big_endian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  out += big_endian ? high : low;
  out += big_endian ? low : high;
}

// WTF-8 back to UTF-16 units. Bytes that form no sequence (never produced by
// Decode, refused by the writer) are carried over as single units.
std::string Wtf8ToUtf16(std::string_view text, bool big_endian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = SequenceLength(text, i);
    if (length == 0) {
      AppendUnit(out, Byte(text[i++]), big_endian);
      continue;
    }
    const std::uint32_t cp = DecodeSequence(text, i, length);
    i += length;
    if (cp >= 0x10000) {
      AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), big_endian);
      AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), big_endian);
    } else {
      AppendUnit(out, cp, big_endian);
    }
  }
  return out;
}

}  // namespace

DecodedText Decode(std::string_view content) {
  DecodedText decoded;
  // NOTE: real Windows ignores a UTF-8 mark and so misses a header on line 1;
  // skipping it (as Wine does) keeps the first section readable.
  if (content.starts_with(kUtf8Bom)) {
    decoded.encoding = Encoding::kUtf8Bom;
    decoded.bom = content.substr(0, kUtf8Bom.size());
    decoded.bytes_text = content.substr(kUtf8Bom.size());
    return decoded;
  }
  // NOTE: big-endian files are read too (Wine does, Windows reportedly not):
  // reading them is what keeps the user's settings.
  const bool little = content.starts_with(kUtf16LeBom);
  if (little || content.starts_with(kUtf16BeBom)) {
    decoded.encoding = little ? Encoding::kUtf16Le : Encoding::kUtf16Be;
    decoded.bom = content.substr(0, 2);
    std::string_view units = content.substr(2);
    if (units.size() % 2 != 0) {
      decoded.odd_tail = units.substr(units.size() - 1);
      units.remove_suffix(1);
    }
    decoded.utf16_text = Utf16ToWtf8(units, !little);
    return decoded;
  }
  decoded.bytes_text = content;
  return decoded;
}

std::string Encode(const DecodedText& original, std::string_view text) {
  std::string out(original.bom);
  switch (original.encoding) {
    case Encoding::kAnsi:
    case Encoding::kUtf8Bom:
      out += text;
      break;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      out += Wtf8ToUtf16(text, original.encoding == Encoding::kUtf16Be);
      break;
  }
  out += original.odd_tail;
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = SequenceLength(text, i);
    if (length == 0) return false;
    if (length == 3 && DecodeSequence(text, i, 3) >= 0xD800 &&
        DecodeSequence(text, i, 3) < 0xE000) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace plumbmark::profile::detail
