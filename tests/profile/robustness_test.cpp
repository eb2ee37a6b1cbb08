// Hostile input: garbage, NUL bytes, huge files and lines. Must not crash and
// must stay linear; the sizes are big enough that a quadratic scan would hang.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "settings/profile_file.h"

namespace plumbmark::profile {
namespace {

using namespace std::string_literals;

TEST(RobustnessTest, RandomBytesGiveDefaultsOrValuesWithoutCrashing) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string content(static_cast<std::size_t>(random() % 4096), '\0');
    for (char& c : content) {
      c = static_cast<char>(random() % 8 == 0 ? "[]=;\r\n"[random() % 6] : random() % 256);
    }
    ReadInt(content, "s", "k", 3);
    const std::optional<std::string> written = WriteValue(content, "s", "k", "17");
    if (written) {
      EXPECT_EQ(ReadInt(*written, "s", "k", 3), 17);
    }
  }
}

TEST(RobustnessTest, NulBytesAreOrdinaryCharacters) {
  const std::string content =
      "[s]\r\nk\0x=1\r\nk=5\0"
      "9\r\n[\0]\r\nj=\0"
      "7\r\n"s;
  EXPECT_EQ(ReadInt(content, "s", "k", -1), 5) << "the key k\\0x is not k";
  EXPECT_EQ(ReadInt(content, "\0"s, "j", -1), 7) << "a NUL is skipped like a blank";
}

TEST(RobustnessTest, HundredMegabyteFile) {
  std::string content = "[s]\r\nk=1\r\n";
  const std::string filler = "[other]\r\nkey=value\r\n; comment\r\n\r\n";
  content.reserve(100u << 20);
  while (content.size() < (100u << 20)) content += filler;
  content += "[t]\nk=2";
  EXPECT_EQ(ReadInt(content, "t", "k", -1), 2);
  EXPECT_EQ(ReadInt(content, "u", "k", -1), -1);
  const std::optional<std::string> written = WriteValue(content, "t", "j", "3");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->size(), content.size() + 7) << "CRLF, the file's first line end";
}

TEST(RobustnessTest, MegabyteLines) {
  const std::string long_value(1u << 20, '7');
  const std::string content = "[s]\nk=" + long_value + "\n[" + std::string(1u << 20, 'x') +
                              "\nj=" + std::string(1u << 20, '=') + "\n[" +
                              std::string(1u << 20, ']') + "\nk=3\n";
  EXPECT_EQ(ReadInt(content, "s", "k", -1), ParseInt(long_value.substr(0, 29), -1));
  EXPECT_EQ(FindValue(content, "s", "j")->size(), 1u << 20);
  EXPECT_EQ(ReadInt(content, std::string((1u << 20) - 1, ']'), "k", -1), 3);
  EXPECT_TRUE(WriteValue(content, std::string(1u << 20, 's'), "k", long_value).has_value());
}

}  // namespace
}  // namespace plumbmark::profile
