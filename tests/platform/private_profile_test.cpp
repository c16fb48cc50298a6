#include "platform/profile/atomic_file.h"
#include "platform/profile/key_store.h"
#include "platform/profile/private_profile.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

class PrivateProfile : public testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/vexilo-profile-XXXXXX";
    Folder = mkdtemp(pattern);
    File = Folder / "test.INI";
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::string Read(const char *section, const char *key, const char *defaultValue = "none") const {
    char buffer[1024];
    const uint32_t length = GetPrivateProfileString(section, key, defaultValue, buffer, sizeof buffer, File.c_str());
    return std::string(buffer, length);
  }
  bool Write(const char *section, const char *key, const char *value) const {
    return WritePrivateProfileString(section, key, value, File.c_str());
  }
  void Put(const std::string &text) const { std::ofstream(File, std::ios::binary) << text; }
  std::string Text() const {
    std::string text;
    EXPECT_TRUE(ReadFileContents(File, text));
    return text;
  }

  fs::path Folder;
  fs::path File;
};

TEST_F(PrivateProfile, ReadsSectionsAndKeysWithoutRegardToCaseAndStripsOnePairOfQuotes) {
  Put("[Other]\nKey=other\n[TVexiloFrm]\r\n  Flags = 0 \r\nQuoted=\"abc\"\nSingle='x'\nTwice=\"\"abc\"\"\n"
      "Mixed=\"abc'\nEmpty=\n");
  EXPECT_EQ(Read("tvexilofrm", "FLAGS"), "0");
  EXPECT_EQ(Read("TVexiloFrm", "Quoted"), "abc");
  EXPECT_EQ(Read("TVexiloFrm", "Single"), "x");
  EXPECT_EQ(Read("TVexiloFrm", "Twice"), "\"abc\"");
  EXPECT_EQ(Read("TVexiloFrm", "Mixed"), "\"abc'");
  EXPECT_EQ(Read("TVexiloFrm", "Empty"), "");
  EXPECT_EQ(Read("TVexiloFrm", "Key"), "none"); // keys belong to their own section
  EXPECT_EQ(Read("Missing", "Key"), "none");
  fs::remove(File);
  EXPECT_EQ(Read("TVexiloFrm", "Flags", "dflt"), "dflt");
}

TEST_F(PrivateProfile, ReadsAtMostTheBufferLessOne) {
  ASSERT_TRUE(Write("S", "Long", std::string(2000, 'x').c_str()));
  EXPECT_EQ(Read("S", "Long"), std::string(1023, 'x'));
  char small[4];
  EXPECT_EQ(GetPrivateProfileString("S", "Long", "", small, sizeof small, File.c_str()), 3u);
  EXPECT_STREQ(small, "xxx");
}

TEST_F(PrivateProfile, WritesKeysInOrderUpdatesInPlaceAndErases) {
  ASSERT_TRUE(Write("TVexiloFrm", "Flags", "0"));
  ASSERT_TRUE(Write("TVexiloFrm", "ShowCmd", "1"));
  ASSERT_TRUE(Write("Second", "A", "1"));
  ASSERT_TRUE(Write("tvexilofrm", "flags", "2")); // the existing line keeps its place and spelling of section
  ASSERT_TRUE(Write("TVexiloFrm", "Visible", "0"));
  EXPECT_EQ(Text(), "[TVexiloFrm]\nflags=2\nShowCmd=1\nVisible=0\n\n[Second]\nA=1\n");
  ASSERT_TRUE(Write("TVexiloFrm", "ShowCmd", nullptr));
  ASSERT_TRUE(Write("TVexiloFrm", nullptr, nullptr));
  EXPECT_EQ(Text(), "[Second]\nA=1\n");
  EXPECT_EQ(Read("TVexiloFrm", "flags"), "none");
}

TEST_F(PrivateProfile, RefusesWhatCouldNotBeReadBackAsWritten) {
  ASSERT_TRUE(Write("S", "A", "1"));
  EXPECT_FALSE(Write("S", "B", "two\nC=lines"));
  EXPECT_FALSE(Write("S", "B=C", "1"));
  EXPECT_FALSE(Write("S]", "B", "1"));
  EXPECT_EQ(Text(), "[S]\nA=1\n");
}

