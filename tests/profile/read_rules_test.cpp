// How values are found: file structure rules of the Windows reader.
#include <gtest/gtest.h>

#include <string>

#include "settings/profile_file.h"

namespace plumbmark::profile {
namespace {

using namespace std::string_literals;

struct LookupCase {
  const char* rule;
  std::string content;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

class FindValueTest : public testing::TestWithParam<LookupCase> {};

TEST_P(FindValueTest, FindsTheValueTheWindowsReaderFinds) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(FindValue(c.content, c.section, c.key), c.expected) << c.rule;
}

const LookupCase kLookupCases[] = {
    // Line ends: CRLF, LF, lone CR, mixed, no final line end.
    {"lone CR", "[s]\rk=5\rj=6\r", "s", "j", "6"},
    {"mixed", "[s]\r\nk=5\rj=6\n", "s", "j", "6"},
    {"LF", "[s]\nk=5\n", "s", "k", "5"},
    {"no final newline", "[s]\r\nk=5", "s", "k", "5"},
    {"CR then LF in blank lines", "[s]\r\r\n\n\rk=5", "s", "k", "5"},
    // Trimming of lines, names, values and arguments.
    {"blanks around =", "[s]\r\n a \t=\t 1 \r\n", "s", "a", "1"},
    {"vertical tab and form feed", "[s]\r\n\vk\f=\v5\f\r\n", "s", "k", "5"},
    {"argument trimmed", "[s]\r\nk=5\r\n", "\ts ", " k\t", "5"},
    {"space inside key", "[s]\r\nmy key = 7\r\n", "s", "my key", "7"},
    {"part of a key", "[s]\r\nmy key = 7\r\n", "s", "my", std::nullopt},
    // Case-insensitive (ASCII) names.
    {"case", "[SeCtIoN]\r\nMyKey=5\r\n", "section", "MYKEY", "5"},
    {"no non-ASCII folding", "[s]\r\n\xC3\x89=1\r\n", "s", "\xC3\xA9", std::nullopt},
    // Headers.
    {"header trimmed", "  [ g h ]  \r\nk=1\r\n", "g h", "k", "1"},
    {"text after ]", "[d] ; c\r\nk=1\r\n", "d", "k", "1"},
    {"name runs to the last ]", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
    {"unclosed [ is an entry", "[e]\r\n[f\r\nk=6\r\n", "e", "k", "6"},
    {"unclosed section unreachable", "[e]\r\n[f\r\nk=6\r\n", "f", "k", std::nullopt},
    // First section and first key win; sections are not merged.
    {"first key", "[s]\r\nk=1\r\nk=2\r\nK=3\r\n", "s", "k", "1"},
    {"not merged", "[s]\r\nk=1\r\n[t]\r\n[S]\r\nj=4\r\n", "s", "j", std::nullopt},
    {"key-less line shadows", "[s]\r\nk\r\nk=2\r\n", "s", "k", std::nullopt},
    // Keys before any header, and "[]" headers.
    {"top area", "k=1\r\n[s]\r\nk=3\r\n", "", "k", "1"},
    {"top key not in s", "j=1\r\n[s]\r\nk=3\r\n", "s", "j", std::nullopt},
    {"[] used when the top has no entry", "; c\r\n[]\r\nk=5\r\n", "", "k", "5"},
    {"top area wins over []", "top=1\r\n[]\r\nk=5\r\n", "", "k", std::nullopt},
    // Comments and the key/value split.
    {"; comment", "[s]\r\n;k=1\r\n", "s", "k", std::nullopt},
    {"; is not a key", "[s]\r\n;k=1\r\n", "s", ";k", std::nullopt},
    {"# is a key", "[s]\r\n#j=2\r\n", "s", "#j", "2"},
    {"commented header", "[s]\r\nk=1\r\n;[t]\r\nj=2\r\n", "s", "j", "2"},
    {"first =", "[s]\r\nk=5=6\r\n", "s", "k", "5=6"},
    {"empty key", "[s]\r\n=5\r\n", "s", " ", "5"},
    {"no =", "[s]\r\nnoeq\r\n", "s", "noeq", std::nullopt},
    {"inline comment kept", "[s]\r\nk=5 ; c\r\n", "s", "k", "5 ; c"},
    {"empty value", "[s]\r\nk=\r\n", "s", "k", ""},
    // Byte-order marks.
    {"UTF-8 BOM skipped", "\xEF\xBB\xBF[s]\r\nk=5\r\n", "s", "k", "5"},
    {"UTF-8 BOM, top area", "\xEF\xBB\xBFk=5\r\n[s]\r\n", "", "k", "5"},
    {"BOM bytes later belong to the line", "[s]\r\n\xEF\xBB\xBFk=5\r\n", "s", "k", std::nullopt},
    {"UTF-16LE", "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0-\0007\0"s, "s", "k", "-7"},
    {"UTF-16BE", "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0005"s, "s", "k", "5"},
    {"UTF-16LE, non-ASCII", "\xFF\xFE[\0s\0]\0\n\0k\0=\0\xE9\0"s, "s", "k", "\xC3\xA9"},
    {"UTF-16LE without BOM", "[\0s\0]\0\n\0k\0=\0005\0"s, "s", "k", std::nullopt},
    // Missing things.
    {"empty file", "", "s", "k", std::nullopt},
    {"missing section", "[t]\r\nk=1\r\n", "s", "k", std::nullopt},
    {"missing key", "[s]\r\nj=1\r\n", "s", "k", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rules, FindValueTest, testing::ValuesIn(kLookupCases));

TEST(ReadIntTest, DefaultOnlyForMissingOrEmpty) {
  EXPECT_EQ(ReadInt("[s]\r\n", "s", "k", -7), -7);
  EXPECT_EQ(ReadInt("[s]\r\nk\r\n", "s", "k", -7), -7);
  EXPECT_EQ(ReadInt("[s]\r\nk=  \r\n", "s", "k", -7), -7);
  EXPECT_EQ(ReadInt("[s]\r\nk=abc\r\n", "s", "k", -7), 0);
  EXPECT_EQ(ReadInt("[s]\r\nk= 12abc\r\n", "s", "k", -7), 12);
}

}  // namespace
}  // namespace plumbmark::profile
