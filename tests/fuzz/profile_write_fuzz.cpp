// libFuzzer target: the writer on arbitrary content. A write must read back,
// must be idempotent, and must not change any other section's values.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "settings/profile_edit.h"
#include "settings/profile_file.h"
#include "settings/profile_lines.h"

using namespace plumbmark::profile;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool SameName(std::string_view a, std::string_view b) {
  return detail::EqualsIgnoreAsciiCase(detail::Trim(a), detail::Trim(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(16);
  const std::string key = input.ConsumeRandomLengthString(16);
  const std::string value = input.ConsumeRandomLengthString(40);
  const std::string other_section = input.ConsumeRandomLengthString(16);
  const std::string other_key = input.ConsumeRandomLengthString(16);
  const std::string content = input.ConsumeRemainingBytesAsString();

  const detail::EditResult edit = detail::EditValue(content, section, key, value);
  if (edit.status == detail::EditStatus::kRefused) return 0;
  const std::string& after = edit.status == detail::EditStatus::kChanged ? edit.content : content;

  Check(FindValue(after, section, key) == std::string(detail::Trim(value)));
  Check(ReadInt(after, section, key, 7) == ParseInt(value, 7));
  Check(!WriteValue(after, section, key, value).has_value());
  if (!SameName(section, other_section) || !SameName(key, other_key)) {
    Check(FindValue(after, other_section, other_key) ==
          FindValue(content, other_section, other_key));
  }
  return 0;
}
