// The integer conversion of the Windows profile reader.
#include <cstdint>

#include "settings/profile_file.h"
#include "settings/profile_lines.h"

namespace plumbmark::profile {
namespace {

// The reader copies the value into a 30-character buffer; one matching quote
// pair is dropped in the process. When the quoted text fits the buffer, the
// closing quote is removed; when it does not, the buffer's last character is
// removed instead, which is why only 28 characters survive inside quotes.
constexpr std::size_t kBufferChars = 30;

std::string_view CutLikeTheReader(std::string_view value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (!quoted) return value.substr(0, kBufferChars - 1);
  const std::string_view after_quote = value.substr(1);
  std::string_view copied = after_quote.substr(0, kBufferChars - 1);
  if (after_quote.size() <= kBufferChars) copied.remove_suffix(1);
  return copied;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// Base-0 conversion as RtlCharToInteger does it: control characters and
// spaces skipped, one sign, a lower-case 0x/0o/0b prefix, digits until the
// first one that does not fit the radix, modulo 2^32.
std::uint32_t ConvertBaseZero(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  unsigned radix = 10;
  if (s.size() >= 2 && s[0] == '0') {
    if (s[1] == 'x') radix = 16;
    if (s[1] == 'o') radix = 8;
    if (s[1] == 'b') radix = 2;
    if (radix != 10) s.remove_prefix(2);
  }
  std::uint32_t total = 0;
  for (const char c : s) {
    const int digit = DigitValue(c);
    if (digit >= static_cast<int>(radix)) break;
    total = total * radix + static_cast<std::uint32_t>(digit);
  }
  return negative ? 0u - total : total;
}

}  // namespace

std::int32_t ParseInt(std::string_view value, std::int32_t fallback) {
  const std::string_view text = CutLikeTheReader(detail::Trim(value));
  if (text.empty()) return fallback;
  return static_cast<std::int32_t>(ConvertBaseZero(text));
}

}  // namespace plumbmark::profile
