#pragma once
// A folder of its own for each test that works on files: made before the test, removed after it
// (even when the test took its write permission away), with helpers to name, write and read files.
#include "support/file_io.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

class TScratchFolder : public ::testing::Test {
protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    Dir = std::filesystem::temp_directory_path() /
          ("vt_" + std::string(test->test_suite_name()) + "_" + std::to_string(::getpid()) + "_" +
           std::to_string(counter++));
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(Dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(Dir, ec);
  }

  std::string P(const std::string &name) const { return (Dir / name).string(); }
  void Write(const std::string &name, const std::string &bytes) const {
    std::ofstream(P(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string &name) const {
    std::string bytes;
    vt::ReadFileBytes(P(name), bytes);
    return bytes;
  }

  std::filesystem::path Dir;
};
