// libFuzzer target: the reader on arbitrary content, names and values.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "settings/profile_file.h"
#include "settings/profile_lines.h"

using namespace plumbmark::profile;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(24);
  const std::string key = input.ConsumeRandomLengthString(24);
  const auto fallback = input.ConsumeIntegral<std::int32_t>();
  const std::string content = input.ConsumeRemainingBytesAsString();

  const std::optional<std::string> value = FindValue(content, section, key);
  const std::int32_t number = ReadInt(content, section, key, fallback);
  Check(number == (value ? ParseInt(*value, fallback) : fallback));
  if (value) {
    Check(detail::Trim(*value) == *value);
    Check(value->find_first_of("\r\n") == std::string::npos);
  }
  ParseInt(content, fallback);
  return 0;
}
