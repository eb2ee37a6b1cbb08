// The text protocol between the differential runner and the Win32 driver.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "differential_case.h"

namespace plumbmark::differential {

std::string ToHex(std::string_view bytes);  // "-" for an empty string
std::string FromHex(std::string_view hex);

// The Windows name of a Linux path as Wine maps it (drive Z: is the root).
std::string WinePath(const std::filesystem::path& path);

// The script line of `op` on `file`, and of a listing of `file`.
std::string ScriptLine(const Operation& op, const std::filesystem::path& file);
std::string ListLine(const std::filesystem::path& file);

// What GetPrivateProfileSection shows of a file: (section, entry) pairs.
using Listing = std::vector<std::pair<std::string, std::string>>;

// Reads the driver's results back, one per operation, and one listing each.
class DriverOutput {
 public:
  explicit DriverOutput(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  std::optional<std::string> NextResult();
  std::optional<Listing> NextListing();

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

}  // namespace plumbmark::differential
