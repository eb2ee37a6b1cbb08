// File-level reads and writes: creation, failures, untouched files, safe
// replacement.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/profile_file.h"

namespace plumbmark::profile {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / (std::string("plumbmark_profile_") + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Put(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(ProfileFileTest, DefaultSaveCreatesTheFiveKeysInOrder) {
  const fs::path ini = dir_ / "Plumbmark.ini";
  for (const auto& [key, value] : {std::pair{"Size", "5"},
                                   {"Color", "16711680"},
                                   {"Vertical", "0"},
                                   {"Interval", "100"},
                                   {"Horizon", "0"}}) {
    ASSERT_TRUE(WritePrivateProfileString("Plumbmark", key, value, ini));
  }
  EXPECT_EQ(Bytes(ini),
            "[Plumbmark]\r\nSize=5\r\nColor=16711680\r\nVertical=0\r\nInterval=100\r\n"
            "Horizon=0\r\n");
  EXPECT_EQ(GetPrivateProfileInt("Plumbmark", "Color", 0, ini), 16711680);
  EXPECT_EQ(EntryCount(), 1u) << "no temporary file left behind";
}

TEST_F(ProfileFileTest, UnreadableFilesGiveTheDefault) {
  fs::create_directory(dir_ / "folder");
  EXPECT_EQ(GetPrivateProfileInt("s", "k", 42, dir_ / "missing.ini"), 42);
  EXPECT_EQ(GetPrivateProfileInt("s", "k", 42, dir_ / "folder"), 42);
  EXPECT_EQ(GetPrivateProfileInt("s", "k", -1, dir_ / "nodir" / "x.ini"), -1);
  EXPECT_EQ(GetPrivateProfileInt("s", "k", 42, Put("ok.ini", "[s]\nk=7")), 7);
}

TEST_F(ProfileFileTest, FailedWritesReturnFalseAndCreateNothing) {
  fs::create_directory(dir_ / "folder");
  const fs::path plain = Put("plain.ini", "[s]\r\nk=1\r\n");
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "1", dir_ / "nodir" / "x.ini"));
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "1", dir_ / "folder"));
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "1", plain / "x.ini"));
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "1", dir_ / std::string(300, 'n')));
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "2\r\nj=3", plain));
  EXPECT_FALSE(fs::exists(dir_ / "nodir"));
  EXPECT_EQ(Bytes(plain), "[s]\r\nk=1\r\n");
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(ProfileFileTest, WriteThatChangesNothingKeepsBytesAndTime) {
  const fs::path ini = Put("x.ini", "[s]\nK = 5 \n");
  const auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
  fs::last_write_time(ini, old_time);
  EXPECT_TRUE(WritePrivateProfileString("S", "k", "5", ini));
  EXPECT_EQ(fs::last_write_time(ini), old_time);
  EXPECT_EQ(Bytes(ini), "[s]\nK = 5 \n");
  EXPECT_TRUE(WritePrivateProfileString("s", "k", "6", ini));
  EXPECT_NE(fs::last_write_time(ini), old_time);
  EXPECT_EQ(Bytes(ini), "[s]\nK=6\n");
}

TEST_F(ProfileFileTest, ReadOnlyFileIsNotWritten) {
  const fs::path ini = Put("x.ini", "[s]\r\nk=1\r\n");
  fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "2", ini));
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "1", ini)) << "even the value already there";
  EXPECT_EQ(Bytes(ini), "[s]\r\nk=1\r\n");
  EXPECT_EQ(GetPrivateProfileInt("s", "k", 0, ini), 1);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(ProfileFileTest, ReplacementKeepsPermissionsAndLinks) {
  const fs::path ini = Put("x.ini", "[s]\r\nk=1\r\n");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(ini, mode);
  fs::create_symlink(ini, dir_ / "link.ini");
  EXPECT_TRUE(WritePrivateProfileString("s", "k", "2", dir_ / "link.ini"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
  EXPECT_EQ(Bytes(ini), "[s]\r\nk=2\r\n");
  EXPECT_EQ(fs::status(ini).permissions() & fs::perms::all, mode);
  EXPECT_EQ(EntryCount(), 2u);
}

}  // namespace
}  // namespace plumbmark::profile
