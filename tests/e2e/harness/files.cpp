#include "harness/files.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace plumbmark::e2e {
namespace fs = std::filesystem;
namespace {

// Files that Wine only ever reads; a run writes its registry and its
// configuration files (which stay private copies) in place.
bool IsProgramBinary(const fs::path& file) {
  static constexpr std::array<std::string_view, 12> kBinaryExtensions{
      ".dll", ".exe", ".drv", ".sys", ".ocx", ".cpl",
      ".acm", ".ax",  ".tlb", ".nls", ".ttf", ".msstyles"};
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(kBinaryExtensions.begin(), kBinaryExtensions.end(), extension) !=
         kBinaryExtensions.end();
}

}  // namespace

TempDir::TempDir(const std::string& prefix, fs::path parent) {
  const fs::path base = parent.empty() ? fs::temp_directory_path() : parent;
  fs::create_directories(base);
  std::string pattern = (base / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::optional<std::string> ReadBytes(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

void CopyTreeLinkingBinaries(const fs::path& from, const fs::path& to) {
  fs::create_directories(to);
  for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator();
       ++it) {
    const fs::path target = to / it->path().lexically_relative(from);
    if (it->is_symlink()) {
      fs::copy_symlink(it->path(), target);
      if (it->is_directory()) it.disable_recursion_pending();
    } else if (it->is_directory()) {
      fs::create_directory(target);
    } else if (IsProgramBinary(it->path())) {
      fs::create_hard_link(it->path(), target);
    } else {
      fs::copy_file(it->path(), target);
    }
  }
}

}  // namespace plumbmark::e2e
