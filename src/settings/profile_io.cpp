// The file-level profile functions: whole-file reads and crash-safe writes.
#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "settings/profile_edit.h"
#include "settings/profile_file.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace plumbmark::profile {
namespace fs = std::filesystem;
namespace {

std::optional<std::string> ReadWholeFile(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  // Read in one go at the size the file has now, then take whatever it grew by.
  std::string content(static_cast<std::size_t>(fs::file_size(file, ec)), '\0');
  if (ec) return std::nullopt;
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(in.gcount()));
  std::array<char, 4096> chunk;
  while (in && (in.read(chunk.data(), chunk.size()) || in.gcount() > 0)) {
    content.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return content;
}

// Writes the file's data through to the disk before it replaces the old one.
bool SyncToDisk(std::FILE* file) {
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

std::string RandomSuffix() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  return std::to_string(generator());
}

// Creates a new, exclusively owned temporary file next to `target`.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temporary) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = folder / ("." + target.filename().string() + "." + RandomSuffix() + ".tmp");
    if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

bool WriteAndClose(std::FILE* file, std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                       std::fflush(file) == 0 && SyncToDisk(file);
  return std::fclose(file) == 0 && written;
}

// Replaces `target` by a complete new file, or leaves it as it was: the bytes
// go to a temporary file in the same folder, which is then renamed over it.
bool ReplaceFile(const fs::path& target, std::string_view bytes,
                 std::optional<fs::perms> permissions) {
  fs::path temporary;
  std::FILE* file = CreateTemporary(target, temporary);
  if (file == nullptr) return false;
  std::error_code ec;
  bool ok = WriteAndClose(file, bytes);
  if (ok && permissions) fs::permissions(temporary, *permissions, ec);
  if (ok && !ec) fs::rename(temporary, target, ec);
  if (ok && !ec) return true;
  fs::remove(temporary, ec);
  return false;
}

// The replacement goes through a rename, which only the folder's permissions
// govern; a file that is read-only for us is refused here instead, as Windows
// refuses to write a read-only profile.
bool MayReplace(const fs::path& target, fs::perms permissions) {
  const fs::perms write_bits =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((permissions & write_bits) == fs::perms::none) return false;
#if defined(_WIN32)
  (void)target;
  return true;
#else
  return access(target.c_str(), W_OK) == 0;
#endif
}

// A link to the settings file is kept: the file it points to is replaced.
fs::path ResolveLinks(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_symlink(file, ec)) return file;
  fs::path resolved = fs::weakly_canonical(file, ec);
  return ec ? file : resolved;
}

}  // namespace

std::int32_t GetPrivateProfileInt(std::string_view section, std::string_view key,
                                  std::int32_t fallback, const fs::path& file) {
  const std::optional<std::string> content = ReadWholeFile(file);
  return content ? ReadInt(*content, section, key, fallback) : fallback;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const fs::path& file) {
  const fs::path target = ResolveLinks(file);
  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  const bool exists = fs::exists(status);
  if (ec && !exists && ec != std::errc::no_such_file_or_directory) return false;
  std::string content;
  if (exists) {
    if (!MayReplace(target, status.permissions())) return false;
    std::optional<std::string> read = ReadWholeFile(target);
    if (!read) return false;
    content = std::move(*read);
  }
  const detail::EditResult edit = detail::EditValue(content, section, key, value);
  if (edit.status == detail::EditStatus::kRefused) return false;
  if (edit.status == detail::EditStatus::kUnchanged) return true;
  return ReplaceFile(target, edit.content,
                     exists ? std::optional(status.permissions()) : std::nullopt);
}

}  // namespace plumbmark::profile
