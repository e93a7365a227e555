#include "form_preview_store.h"

#include "model/ids.h"
#include "model/text_helpers.h"
#include "support/file_io.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vt {
namespace {

bool IsFolder(const std::string &path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

bool IsFile(const std::string &path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  out += name;
  return out;
}

// The keys and values of a batch of writes, kept alive until the batch is written.
struct TStoreBatch {
  std::vector<std::string> Keys, Values;
  void Add(std::string key, std::string value) {
    Keys.push_back(std::move(key));
    Values.push_back(std::move(value));
  }
  void WriteTo(TIniFile &ini, std::string_view section) const {
    std::vector<TIniWrite> writes;
    writes.reserve(Keys.size());
    for (std::size_t i = 0; i < Keys.size(); ++i) writes.push_back({Keys[i], Values[i]});
    if (!writes.empty()) ini.WriteValues(section, writes);
  }
};

// The preview store's keys of one entry of the section.
void AddPreviewEntry(TStoreBatch &batch, const TWordObj &e, std::u16string &shortHint,
                     std::u16string &fullHint) {
  if (e.Hidden) return;
  std::string body = e.TranslationBody();
  if (body.empty()) return;
  if (e.Kind().view() != kind::THF) {
    batch.Add(e.Key(), std::move(body));
    return;
  }
  if (!SplitHint(e.TranslationText(), shortHint, fullHint)) return;
  const std::string name(e.Name().view());
  if (shortHint != u"|") batch.Add(name + ".TH", e.EncodeValue(shortHint));
  if (!fullHint.empty()) batch.Add(name + ".TF", e.EncodeValue(fullHint));
}

void AddVisibilityEntry(TStoreBatch &batch, const TWordObj &e) {
  if (e.Hidden && e.Kind().view() == "_vis") batch.Add(std::string(e.Name().view()) + ".vis", "x");
}

// Calls take(entry) for the entries of the named objects of the section (hashed look-ups).
template <class Take>
void ForNamedEntries(const TWordList &project, std::string_view section,
                     const std::vector<std::string> &names, Take &&take) {
  std::string objectId;
  for (const std::string &name : names) {
    if (name.empty()) continue;
    objectId.assign(section).append("/").append(name);
    for (TWordObj *e : project.FindEntries(objectId))
      if (e->Section().view() == section && e->Name().view() == name) take(*e);
  }
}

} // namespace

std::string FormTextFileName(std::string_view section) {
  if (section.empty() || section.find("..") != std::string_view::npos) return {};
  for (const char c : section)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32) return {};
  return "T" + std::string(section) + ".dfmp";
}

std::string FormTextFolder(std::string_view projectFile, std::string_view fallbackDir) {
  if (!projectFile.empty()) {
    // A project named without a folder has its DfmData in the working folder.
    const std::string folder = JoinPath(ExtractFileDir(projectFile), "DfmData");
    if (IsFolder(folder)) return folder;
  }
  if (IsFolder(std::string(fallbackDir))) return std::string(fallbackDir);
  return {};
}

std::string FindFormTextFile(std::string_view projectFile, std::string_view section,
                             std::string_view fallbackDir) {
  const std::string name = FormTextFileName(section);
  if (name.empty()) return {};
  const std::string folder = FormTextFolder(projectFile, fallbackDir);
  if (folder.empty()) return {};
  std::string path = JoinPath(folder, name);
  return IsFile(path) ? path : std::string();
}

std::string FindFormTextFile(std::string_view projectFile, std::string_view section) {
  const char *fallback = std::getenv(kFormTextDirVariable);
  return FindFormTextFile(projectFile, section, fallback ? std::string_view(fallback) : std::string_view());
}

TIniFile BuildPreviewStore(const TWordList &project, std::string_view section,
                           const std::vector<std::string> &names, bool showOriginal) {
  TIniFile store;
  if (showOriginal) return store;
  TStoreBatch batch;
  std::u16string shortHint, fullHint;
  ForNamedEntries(project, section, names,
                  [&](const TWordObj &e) { AddPreviewEntry(batch, e, shortHint, fullHint); });
  batch.WriteTo(store, section);
  return store;
}

TIniFile BuildVisibilityStore(const TWordList &project, std::string_view section,
                              const std::vector<std::string> &names) {
  TIniFile store;
  TStoreBatch batch;
  ForNamedEntries(project, section, names, [&](const TWordObj &e) { AddVisibilityEntry(batch, e); });
  batch.WriteTo(store, section);
  return store;
}

} // namespace vt
