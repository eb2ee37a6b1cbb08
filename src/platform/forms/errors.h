// The one run-time error type of the program and its user-facing texts.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace plumbmark::forms {

// Error numbers as the forms layer reports them.
enum class ErrorNumber : std::int32_t {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kDivisionByZero = 11,
  kInvalidPropertyValue = 380,
};

// A run-time error: ends the running event handler, keeps what the handler
// already changed, and is reported by the forms layer in a message box.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorNumber number, const std::string& message)
      : std::runtime_error(message), number_(number) {}

  static RuntimeError Overflow();
  static RuntimeError DivisionByZero();
  static RuntimeError InvalidPropertyValue();
  // A failed call into the platform, with the system's own description.
  static RuntimeError PlatformFailure(const std::string& what);

  ErrorNumber number() const { return number_; }

 private:
  ErrorNumber number_;
};

// The message box text that reports an error, e.g.
// "実行時エラー '6':\n\nオーバーフローしました。".
std::string ReportText(const RuntimeError& error);

}  // namespace plumbmark::forms