TEST_F(PrivateProfile, DamagedFilesAreReadWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i)
    garbage += char((i * 7919) & 0xFF);
  Put(garbage + "\n[S]\nA=first\nA=second\nLine=" + std::string(100000, 'y') + "\nB\n=nokey\n[\n");
  EXPECT_EQ(Read("S", "A"), "first");
  EXPECT_EQ(Read("S", "Line"), std::string(1023, 'y'));
  EXPECT_EQ(Read("S", "B"), "none");
  ASSERT_TRUE(Write("S", "A", "new"));
  EXPECT_EQ(Read("S", "A"), "new");
  EXPECT_EQ(Text().substr(0, garbage.size()).size(), garbage.size()); // what was there stays
}

TEST_F(PrivateProfile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  ASSERT_TRUE(Write("S", "A", "old"));
  const std::string before = Text();
  // The disk fills half way through the new file: a file-size limit makes the write fail.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = saved;
  limit.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &limit);
  const bool written = Write("S", "B", std::string(20000, 'z').c_str());
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(Text(), before);
  int files = 0;
  for ([[maybe_unused]] const auto &entry : fs::directory_iterator(Folder))
    ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(PrivateProfile, AnUnwritableFolderFails) {
  const fs::path notFolder = Folder / "plain";
  std::ofstream(notFolder) << "x";
  EXPECT_FALSE(WritePrivateProfileString("S", "A", "1", (notFolder / "test.INI").c_str()));
}

TEST_F(PrivateProfile, ABareNameLivesInTheSettingsFolderWhichIsCreated) {
  setenv("XDG_CONFIG_HOME", Folder.c_str(), 1);
  EXPECT_TRUE(WritePrivateProfileString("S", "A", "1", "bare.INI"));
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_TRUE(fs::exists(Folder / "vexilo" / "bare.INI"));
}

TEST_F(PrivateProfile, AWriteThroughALinkReplacesTheFileItNames) {
  ASSERT_TRUE(Write("S", "A", "1"));
  const fs::path link = Folder / "link.INI";
  fs::create_symlink(File, link);
  ASSERT_TRUE(WritePrivateProfileString("S", "B", "2", link.c_str()));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Text(), "[S]\nA=1\nB=2\n");
}

TEST_F(PrivateProfile, KeyStoreHoldsNestedKeysAndStringValues) {
  SetKeyStoreFolder(Folder / "registry");
  HKEY key = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\vexilo\\TVexiloFrm", &key), ERROR_SUCCESS);
  const std::string value = "a/b%c=d\n";
  ASSERT_EQ(
      RegSetValueEx(key, "Odd/Name", REG_SZ, reinterpret_cast<const uint8_t *>(value.data()), uint32_t(value.size())),
      ERROR_SUCCESS);
  RegCloseKey(key);

  HKEY again = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software\\VEXILO\\tvexilofrm", &again), ERROR_SUCCESS);
  uint32_t type = 0, size = 0;
  ASSERT_EQ(RegQueryValueEx(again, "odd/name", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  std::string read(size, '\0');
  uint32_t tooSmall = 2;
  EXPECT_EQ(RegQueryValueEx(again, "Odd/Name", &type, reinterpret_cast<uint8_t *>(read.data()), &tooSmall),
            ERROR_MORE_DATA);
  ASSERT_EQ(RegQueryValueEx(again, "Odd/Name", &type, reinterpret_cast<uint8_t *>(read.data()), &size), ERROR_SUCCESS);
  EXPECT_EQ(read, value);
  EXPECT_EQ(RegQueryValueEx(again, "Missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  RegCloseKey(again);

  HKEY parent = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\vexilo", &parent), ERROR_SUCCESS);
  uint32_t count = 0, longest = 0;
  RegQueryInfoKey(parent, &count, &longest);
  EXPECT_EQ(count, 1u);
  char name[32];
  uint32_t nameSize = sizeof name;
  ASSERT_EQ(RegEnumKeyEx(parent, 0, name, &nameSize), ERROR_SUCCESS);
  EXPECT_STREQ(name, "TVexiloFrm");
  EXPECT_EQ(RegEnumKeyEx(parent, 1, name, &nameSize), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software"), ERROR_ACCESS_DENIED); // it has subkeys
  EXPECT_EQ(RegDeleteKey(parent, "TVexiloFrm"), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyEx(parent, "TVexiloFrm", &again), ERROR_FILE_NOT_FOUND);
  RegCloseKey(parent);
  EXPECT_EQ(RegCloseKey(parent), ERROR_INVALID_HANDLE);
}

} // namespace
