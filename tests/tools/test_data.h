#pragma once
// Paths of the test executables built with MinGW-w64, and small file helpers.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vt::test {

inline std::string TestExe(const std::string &arch) {
  return std::string(VT_TOOLS_TEST_DATA) + "/test_app_" + arch + ".exe";
}

inline std::string ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system temp folder, removed with the object.
class TTempDir {
public:
  explicit TTempDir(const std::string &tag) {
    FPath = std::filesystem::temp_directory_path() /
            ("vt_tools_" + tag + "_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  std::string File(const std::string &name) const { return (FPath / name).string(); }
  std::string Path() const { return FPath.string(); }

private:
  std::filesystem::path FPath;
};

} // namespace vt::test
