// The settings file Plumbmark.ini: its place, its section and keys with their
// defaults, and the save sequence.
#pragma once

#include <cstdint>
#include <string>

#include "forms.h"

namespace plumbmark::settings {

inline constexpr const char* kFileName = "Plumbmark.ini";
inline constexpr const char* kSection = "Plumbmark";

inline constexpr const char* kSize = "Size";
inline constexpr const char* kColor = "Color";
inline constexpr const char* kVertical = "Vertical";
inline constexpr const char* kInterval = "Interval";
inline constexpr const char* kHorizon = "Horizon";

inline constexpr std::int32_t kDefaultSize = 5;
inline constexpr std::int32_t kDefaultColor = 16711680;  // blue, 0x00FF0000
inline constexpr std::int32_t kDefaultVertical = 0;
inline constexpr std::int32_t kDefaultInterval = 100;
inline constexpr std::int32_t kDefaultHorizon = 0;

// Options a user adds by hand; read at start, never written.
inline constexpr const char* kHotKey = "HotKey";
inline constexpr const char* kHideWithPointer = "HideWithPointer";
inline constexpr const char* kHideFromCapture = "HideFromCapture";

// The five values the save commands write, as the program holds them.
struct Style {
  std::int16_t size;
  std::int32_t color;
  std::int16_t verticalHidden;  // flag: -1 or 0
  std::int32_t interval;
  std::int16_t horizontalHidden;  // flag: -1 or 0
};

// The program folder joined with the file name by exactly one separator,
// whether or not the folder already ends in one.
std::string SettingsPath(const std::string& folder, char separator);

}  // namespace plumbmark::settings

namespace plumbmark {

// Writes the five settings to `iniPath`. Returns true when all five writes
// succeeded; otherwise tells the user, naming the file, and returns false.
bool SaveSettings(forms::Application& app, const std::string& iniPath,
                  const settings::Style& style);

}  // namespace plumbmark
