#include "harness/settings_text.h"

#include <cstdio>
#include <sstream>

namespace plumbmark::e2e {
namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::string SettingsFileText(const StoredStyle& style) {
  std::ostringstream out;
  out << "[Plumbmark]\r\n"
      << "Size=" << style.size << "\r\n"
      << "Color=" << style.color << "\r\n"
      << "Vertical=" << style.vertical << "\r\n"
      << "Interval=" << style.interval << "\r\n"
      << "Horizon=" << style.horizon << "\r\n";
  return out.str();
}

std::vector<ProfileLine> ProfileLines(std::string_view text) {
  std::vector<ProfileLine> lines;
  std::string section;
  std::istringstream in{std::string(text)};
  std::string raw;
  while (std::getline(in, raw)) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string line = Trimmed(raw);
    if (line.empty()) continue;
    if (line.front() == ';') {
      lines.push_back({ProfileLine::Kind::kComment, section, {}, line});
    } else if (line.front() == '[' && line.back() == ']') {
      section = Trimmed(line.substr(1, line.size() - 2));
      lines.push_back({ProfileLine::Kind::kSection, section, section, {}});
    } else {
      const auto equals = line.find('=');
      lines.push_back({ProfileLine::Kind::kKey, section, Trimmed(line.substr(0, equals)),
                       equals == std::string::npos ? "" : Trimmed(line.substr(equals + 1))});
    }
  }
  return lines;
}

std::string Visible(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace plumbmark::e2e
