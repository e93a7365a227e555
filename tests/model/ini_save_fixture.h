#pragma once
// A scratch folder for tests that save ini files and read back the bytes written.
#include "model/ini_file.h"
#include "support/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

class TIniSaveFixture : public ::testing::Test {
protected:
  void SetUp() override {
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    FDir = std::filesystem::temp_directory_path() /
           ("vt_ini_save_" + std::string(test->test_suite_name()) + "_" + std::to_string(::getpid()));
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }
  // The bytes ini saves to a file.
  std::string Saved(const vt::TIniFile &ini) {
    const std::string path = (FDir / "saved.ini").string();
    EXPECT_TRUE(ini.SaveToFile(path));
    std::string bytes;
    EXPECT_TRUE(vt::ReadFileBytes(path, bytes));
    return bytes;
  }
  std::filesystem::path FDir;
};
