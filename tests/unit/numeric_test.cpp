#include <gtest/gtest.h>

#include <limits>

#include "platform/numeric.h"

namespace plumbmark::num {
namespace {

using forms::ErrorNumber;
using forms::RuntimeError;

ErrorNumber ErrorOf(auto&& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  ADD_FAILURE() << "no run-time error raised";
  return ErrorNumber::kInvalidProcedureCall;
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    std::int16_t expected;
  } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},     {3.5, 4},       {-0.5, 0},
               {-1.5, -2}, {-2.5, -2}, {2.4999, 2},  {2.5001, 3},    {-2.5001, -3},
               {5.0, 5},   {4.99999, 5}, {32767.4, 32767}, {-32768.4, -32768}, {32766.5, 32766}};
  for (const auto& c : cases) EXPECT_EQ(RoundToInt16(c.value), c.expected) << c.value;
}

TEST(RoundToInt16, OverflowsAtBothEnds) {
  for (double value : {32767.5, 32768.0, -32768.6, -32769.0, 1e300,
                       std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(ErrorOf([&] { RoundToInt16(value); }), ErrorNumber::kOverflow) << value;
  }
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);  // rounds to the even -32768, in range
}

TEST(ToInt16, NarrowsOrOverflows) {
  EXPECT_EQ(ToInt16(32767), 32767);
  EXPECT_EQ(ToInt16(-32768), -32768);
  EXPECT_EQ(ErrorOf([] { ToInt16(32768); }), ErrorNumber::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt16(-32769); }), ErrorNumber::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt16(40000); }), ErrorNumber::kOverflow);
}

TEST(IncrementDecrement, CheckedAtTheLimits) {
  EXPECT_EQ(Increment(32766), 32767);
  EXPECT_EQ(Decrement(-32767), -32768);
  EXPECT_EQ(ErrorOf([] { Increment(32767); }), ErrorNumber::kOverflow);
  EXPECT_EQ(ErrorOf([] { Decrement(-32768); }), ErrorNumber::kOverflow);
}

TEST(Divide, ZeroDivisorRaisesTheFloatingPointErrors) {
  EXPECT_EQ(Divide(75.0, 15.0), 5.0);
  EXPECT_EQ(ErrorOf([] { Divide(75.0, 0.0); }), ErrorNumber::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { Divide(0.0, 0.0); }), ErrorNumber::kOverflow);
  EXPECT_EQ(ErrorOf([] { Divide(1e308, 1e-308); }), ErrorNumber::kOverflow);
}

TEST(SinglePrecision, RoundsAndOverflows) {
  EXPECT_EQ(ToSingle(1515.0), 1515.0f);
  EXPECT_EQ(ToSingle(0.1), 0.1f);  // rounded to the nearest single
  EXPECT_EQ(ErrorOf([] { ToSingle(1e39); }), ErrorNumber::kOverflow);
  EXPECT_EQ(MultiplySingle(15.0f, 32767.0f), 491505.0f);
  EXPECT_EQ(ErrorOf([] { MultiplySingle(3e38f, 10.0f); }), ErrorNumber::kOverflow);
  EXPECT_EQ(ErrorOf([] { AddSingle(3.4e38f, 3.4e38f); }), ErrorNumber::kOverflow);
}

}  // namespace
}  // namespace plumbmark::num
