#include "help_tree.h"

#include "model/ini_file.h"
#include "model/trans_man.h"
#include "raw_extract.h"
#include "support/file_io.h"

namespace vt {
namespace {

std::string StoredTitle(const std::string &title) {
  std::u16string wide;
  if (!StoredUtf8ToUtf16(title, wide)) wide = Cp1252ToUtf16(title);
  return TTransMan::EncodeText(wide);
}

} // namespace

bool ReadHelpTree(const std::string &path, std::unique_ptr<THelpNode> &root, std::string *error) {
  root.reset();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, kMaxManualTreeBytes)) return false;
  const std::vector<std::string_view> lines = SplitHelpLines(bytes);
  std::size_t position = 0;
  std::string parseError;
  root = ParseHelpTree(lines, position, &parseError);
  if (parseError.empty()) return true;
  if (error) *error = parseError + " of " + path;
  return false;
}

std::vector<std::string> HelpTreeLines(const THelpNode &root) {
  std::vector<std::string> lines{std::string("[") + kHelpTreeSection + "]"};
  root.VisitNodes(
      [&lines](const THelpNode &node) { lines.push_back(node.PageFile + "=" + StoredTitle(node.Title)); });
  return lines;
}

bool WriteHelpTree(const std::string &rawPath, const std::vector<std::string> &lines, TGrabLog &log,
                   std::string *error) {
  if (rawPath.empty()) {
    log.Add("Error: no DstFile selected");
    if (error) *error = "Error: no DstFile selected";
    return false;
  }
  log.Add("Writing HelpTree\t" + rawPath);
  TIniFile raw;
  std::string why;
  if (FileExists(rawPath) && !raw.LoadFromFile(rawPath, &why)) {
    if (error) *error = "Unable to Open File " + rawPath + ": " + why;
    return false;
  }
  WriteRawSection(raw, kHelpTreeSection, lines, true);
  if (!raw.SaveToFile(rawPath, &why)) {
    if (error) *error = "Unable to save file " + rawPath + ": " + why;
    return false;
  }
  log.Add("Done");
  return true;
}

} // namespace vt
