// The settings file as the tests prepare and read it back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plumbmark::e2e {

// The five stored values; the defaults are those of a first start.
struct StoredStyle {
  int size = 5;
  std::int32_t color = 16711680;
  int vertical = 0;
  int interval = 100;
  int horizon = 0;
};

// The bytes a save of `style` writes into a new file: the section line and
// the five keys in their order, each line ended by CR LF.
std::string SettingsFileText(const StoredStyle& style = {});

// One line of a profile file, by content: a section header, a key with its
// value (both trimmed of spaces), or a comment. Blank lines are left out.
struct ProfileLine {
  enum class Kind { kSection, kKey, kComment } kind;
  std::string section;  // the section the line belongs to
  std::string key;      // keys; the section name for headers
  std::string value;    // keys; the whole text for comments
  bool operator==(const ProfileLine&) const = default;
};
std::vector<ProfileLine> ProfileLines(std::string_view text);

// Bytes with CR, LF and other control bytes spelled out, for messages.
std::string Visible(std::string_view bytes);

}  // namespace plumbmark::e2e
