// Reading and writing profile text: the public face of the reader and the
// in-place editor.
#include "settings/profile_file.h"

#include "settings/profile_edit.h"
#include "settings/profile_encoding.h"
#include "settings/profile_lines.h"

namespace plumbmark::profile {

std::optional<std::string> FindValue(std::string_view content, std::string_view section,
                                     std::string_view key) {
  const detail::DecodedText decoded = detail::Decode(content);
  const detail::Placement placement = detail::Locate(decoded.text(), section, key);
  if (!placement.key || !placement.key->value) return std::nullopt;
  return std::string(*placement.key->value);
}

std::int32_t ReadInt(std::string_view content, std::string_view section, std::string_view key,
                     std::int32_t fallback) {
  const std::optional<std::string> value = FindValue(content, section, key);
  return value ? ParseInt(*value, fallback) : fallback;
}

std::optional<std::string> WriteValue(std::string_view content, std::string_view section,
                                      std::string_view key, std::string_view value) {
  detail::EditResult result = detail::EditValue(content, section, key, value);
  if (result.status != detail::EditStatus::kChanged) return std::nullopt;
  return std::move(result.content);
}

}  // namespace plumbmark::profile
