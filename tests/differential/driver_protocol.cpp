#include "driver_protocol.h"

#include <sstream>

namespace plumbmark::differential {

std::string ToHex(std::string_view bytes) {
  if (bytes.empty()) return "-";
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
  }
  return out;
}

std::string FromHex(std::string_view hex) {
  if (hex == "-") return {};
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  }
  return out;
}

std::string WinePath(const std::filesystem::path& path) {
  std::string name = "Z:" + std::filesystem::absolute(path).string();
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

std::string ScriptLine(const Operation& op, const std::filesystem::path& file) {
  std::string line;
  switch (op.kind) {
    case Operation::Kind::kGetInt:
      line = "get ";
      break;
    case Operation::Kind::kGetString:
      line = "str ";
      break;
    case Operation::Kind::kPut:
      line = "put ";
      break;
  }
  line += ToHex(WinePath(file)) + " " + ToHex(op.section) + " " + ToHex(op.key);
  if (op.kind == Operation::Kind::kGetInt) line += " " + std::to_string(op.fallback);
  if (op.kind == Operation::Kind::kPut) line += " " + ToHex(op.value);
  return line;
}

std::string ListLine(const std::filesystem::path& file) { return "list " + ToHex(WinePath(file)); }

std::optional<std::string> DriverOutput::NextResult() {
  if (next_ >= lines_.size()) return std::nullopt;
  return lines_[next_++];
}

std::optional<Listing> DriverOutput::NextListing() {
  Listing listing;
  while (next_ < lines_.size()) {
    std::istringstream fields(lines_[next_++]);
    std::string tag, section, entry;
    fields >> tag >> section >> entry;
    if (tag == "E") return listing;
    if (tag != "L") return std::nullopt;
    listing.emplace_back(FromHex(section), FromHex(entry));
  }
  return std::nullopt;
}

}  // namespace plumbmark::differential
