#include "settings_file.h"

namespace plumbmark::settings {

std::string SettingsPath(const std::string& folder, char separator) {
  std::string path = folder;
  if (path.empty() || path.back() != separator) path += separator;
  return path + kFileName;
}

}  // namespace plumbmark::settings
