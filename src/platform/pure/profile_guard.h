// The settings file through the system's profile functions, never with a
// path they cannot take. Pure: the system's calls are handed in (Windows'
// own in the backend, a recording stand-in in the tests), so that the guard
// on reading and the guard on writing are each tested without Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "wide_text.h"

namespace plumbmark::win32 {

// MAX_PATH: the profile functions take a full path shorter than this.
inline constexpr std::size_t kProfilePathLimit = 260;

// `System` gives FullPathLength(path) (GetFullPathNameW's length with the
// NUL, 0 on failure), ReadInt(section, key, fallback, path),
// ReadText(section, key, fallback, path) and Write(section, key, value,
// path), all in wide text.
template <typename System>
class GuardedProfile {
 public:
  explicit GuardedProfile(System& system) : system_(system) {}

  // The value, or `fallback` when the file has none or its path does not fit.
  std::int32_t ReadInt(const std::string& section, const std::string& key, std::int32_t fallback,
                       const std::string& file) {
    const std::wstring path = WideText(file);
    if (!Fits(path)) return fallback;
    return system_.ReadInt(WideText(section), WideText(key), fallback, path);
  }

  // The text, or `fallback` when the file has none or its path does not fit.
  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& fallback, const std::string& file) {
    const std::wstring path = WideText(file);
    if (!Fits(path)) return fallback;
    return NarrowText(system_.ReadText(WideText(section), WideText(key), WideText(fallback), path));
  }

  // True when the system reported the value written; false without a try
  // when the path does not fit.
  bool Write(const std::string& section, const std::string& key, const std::string& value,
             const std::string& file) {
    const std::wstring path = WideText(file);
    if (!Fits(path)) return false;
    return system_.Write(WideText(section), WideText(key), WideText(value), path);
  }

 private:
  // NOTE: the profile functions are not among the functions that a "\\?\"
  // prefix or a long-path-aware manifest extends. Wine resolves the name
  // into a MAX_PATH buffer and, when it does not fit, opens whatever that
  // buffer holds: the file is not read, and a write reports success while
  // it changes nothing or makes a stray file.
  bool Fits(const std::wstring& path) {
    if (path.size() >= kProfilePathLimit) return false;
    const std::size_t full = system_.FullPathLength(path);
    return full != 0 && full <= kProfilePathLimit;
  }

  System& system_;
};

}  // namespace plumbmark::win32
