// The numeric rules: checked 16-bit values, halves to even, single precision
// and the floating-point faults.
#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

namespace plumbmark::num {
namespace {

using forms::ErrorNumber;

std::optional<ErrorNumber> ErrorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const forms::RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

TEST(Numeric, RoundsHalvesToTheEvenNeighbourWithinSixteenBits) {
  const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},         {2.5, 2},
                                          {-1.5, -2}, {-2.5, -2},       {2.5001, 3},
                                          {-0.5, 0},  {32767.4, 32767}, {-32768.5, -32768}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInt16(value), rounded) << value;
}

TEST(Numeric, OverflowAndDivisionFaultsAreRaisedNeverWrapped) {
  const std::pair<std::function<void()>, ErrorNumber> cases[] = {
      {[] { RoundToInt16(32767.5); }, ErrorNumber::kOverflow},
      {[] { RoundToInt16(NAN); }, ErrorNumber::kOverflow},
      {[] { ToInt16(-32769); }, ErrorNumber::kOverflow},
      {[] { Increment(32767); }, ErrorNumber::kOverflow},
      {[] { Decrement(-32768); }, ErrorNumber::kOverflow},
      {[] { ToSingle(1e39); }, ErrorNumber::kOverflow},
      {[] { MultiplySingle(3e38f, 2.0f); }, ErrorNumber::kOverflow},
      {[] { Divide(5, 0); }, ErrorNumber::kDivisionByZero},
      {[] { Divide(0, 0); }, ErrorNumber::kOverflow}};
  for (const auto& [step, error] : cases) EXPECT_EQ(ErrorOf(step), error);
  EXPECT_EQ(Increment(32766), 32767);
  EXPECT_EQ(Decrement(-32767), -32768);
}

}  // namespace
}  // namespace plumbmark::num
