#include "hot_key.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "system_calls.h"

namespace plumbmark::settings {
namespace {

using namespace API_RegisterHotKey;

constexpr std::size_t kLongest = 40;
constexpr std::int32_t kF1 = 0x70;
constexpr std::int32_t kF12 = 0x7B;

constexpr std::array<std::pair<std::string_view, std::int32_t>, 5> kModifiers{
    {{"ctrl", MOD_CONTROL},
     {"control", MOD_CONTROL},
     {"alt", MOD_ALT},
     {"shift", MOD_SHIFT},
     {"win", MOD_WIN}}};

constexpr std::array<std::pair<std::string_view, std::int32_t>, 16> kNamedKeys{
    {{"space", 0x20},
     {"enter", 0x0D},
     {"tab", 0x09},
     {"backspace", 0x08},
     {"insert", 0x2D},
     {"delete", 0x2E},
     {"home", 0x24},
     {"end", 0x23},
     {"pageup", 0x21},
     {"pagedown", 0x22},
     {"left", 0x25},
     {"up", 0x26},
     {"right", 0x27},
     {"down", 0x28},
     {"pause", 0x13},
     {"scrolllock", 0x91}}};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// One "+"-separated part without the blanks around it.
std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

template <std::size_t N>
std::int32_t Find(const std::array<std::pair<std::string_view, std::int32_t>, N>& table,
                  const std::string& name) {
  const auto found =
      std::ranges::find(table, name, &std::pair<std::string_view, std::int32_t>::first);
  return found == table.end() ? 0 : found->second;
}

// The virtual-key code of a key name, 0 for none.
std::int32_t KeyCode(const std::string& name) {
  if (name.size() == 1 && (std::isalnum(static_cast<unsigned char>(name[0])) != 0)) {
    return std::toupper(static_cast<unsigned char>(name[0]));
  }
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f' &&
      std::all_of(name.begin() + 1, name.end(), [](char c) { return std::isdigit(c) != 0; })) {
    const int n = std::stoi(name.substr(1));
    return n >= 1 && n <= 24 && name[1] != '0' ? kF1 + n - 1 : 0;
  }
  return Find(kNamedKeys, name);
}

HotKey Problem(std::string problem) { return {0, 0, std::move(problem)}; }

}  // namespace

HotKey ReadHotKey(std::string_view text) {
  if (text.size() > kLongest) return Problem("長すぎます。");
  HotKey hotKey;
  std::string_view rest = text;
  for (;;) {
    const std::size_t plus = rest.find('+');
    const std::string_view written = Trimmed(rest.substr(0, plus));
    const std::string part = Lower(written);
    if (part.empty()) return Problem("書き方が正しくありません (例: Ctrl+Shift+F11)。");
    if (const std::int32_t modifier = Find(kModifiers, part)) {
      if ((hotKey.modifiers & modifier) != 0) return Problem("同じ修飾キーが 2 回あります。");
      hotKey.modifiers |= modifier;
      if (plus == std::string_view::npos) {
        return Problem("修飾キー (Ctrl、Alt、Shift、Win) のほかにキーが 1 つ要ります。");
      }
      rest.remove_prefix(plus + 1);
      continue;
    }
    hotKey.key = KeyCode(part);
    if (hotKey.key == 0) return Problem("「" + std::string(written) + "」というキーはありません。");
    if (plus != std::string_view::npos)
      return Problem("修飾キーのほかのキーは最後に 1 つだけです。");
    break;
  }
  if (hotKey.key == kF12) return Problem("F12 は Windows がデバッガー用に予約しています。");
  const bool functionKey = hotKey.key >= kF1 && hotKey.key < kF1 + 24;
  if (!functionKey && (hotKey.modifiers & (MOD_CONTROL | MOD_ALT | MOD_WIN)) == 0) {
    return Problem("Ctrl、Alt、Win のどれかと組み合わせてください。");
  }
  return hotKey;
}

}  // namespace plumbmark::settings
