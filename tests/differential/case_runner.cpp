#include "case_runner.h"

#include <fstream>
#include <iterator>
#include <map>

#include "settings/profile_file.h"

namespace plumbmark::differential {
namespace fs = std::filesystem;
namespace {

std::optional<std::string> Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// GetPrivateProfileString drops one pair of matching quotes.
std::string StripQuotes(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string OurResult(const Operation& op, const fs::path& file) {
  switch (op.kind) {
    case Operation::Kind::kGetInt:
      return std::to_string(profile::GetPrivateProfileInt(op.section, op.key, op.fallback, file));
    case Operation::Kind::kGetString: {
      const std::optional<std::string> value =
          profile::FindValue(Bytes(file).value_or(""), op.section, op.key);
      return value ? ToHex(StripQuotes(*value)) : "~";
    }
    case Operation::Kind::kPut:
      return profile::WritePrivateProfileString(op.section, op.key, op.value, file) ? "1" : "0";
  }
  return "?";
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// Checks every key that Windows lists in a file against what our reader
// finds for it in both final files.
void JudgeListedKeys(const Listing& listing, const std::string& ours, const std::string& theirs,
                     std::vector<std::string>& failures) {
  std::map<std::pair<std::string, std::string>, std::optional<std::string>> first;
  for (const auto& [section, entry] : listing) {
    const std::size_t equals = entry.find('=');
    const std::string key = entry.substr(0, equals);
    std::optional<std::string> value;
    if (equals != std::string::npos) value = entry.substr(equals + 1);
    first.try_emplace({Lower(section), Lower(key)}, value);
  }
  for (const auto& [name, value] : first) {
    for (const std::string* content : {&ours, &theirs}) {
      const auto found = profile::FindValue(*content, name.first, name.second);
      if (found != value) {
        failures.push_back("[" + Escape(name.first) + "] " + Escape(name.second) + ": Windows " +
                           (value ? Escape(*value) : "(none)") + ", ours " +
                           (found ? Escape(*found) : "(none)") + " in " +
                           (content == &ours ? "our file" : "the Windows file"));
      }
    }
  }
}

}  // namespace

std::string Escape(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '"' || c == '\\')
      out += std::string("\\") + c;
    else if (byte < 0x20 || byte >= 0x7f)
      out += std::string("\\x") + kDigits[byte >> 4] + kDigits[byte & 15];
    else
      out += c;
  }
  return out + "\"";
}

std::vector<std::string> RunOurs(const Case& c, const fs::path& ours, const fs::path& theirs) {
  for (const fs::path& file : {ours, theirs}) {
    fs::remove(file);
    if (c.file_exists) std::ofstream(file, std::ios::binary) << c.content;
  }
  std::vector<std::string> results;
  for (const Operation& op : c.operations) results.push_back(OurResult(op, ours));
  return results;
}

std::vector<std::string> Judge(const Case& c, const std::vector<std::string>& our_results,
                               DriverOutput& driver, const fs::path& ours, const fs::path& theirs) {
  std::vector<std::string> failures;
  for (std::size_t i = 0; i < c.operations.size(); ++i) {
    const std::optional<std::string> result = driver.NextResult();
    if (result != our_results[i]) {
      failures.push_back("operation " + std::to_string(i + 1) + ": Windows " +
                         result.value_or("(no output)") + ", ours " + our_results[i]);
    }
  }
  const std::optional<Listing> their_listing = driver.NextListing();
  const std::optional<Listing> our_listing = driver.NextListing();
  if (!their_listing || !our_listing) return {"the driver's listing is missing"};
  if (*their_listing != *our_listing) {
    failures.push_back("Windows reads different sections, keys or values in the two files");
  }
  const std::optional<std::string> our_bytes = Bytes(ours);
  const std::optional<std::string> their_bytes = Bytes(theirs);
  if (our_bytes.has_value() != their_bytes.has_value()) {
    failures.push_back("only one of the two files exists");
  }
  JudgeListedKeys(*their_listing, our_bytes.value_or(""), their_bytes.value_or(""), failures);
  if (c.canonical && our_bytes != their_bytes) {
    failures.push_back("bytes differ: Windows " + Escape(their_bytes.value_or("(none)")) +
                       ", ours " + Escape(our_bytes.value_or("(none)")));
  }
  return failures;
}

}  // namespace plumbmark::differential
