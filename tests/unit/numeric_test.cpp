// The numeric rules: checked 16-bit values, halves to even, single precision
// and the floating-point faults.
#include "platform/numeric.h"

#include <gtest/gtest.h>

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

TEST(Numeric, RoundsHalvesToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {
      {0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0},        {-1.5, -2},
      {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {32767.4, 32767}, {-32768.5, -32768}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInt16(value), rounded) << value;
}

TEST(Numeric, LeavingSixteenBitsOverflows) {
  const std::function<void()> overflowing[] = {[] { RoundToInt16(32767.5); },
                                               [] { RoundToInt16(-32768.6); },
                                               [] { RoundToInt16(NAN); },
                                               [] { ToInt16(32768); },
                                               [] { ToInt16(-32769); },
                                               [] { Increment(32767); },
                                               [] { Decrement(-32768); },
                                               [] { ToSingle(1e39); },
                                               [] { MultiplySingle(3e38f, 2.0f); },
                                               [] { Divide(1e308, 1e-10); }};
  for (const auto& step : overflowing) EXPECT_EQ(ErrorOf(step), ErrorNumber::kOverflow);
  EXPECT_EQ(ToInt16(-32768), -32768);
  EXPECT_EQ(Increment(32766), 32767);
  EXPECT_EQ(Decrement(-32767), -32768);
}

TEST(Numeric, ZeroDivisorRaisesDivisionByZeroOrOverflowForZeroByZero) {
  EXPECT_EQ(ErrorOf([] { Divide(5, 0); }), ErrorNumber::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { Divide(-5, 0); }), ErrorNumber::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { Divide(0, 0); }), ErrorNumber::kOverflow);
  EXPECT_EQ(Divide(75, 15), 5);
}

TEST(Numeric, SingleProductsRoundToSinglePrecision) {
  const float factor = 1440.0f / 168.0f;
  EXPECT_EQ(MultiplySingle(factor, 7.0f), 60.0f);  // 59.99999... in double
  EXPECT_NE(static_cast<double>(factor) * 7.0, 60.0);
}

}  // namespace
}  // namespace plumbmark::num
