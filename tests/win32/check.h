// A minimal check harness for the win32 tests that run natively on Linux:
// each failed check prints where and what, and main returns the count.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

namespace plumbmark::wintest {

inline int& Failures() {
  static int failures = 0;
  return failures;
}

// Records one failed expectation with the values it compared.
template <typename A, typename B>
void ExpectEqual(const A& actual, const B& expected, const std::string& what, const char* file,
                 int line) {
  if (actual == expected) return;
  std::ostringstream out;
  out << file << ":" << line << ": " << what << ": got " << actual << ", want " << expected;
  std::cerr << out.str() << "\n";
  ++Failures();
}

}  // namespace plumbmark::wintest

#define EXPECT_EQ(actual, expected, what) \
  ::plumbmark::wintest::ExpectEqual((actual), (expected), (what), __FILE__, __LINE__)
