// The line structure of a profile file's text, as the Windows reader sees it,
// with the byte offsets that the in-place editor needs.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace plumbmark::profile::detail {

// Space, tab, vertical tab and form feed: what the reader trims.
bool IsBlank(char c);
std::string_view Trim(std::string_view s);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

enum class LineKind { kBlank, kComment, kHeader, kEntry };

struct Line {
  std::size_t begin = 0;  // first byte of the line
  std::size_t end = 0;    // end of its content, where its line end starts
  std::size_t next = 0;   // first byte after its line end (CRLF, LF or CR)
  LineKind kind = LineKind::kBlank;
  std::string_view name;                  // header name or entry key, trimmed
  std::optional<std::string_view> value;  // entry value, trimmed; none without '='

  std::string_view line_end(std::string_view text) const { return text.substr(end, next - end); }
};

// The line that starts at `begin` (which must be before the end of `text`).
Line ReadLine(std::string_view text, std::size_t begin);

// Where a section and one of its keys are, or where they would go.
struct Placement {
  bool section_found = false;
  std::optional<Line> key;     // the first entry with the key's name
  std::optional<Line> anchor;  // the section's last non-blank line (its header
                               // when empty); none for an empty top area
};

// Looks `key` up in the first section named `section` (both trimmed, ASCII
// case-insensitive). Section "" is the area before the first header; when that
// area holds no entry, a "[]" header is used instead if there is one.
Placement Locate(std::string_view text, std::string_view section, std::string_view key);

}  // namespace plumbmark::profile::detail
