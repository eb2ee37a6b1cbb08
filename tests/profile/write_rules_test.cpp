// Where and how a write lands in the text, and what it must leave alone.
#include <gtest/gtest.h>

#include <string>

#include "settings/profile_file.h"

namespace plumbmark::profile {
namespace {

using namespace std::string_literals;

struct WriteCase {
  const char* rule;
  std::string before;
  std::string section;
  std::string key;
  std::string value;
  std::optional<std::string> after;  // nullopt: the write changes nothing
};

class WriteValueTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteValueTest, EditsOnlyWhatTheWriteOwns) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(WriteValue(c.before, c.section, c.key, c.value), c.after) << c.rule;
}

const WriteCase kWriteCases[] = {
    // Creation and new sections.
    {"new file", "", "s", "k", "5", "[s]\r\nk=5\r\n"},
    {"section appended", "[s]\r\nk=1\r\n", "t", "a", "1", "[s]\r\nk=1\r\n[t]\r\na=1\r\n"},
    {"trailing blank lines kept", "[s]\r\nk=1\r\n\r\n", "t", "a", "1",
     "[s]\r\nk=1\r\n\r\n[t]\r\na=1\r\n"},
    {"open last line ended first", "[s]\r\nk=1", "t", "a", "1", "[s]\r\nk=1\r\n[t]\r\na=1\r\n"},
    {"LF file stays LF", "[s]\nk=1", "t", "a", "1", "[s]\nk=1\n[t]\na=1\n"},
    {"names trimmed", "", " s ", "\tk ", " 5 ", "[s]\r\nk=5\r\n"},
    // New keys go right after the section's last non-blank line.
    {"after last key", "[s]\r\nk=1\r\n\r\n[t]\r\n", "s", "j", "2",
     "[s]\r\nk=1\r\nj=2\r\n\r\n[t]\r\n"},
    {"after a comment", "[s]\r\nk=1\r\n; c\r\n\r\n[t]\r\n", "s", "j", "2",
     "[s]\r\nk=1\r\n; c\r\nj=2\r\n\r\n[t]\r\n"},
    {"after the header", "[s]\r\n\r\n[t]\r\n", "s", "j", "2", "[s]\r\nj=2\r\n\r\n[t]\r\n"},
    {"open last line", "[s]\r\nk=1", "s", "j", "2", "[s]\r\nk=1\r\nj=2\r\n"},
    {"line end of the anchor", "[s]\r\nk=1\n[t]\r\n", "s", "j", "2", "[s]\r\nk=1\nj=2\n[t]\r\n"},
    {"first of duplicate sections", "[s]\r\nk=1\r\n[t]\r\n[S]\r\nj=2\r\n", "s", "m", "3",
     "[s]\r\nk=1\r\nm=3\r\n[t]\r\n[S]\r\nj=2\r\n"},
    {"top area", "[s]\r\nk=1\r\n", "", "g", "1", "g=1\r\n[s]\r\nk=1\r\n"},
    {"top area after its keys", "a=1\r\n\r\n[s]\r\n", "", "g", "1", "a=1\r\ng=1\r\n\r\n[s]\r\n"},
    // Replacing in place.
    {"spelling kept", "[SecT]\r\nMyKey=1\r\n", "sect", "MYKEY", "9", "[SecT]\r\nMyKey=9\r\n"},
    {"line rewritten", "[s]\r\n  k = 1 ; c\r\nj=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nj=2\r\n"},
    {"own line end kept", "[s]\r\nk=1\rj=2\n", "s", "k", "9", "[s]\r\nk=9\rj=2\n"},
    {"first duplicate key", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "9", "[s]\r\nk=9\r\nk=2\r\n"},
    {"key-less line gets a value", "[s]\r\nk\r\n", "s", "k", "1", "[s]\r\nk=1\r\n"},
    {"empty value", "[s]\r\nk=1\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
    {"value as given", "", "s", "c", "\"5\" ; c", "[s]\r\nc=\"5\" ; c\r\n"},
    {"others untouched", "; head\r\n\r\n[s] ; x\r\n\t a = 1 \r\nk=1\r\n#h\n\n[t]\rx =y\r", "s", "k",
     "2", "; head\r\n\r\n[s] ; x\r\n\t a = 1 \r\nk=2\r\n#h\n\n[t]\rx =y\r"},
    // A value that is already there changes nothing.
    {"same value", "[s]\nk=5\n", "s", "k", "5", std::nullopt},
    {"same value, other spacing", "[s]\r\n K = 5 \r\n", "S", "k", " 5\t", std::nullopt},
    {"same empty value", "[s]\r\nk=\r\n", "s", "k", "", std::nullopt},
    {"values are case-sensitive", "[s]\r\nk=a\r\n", "s", "k", "A", "[s]\r\nk=A\r\n"},
    // Encodings are kept.
    {"UTF-8 BOM kept", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "\xC3\xA9",
     "\xEF\xBB\xBF[s]\r\nk=\xC3\xA9\r\n"},
    {"UTF-8 BOM, new file body", "\xEF\xBB\xBF", "s", "k", "1", "\xEF\xBB\xBF[s]\r\nk=1\r\n"},
    {"UTF-16LE kept", "\xFF\xFE[\0s\0]\0\r\0\n\0"s, "s", "k", "\xC3\xA9",
     "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0"s},
    {"UTF-16BE kept", "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0001"s, "s", "k", "2",
     "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0002"s},
    {"UTF-16 lone surrogate and odd byte survive", "\xFF\xFE\x00\xD8\n\0x"s, "s", "k", "1",
     "\xFF\xFE\x00\xD8\n\0[\0s\0]\0\n\0k\0=\0001\0\n\0x"s},
};

INSTANTIATE_TEST_SUITE_P(Rules, WriteValueTest, testing::ValuesIn(kWriteCases));

// Writes that could not read back as written are refused (no change).
TEST(WriteValueTest, RefusesLineInjectionAndUnreadableKeys) {
  const std::string before = "[s]\r\nk=1\r\n";
  for (const auto& [section, key, value] :
       std::initializer_list<std::array<std::string, 3>>{{"s", "k", "1\r\nj=2"},
                                                         {"s", "k", "1\nj=2"},
                                                         {"s", "k", "1\rj=2"},
                                                         {"s\r\n[t", "k", "1"},
                                                         {"s", "k\nj", "1"},
                                                         {"s", "k", "1\0j"s},
                                                         {"s", "a=b", "1"},
                                                         {"s", ";k", "1"},
                                                         {"s", " [k", "1]"}}) {
    EXPECT_EQ(WriteValue(before, section, key, value), std::nullopt) << key << "=" << value;
  }
  EXPECT_EQ(WriteValue("\xFF\xFE", "s", "k", "\xE9"), std::nullopt) << "not UTF-8";
  // Found by fuzzing: a first key that starts with a byte-order mark.
  EXPECT_EQ(WriteValue("", "", "\xFE\xFF ", "k!"), std::nullopt) << "would become UTF-16BE";
  EXPECT_EQ(WriteValue("\n", "", "\xEF\xBB\xBFk", "1"), std::nullopt) << "would lose the key";
}

TEST(WriteValueTest, WrittenValueReadsBack) {
  std::string content = "; c\n[a]\nx=1\n\n[s]\r\nk=1\r\n";
  for (const auto& [key, value] : std::initializer_list<std::array<std::string, 2>>{
           {"k", "-7"}, {"n", "0x10"}, {"k", "42"}, {"m", "\"3\""}}) {
    content = WriteValue(content, "s", key, value).value_or(content);
    EXPECT_EQ(ReadInt(content, "s", key, -1), ParseInt(value, -1)) << key;
    EXPECT_EQ(FindValue(content, "a", "x"), "1");
  }
}

}  // namespace
}  // namespace plumbmark::profile
