// The in-place editor. It follows the Windows writer's placement rules but
// edits the text in place instead of re-serialising the whole file as Wine
// does, so that comments, blank lines, spacing and line ends the user chose
// stay as they were.
#include "settings/profile_edit.h"

#include <optional>

#include "settings/profile_encoding.h"
#include "settings/profile_lines.h"

namespace plumbmark::profile::detail {
namespace {

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsWritable(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
    return false;
  }
  const std::string_view name = Trim(key);
  if (name.find('=') != std::string_view::npos) return false;
  return name.empty() || (name.front() != ';' && name.front() != '[');
}

// The file's first line end, or CRLF (what the Windows writer uses) if none.
std::string_view FirstLineEnd(std::string_view text) {
  const std::size_t first = text.find_first_of("\r\n");
  if (first == std::string_view::npos) return "\r\n";
  const bool crlf = text[first] == '\r' && text.substr(first + 1, 1) == "\n";
  return text.substr(first, crlf ? 2 : 1);
}

// A line inserted after `anchor` ends as the anchor does, so that a file
// keeps its own line-end style.
std::string_view LineEndFor(std::string_view text, const std::optional<Line>& anchor) {
  if (anchor && anchor->next > anchor->end) return anchor->line_end(text);
  return FirstLineEnd(text);
}

std::string Splice(std::string_view text, std::size_t from, std::size_t to,
                   std::string_view insert) {
  std::string out;
  out.reserve(text.size() + insert.size());
  out.append(text.substr(0, from)).append(insert).append(text.substr(to));
  return out;
}

std::string InsertAfter(std::string_view text, const std::optional<Line>& anchor,
                        std::string_view line_text) {
  const std::string_view eol = LineEndFor(text, anchor);
  const std::size_t at = anchor ? anchor->next : 0;
  const bool needs_eol = anchor && anchor->next == anchor->end;
  std::string insert = needs_eol ? std::string(eol) : std::string();
  insert.append(line_text).append(eol);
  return Splice(text, at, at, insert);
}

std::string AppendSection(std::string_view text, std::string_view section, std::string_view entry) {
  const bool open_last_line = !text.empty() && text.back() != '\n' && text.back() != '\r';
  std::string_view eol = FirstLineEnd(text);
  if (!text.empty() && !open_last_line) {
    eol = text.ends_with("\r\n") ? text.substr(text.size() - 2) : text.substr(text.size() - 1);
  }
  std::string insert = open_last_line ? std::string(eol) : std::string();
  insert.append("[").append(section).append("]").append(eol).append(entry).append(eol);
  return Splice(text, text.size(), text.size(), insert);
}

std::optional<std::string> EditText(std::string_view text, std::string_view section,
                                    std::string_view key, std::string_view value) {
  const Placement placement = Locate(text, section, key);
  if (placement.key) {
    const Line& line = *placement.key;
    if (line.value == value) return std::nullopt;
    const std::string entry = std::string(line.name) + "=" + std::string(value);
    return Splice(text, line.begin, line.end, entry);
  }
  const std::string entry = std::string(Trim(key)) + "=" + std::string(value);
  if (placement.section_found) return InsertAfter(text, placement.anchor, entry);
  return AppendSection(text, Trim(section), entry);
}

}  // namespace

EditResult EditValue(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value) {
  if (!IsWritable(section, key, value)) return {EditStatus::kRefused, {}};
  const DecodedText decoded = Decode(content);
  if (decoded.encoding == Encoding::kUtf16Le || decoded.encoding == Encoding::kUtf16Be) {
    if (!IsValidUtf8(section) || !IsValidUtf8(key) || !IsValidUtf8(value)) {
      return {EditStatus::kRefused, {}};
    }
  }
  const std::optional<std::string> text = EditText(decoded.text(), section, key, Trim(value));
  if (!text) return {EditStatus::kUnchanged, {}};
  std::string written = Encode(decoded, *text);
  // A key written at the very start of a file could begin with the bytes of
  // a byte-order mark and turn the whole file into another encoding.
  if (Decode(written).encoding != decoded.encoding) return {EditStatus::kRefused, {}};
  return {EditStatus::kChanged, std::move(written)};
}

}  // namespace plumbmark::profile::detail
