// zip-list and zip-create: the archive reader and writer of packed projects on their own.
#include "commands.h"
#include "support_clock.h"

#include "support/file_io.h"
#include "support/zip_file.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <vector>

namespace lngtool {

void RegisterPackedProjectCommands(CLI::App &app); // pack, unpack, backup, clone, resave-entire, ...

namespace {

const char *MethodName(std::uint16_t method) {
  return method == 8 ? "deflated" : method == 0 ? "stored" : "other";
}

void ListArchive(const std::string &path) {
  vt::TZipFile zip;
  try {
    zip.LoadFromFile(path);
  } catch (const std::exception &e) {
    Die(e.what());
  }
  for (int i = 0; i < zip.Count(); ++i) {
    const vt::TZipCommonHeader &h = zip.Member(i).Header;
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(h.Crc32));
    std::cout << zip.Name(i) << '\t' << MethodName(h.Method) << '\t' << h.CompressedSize << '\t'
              << h.UncompressedSize << '\t' << crc << '\n';
  }
  std::cout.flush();
  // Then every member is read and its data checked against its CRC.
  for (int i = 0; i < zip.Count(); ++i) {
    try {
      (void)zip.GetData(i);
    } catch (const std::exception &e) {
      Die(e.what());
    }
  }
}

void CreateArchive(const std::string &path, const std::vector<std::string> &files) {
  vt::TZipFile zip(CommandClock());
  try {
    for (const std::string &file : files) {
      std::string bytes, error;
      if (!vt::ReadFileBytes(file, bytes, &error, static_cast<std::size_t>(vt::TZipFile::kMaxMemberBytes)))
        Die(error);
      zip.AddFile(vt::ExtractFileName(file), 0);
      zip.SetData(zip.Count() - 1, bytes);
    }
    zip.SaveToFile(path);
  } catch (const vt::EZipFileError &e) {
    Die(e.what());
  }
}

} // namespace

vt::TZipClock CommandClock() {
  // A fixed moment for reproducible archives, read as UTC so that the time zone does not matter.
  if (const char *epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
    char *end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (end && *end == '\0') return [seconds] { return vt::UtcZipTime(seconds); };
    Die(std::string("SOURCE_DATE_EPOCH is not a number of seconds: ") + epoch);
  }
  return vt::LocalZipTime;
}

void RegisterSupportCommands(CLI::App &app) {
  auto listPath = std::make_shared<std::string>();
  auto *list = app.add_subcommand(
      "zip-list", "List an archive's members (name, method, compressed and uncompressed size, CRC-32) "
                  "and check each member's data; exits 1 at the first damaged member");
  list->add_option("ARCHIVE", *listPath, "the zip archive (.LngPrj or any .zip)")->required();
  list->callback([listPath] { ListArchive(*listPath); });

  auto createPath = std::make_shared<std::string>();
  auto files = std::make_shared<std::vector<std::string>>();
  auto *create = app.add_subcommand(
      "zip-create", "Write an archive of the given files, deflated, named without their folders "
                    "(SOURCE_DATE_EPOCH fixes the members' time)");
  create->add_option("ARCHIVE", *createPath, "the archive to write (replaced whole)")->required();
  create->add_option("FILE", *files, "files to add, in this order")->required();
  create->callback([createPath, files] { CreateArchive(*createPath, *files); });

  RegisterPackedProjectCommands(app);
}

} // namespace lngtool
