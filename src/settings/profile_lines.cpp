#include "settings/profile_lines.h"

namespace plumbmark::profile::detail {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

namespace {

void Classify(std::string_view content, Line& line) {
  const std::string_view trimmed = Trim(content);
  if (trimmed.empty()) return;
  if (trimmed.front() == ';') {
    line.kind = LineKind::kComment;
    return;
  }
  // A header runs from '[' to the last ']' on the line; without one the line
  // is an ordinary entry of the section before it.
  const std::size_t close = trimmed.rfind(']');
  if (trimmed.front() == '[' && close != std::string_view::npos) {
    line.kind = LineKind::kHeader;
    line.name = Trim(trimmed.substr(1, close - 1));
    return;
  }
  line.kind = LineKind::kEntry;
  const std::size_t equals = trimmed.find('=');
  line.name = Trim(trimmed.substr(0, equals));
  if (equals != std::string_view::npos) line.value = Trim(trimmed.substr(equals + 1));
}

}  // namespace

Line ReadLine(std::string_view text, std::size_t begin) {
  Line line;
  line.begin = begin;
  line.end = begin;
  while (line.end < text.size() && text[line.end] != '\r' && text[line.end] != '\n') ++line.end;
  line.next = line.end;
  if (line.end < text.size()) {
    line.next = line.end + 1;
    if (text[line.end] == '\r' && line.next < text.size() && text[line.next] == '\n') ++line.next;
  }
  Classify(text.substr(begin, line.end - begin), line);
  return line;
}

namespace {

// Collects the key and the last non-blank line of one section.
void Collect(const Line& line, std::string_view key, Placement& into) {
  if (line.kind == LineKind::kBlank) return;
  into.anchor = line;
  if (line.kind == LineKind::kEntry && !into.key && EqualsIgnoreAsciiCase(line.name, key)) {
    into.key = line;
  }
}

}  // namespace

Placement Locate(std::string_view text, std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  Placement top;
  top.section_found = true;
  bool top_has_entry = false;
  Placement named;
  enum class Where { kTop, kNamed, kOther } where = Where::kTop;
  for (std::size_t pos = 0; pos < text.size();) {
    const Line line = ReadLine(text, pos);
    pos = line.next;
    if (line.kind == LineKind::kHeader) {
      if (where == Where::kTop && section.empty() && top_has_entry) return top;
      if (where == Where::kNamed) return named;
      where = Where::kOther;
      if (!named.section_found && EqualsIgnoreAsciiCase(line.name, section)) {
        where = Where::kNamed;
        named.section_found = true;
        named.anchor = line;
      }
      continue;
    }
    if (where == Where::kOther) continue;
    Placement& into = where == Where::kTop ? top : named;
    Collect(line, key, into);
    top_has_entry = top_has_entry || (where == Where::kTop && line.kind == LineKind::kEntry);
    if (into.key && (where == Where::kNamed || section.empty())) return into;
  }
  if (named.section_found) return named;
  if (section.empty()) return top;
  return {};
}

}  // namespace plumbmark::profile::detail
