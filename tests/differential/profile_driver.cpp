// Runs a script of profile operations through the real Windows functions and
// prints every result, for the differential test of the settings-file engine.
//
// Usage: profile_driver SCRIPT OUTPUT
// Each script line is one operation; every string field is hex ("-" = empty):
//   get FILE SECTION KEY DEFAULT   -> the integer
//   str FILE SECTION KEY           -> the string in hex, "~" when not found
//   put FILE SECTION KEY VALUE     -> 1 or 0
//   list FILE                      -> "L SECTION ENTRY" per entry, then "E"
// The output is written to a file in binary mode, one line per result.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kMissing[] = "\x01missing\x01";

std::string FromHex(const std::string& hex) {
  if (hex == "-") return {};
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return out;
}

std::string ToHex(const std::string& bytes) {
  if (bytes.empty()) return "-";
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

// Splits a double-NUL-terminated list of strings.
std::vector<std::string> SplitList(const std::vector<char>& buffer, DWORD length) {
  std::vector<std::string> items;
  for (DWORD i = 0; i < length && buffer[i] != '\0';) {
    const std::string item(&buffer[i]);
    items.push_back(item);
    i += static_cast<DWORD>(item.size()) + 1;
  }
  return items;
}

void List(const std::string& file, std::FILE* out) {
  std::vector<char> buffer(1 << 20);
  const DWORD names_length = GetPrivateProfileSectionNamesA(
      buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
  std::vector<std::string> names = SplitList(buffer, names_length);
  names.insert(names.begin(), "");
  for (const std::string& name : names) {
    const DWORD length = GetPrivateProfileSectionA(name.c_str(), buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), file.c_str());
    for (const std::string& entry : SplitList(buffer, length)) {
      std::fprintf(out, "L %s %s\n", ToHex(name).c_str(), ToHex(entry).c_str());
    }
  }
  std::fprintf(out, "E\n");
}

void Run(const std::string& line, std::FILE* out) {
  std::istringstream fields(line);
  std::string op, file, section, key, last;
  fields >> op >> file >> section >> key >> last;
  file = FromHex(file);
  section = FromHex(section);
  key = FromHex(key);
  if (op == "get") {
    const UINT result =
        GetPrivateProfileIntA(section.c_str(), key.c_str(), std::stoi(last), file.c_str());
    std::fprintf(out, "%d\n", static_cast<int>(result));
  } else if (op == "str") {
    std::vector<char> buffer(1 << 16);
    GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                             static_cast<DWORD>(buffer.size()), file.c_str());
    const std::string value(buffer.data());
    std::fprintf(out, "%s\n", value == kMissing ? "~" : ToHex(value).c_str());
  } else if (op == "put") {
    const std::string value = FromHex(last);
    const BOOL ok =
        WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
    std::fprintf(out, "%d\n", ok ? 1 : 0);
  } else if (op == "list") {
    List(file, out);
  } else {
    std::fprintf(out, "? %s\n", op.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: profile_driver SCRIPT OUTPUT\n");
    return 2;
  }
  std::ifstream script(argv[1], std::ios::binary);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!script || out == nullptr) {
    std::fprintf(stderr, "profile_driver: cannot open %s or %s\n", argv[1], argv[2]);
    return 2;
  }
  for (std::string line; std::getline(script, line);) {
    if (!line.empty()) Run(line, out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
