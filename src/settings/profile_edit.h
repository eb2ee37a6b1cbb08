// The in-place profile editor behind WriteValue, with the distinction between
// a write that changes nothing and one that is refused.
#pragma once

#include <string>
#include <string_view>

namespace plumbmark::profile::detail {

enum class EditStatus { kUnchanged, kChanged, kRefused };

struct EditResult {
  EditStatus status = EditStatus::kUnchanged;
  std::string content;  // the new file content when changed
};

// Refuses names or values that would not read back as written: a line break
// or NUL anywhere (it would inject lines), '=' in the key, a key that would
// read as a comment (';') or a header ('['), text that is not UTF-8 for a
// UTF-16 file, and a first key that would start the file with a byte-order mark.
EditResult EditValue(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace plumbmark::profile::detail
