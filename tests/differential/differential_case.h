// One differential case: a starting file and the operations run on it, both
// through the Windows functions (under Wine) and through our engine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plumbmark::differential {

struct Operation {
  enum class Kind { kGetInt, kGetString, kPut } kind = Kind::kGetInt;
  std::string section;
  std::string key;
  std::string value;          // the value written by kPut
  std::int32_t fallback = 0;  // the default of kGetInt
};

struct Case {
  std::string group;  // which rule the case exercises, for the report
  std::string name;
  bool file_exists = true;
  std::string content;
  std::vector<Operation> operations;
  // True when the file is already in the Windows writer's own form (CRLF, no
  // blank lines, `key=value`) and every name is written untrimmed-safe, so
  // that both writers must produce the same bytes.
  bool canonical = false;
};

inline Case NewCase(std::string group, std::string name) {
  Case c;
  c.group = std::move(group);
  c.name = std::move(name);
  return c;
}

// Cases written by hand, one group per rule of the reader and the writer.
std::vector<Case> HandWrittenCases();

// A random file and a random sequence of operations, fixed by `seed`.
Case RandomCase(std::uint32_t seed);

// Convenience constructors for operations.
Operation GetInt(std::string section, std::string key, std::int32_t fallback = -99);
Operation GetString(std::string section, std::string key);
Operation Put(std::string section, std::string key, std::string value);

}  // namespace plumbmark::differential
