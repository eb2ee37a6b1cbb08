// Temporary folders and whole-file reads and writes, byte for byte.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plumbmark::e2e {

// A fresh folder (under `parent`, by default the system's temporary folder),
// removed with its contents when this object goes.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix, std::filesystem::path parent = {});
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The file's bytes, or nothing when there is no such regular file.
std::optional<std::string> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// Copies a folder tree: program binaries (which no run changes) as hard
// links, every other file as a private copy, symbolic links as they are.
void CopyTreeLinkingBinaries(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace plumbmark::e2e
