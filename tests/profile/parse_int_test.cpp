// The integer conversion of the Windows reader: quotes, the 29-character
// buffer, base prefixes and unsigned 32-bit wrap-around.
#include <gtest/gtest.h>

#include <string>

#include "settings/profile_file.h"

namespace plumbmark::profile {
namespace {

constexpr std::int32_t kDefault = -99;

struct IntCase {
  std::string value;
  std::int32_t expected;
};

void ExpectAll(std::initializer_list<IntCase> cases) {
  for (const IntCase& c : cases) {
    EXPECT_EQ(ParseInt(c.value, kDefault), c.expected) << "value [" << c.value << "]";
  }
}

std::string Zeros(std::size_t n) { return std::string(n, '0'); }

TEST(ParseIntTest, SignsAndBlanks) {
  ExpectAll({{"5", 5},
             {" 5", 5},
             {"\t5\t", 5},
             {"+5", 5},
             {"-5", -5},
             {" -5", -5},
             {"\x01\x1f-5", -5},
             {"- 5", 0},
             {"+-5", 0},
             {"--5", 0},
             {"+", 0},
             {"-", 0}});
}

TEST(ParseIntTest, PrefixesAreLowerCaseOnly) {
  ExpectAll({{"007", 7},
             {"08", 8},
             {"0x10", 16},
             {"0x1F", 31},
             {"0xaBc", 2748},
             {"-0x10", -16},
             {"0X10", 0},
             {"0B101", 0},
             {"0O17", 0},
             {"0x", 0},
             {"0xg", 0},
             {"0 x10", 0},
             {"0x-5", 0},
             {"0b101", 5},
             {"-0b11", -3},
             {"0b2", 0},
             {"0o17", 15},
             {"-0o17", -15},
             {"0o8", 0}});
}

TEST(ParseIntTest, WrapsModulo2To32) {
  ExpectAll({{"0x7fffffff", 2147483647},
             {"0x80000000", INT32_MIN},
             {"0xffffffff", -1},
             {"0x100000000", 0},
             {"0x123456789", 591751049},
             {"2147483648", INT32_MIN},
             {"-2147483649", 2147483647},
             {"4294967297", 1},
             {"-4294967296", 0},
             {"99999999999", 1215752191},
             {"-99999999999", -1215752191},
             {"18446744073709551617", 1}});
}

TEST(ParseIntTest, StopsAtTheFirstInvalidCharacter) {
  ExpectAll({{"12abc", 12},
             {"12 34", 12},
             {"1.9", 1},
             {"1e3", 1},
             {"abc12", 0},
             {";5", 0},
             {"\xEF\xBC\x95", 0},
             {"5 ; c", 5}});
}

TEST(ParseIntTest, QuotePairRemovedOnce) {
  ExpectAll({{"\"5\"", 5},
             {"'5'", 5},
             {"\"-5\"", -5},
             {"'-0x10'", -16},
             {"\" 5\"", 5},
             {"\"5", 0},
             {"5\"", 5},
             {"\"5'", 0},
             {"\"5\" x", 0},
             {"\" \"", 0},
             {"''5''", 0},
             {"\"\"", kDefault},
             {"''", kDefault},
             {"\"", 0}});
}

TEST(ParseIntTest, DefaultOnlyForEmptyText) {
  ExpectAll({{"", kDefault}, {"   ", kDefault}, {"\v\f", kDefault}, {"abc", 0}});
  EXPECT_EQ(ParseInt("", INT32_MIN), INT32_MIN);
  EXPECT_EQ(ParseInt("", 0), 0);
}

TEST(ParseIntTest, ReadsOnlyTheFirst29Characters) {
  ExpectAll({{Zeros(28) + "5", 5},
             {Zeros(29) + "5", 0},
             {"-" + Zeros(27) + "5", -5},
             {"-" + Zeros(28) + "5", 0},
             {"12345678901234567890123456789", 1849262357},
             {"123456789012345678901234567890", 1849262357},
             {std::string(40, ' ') + "5", 5}});
}

TEST(ParseIntTest, KeepsOnly28CharactersInsideQuotesWhenTheyFit) {
  ExpectAll({{"\"" + Zeros(27) + "5\"", 5},
             {"\"" + Zeros(28) + "5\"", 0},
             // A longer quoted text overflows the buffer, so 29 characters stay.
             {"\"" + Zeros(27) + "500\"", 50},
             {"\"" + Zeros(28) + "5" + "0\"", 5}});
}

}  // namespace
}  // namespace plumbmark::profile
