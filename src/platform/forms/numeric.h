// The numeric rules of the program: 16-bit signed values with checked
// narrowing and arithmetic, rounding with halves to the even neighbour, and
// single-precision twips. Every rule raises the overflow (or division) error
// instead of wrapping silently.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "errors.h"

namespace plumbmark::num {

// Flags hold -1 for true and 0 for false, in 16 bits.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

// Narrows a 32/64-bit integer to 16 bits; out of range raises overflow.
inline std::int16_t ToInt16(std::int64_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    throw forms::RuntimeError::Overflow();
  }
  return static_cast<std::int16_t>(value);
}

inline std::int16_t Increment(std::int16_t value) { return ToInt16(std::int64_t{value} + 1); }
inline std::int16_t Decrement(std::int16_t value) { return ToInt16(std::int64_t{value} - 1); }

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4), independent of the floating-point rounding mode.
inline double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) return floor + 1.0;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// Rounds a floating value to a 16-bit signed integer, halves to even; a
// result outside the range (or a NaN) raises overflow.
inline std::int16_t RoundToInt16(double value) {
  if (std::isnan(value)) throw forms::RuntimeError::Overflow();
  const double rounded = RoundHalfEven(value);
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    throw forms::RuntimeError::Overflow();
  }
  return static_cast<std::int16_t>(rounded);
}

// Narrows a double to single precision; beyond the single range raises overflow.
inline float ToSingle(double value) {
  const auto result = static_cast<float>(value);
  if (!std::isfinite(result)) throw forms::RuntimeError::Overflow();
  return result;
}

// Product of two singles rounded to single precision; an infinite result
// raises overflow.
inline float MultiplySingle(float a, float b) {
  const float product = a * b;
  if (!std::isfinite(product)) throw forms::RuntimeError::Overflow();
  return product;
}

// Floating division as the forms layer defines it: a zero divisor raises
// division by zero, or overflow when the dividend is zero too (0 / 0).
inline double Divide(double dividend, double divisor) {
  if (divisor == 0.0) {
    if (dividend == 0.0 || std::isnan(dividend)) throw forms::RuntimeError::Overflow();
    throw forms::RuntimeError::DivisionByZero();
  }
  const double quotient = dividend / divisor;
  if (!std::isfinite(quotient)) throw forms::RuntimeError::Overflow();
  return quotient;
}

}  // namespace plumbmark::num
