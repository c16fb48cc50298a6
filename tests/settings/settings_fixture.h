#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

// A private settings folder for each test.
class SettingsFolderTest : public testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/vexilo-settings-XXXXXX";
    Folder = mkdtemp(pattern);
    File = (Folder / "test.INI").string();
  }
  void TearDown() override { std::filesystem::remove_all(Folder); }

  std::string Text() const {
    std::ifstream in(File, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Put(const std::string &text) const { std::ofstream(File, std::ios::binary) << text; }

  std::filesystem::path Folder;
  std::string File;
};
