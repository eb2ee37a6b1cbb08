#include "errors.h"

namespace plumbmark::forms {

RuntimeError RuntimeError::Overflow() {
  return {ErrorNumber::kOverflow, "オーバーフローしました。"};
}

RuntimeError RuntimeError::DivisionByZero() {
  return {ErrorNumber::kDivisionByZero, "0 で除算しました。"};
}

RuntimeError RuntimeError::InvalidPropertyValue() {
  return {ErrorNumber::kInvalidPropertyValue, "プロパティの値が不正です。"};
}

RuntimeError RuntimeError::PlatformFailure(const std::string& what) {
  return {ErrorNumber::kInvalidProcedureCall, "プロシージャの呼び出しに失敗しました。" + what};
}

std::string ReportText(const RuntimeError& error) {
  return "実行時エラー '" + std::to_string(static_cast<std::int32_t>(error.number())) + "':\n\n" +
         error.what();
}

}  // namespace plumbmark::forms
