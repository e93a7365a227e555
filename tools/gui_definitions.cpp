// Loading a skin's GUI definition files as pseudo-resources.
#include "binary_form.h"
#include "error.h"
#include "form_section.h"
#include "grab_session.h"
#include "model/ini_file.h"
#include "model/trans_man.h"
#include "support/ascii_case.h"
#include "support/file_io.h"
#include "zlib_stream.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace vt {
namespace {

constexpr std::string_view kStoreClass = "TToolComponentStore";
constexpr std::size_t kMaxDefinitionFile = std::size_t{64} << 20;

// Skins name their files with Windows separators.
std::string NativePath(std::string path) {
#ifndef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path;
}

std::string SkinFolder(const std::string &skinFile) {
  const auto sep = skinFile.find_last_of("/\\");
  return sep == std::string::npos ? std::string() : skinFile.substr(0, sep + 1);
}

std::string RemoveLastExtension(const std::string &name) {
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool HasExtension(const std::string &name, std::string_view ext) {
  const auto dot = name.rfind('.');
  return dot != std::string::npos && LowerAscii(std::string_view(name).substr(dot)) == ext;
}

struct THeader {
  std::string Keyword, Name, Class, Rest;
};

// Splits "object Name: TClass [n]" (also "inherited", "inline", or without a name).
bool ParseHeader(std::string_view line, THeader &h) {
  std::size_t b = 0;
  while (b < line.size() && static_cast<unsigned char>(line[b]) <= 32) ++b;
  line.remove_prefix(b);
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.remove_suffix(1);
  for (std::string_view kw : {"object ", "inherited ", "inline "}) {
    if (line.substr(0, kw.size()) != kw) continue;
    h.Keyword = std::string(kw);
    std::string_view rest = line.substr(kw.size());
    const auto colon = rest.find(": ");
    if (colon != std::string_view::npos) {
      h.Name = std::string(rest.substr(0, colon));
      rest.remove_prefix(colon + 2);
    }
    const auto space = rest.find(' ');
    h.Class = std::string(rest.substr(0, space));
    h.Rest = space == std::string_view::npos ? std::string() : std::string(rest.substr(space));
    return !h.Class.empty();
  }
  return false;
}

// The ContentName value of the root object of a form text: a property line one level deep,
// with its continuation lines.
std::string TextContentName(const std::vector<std::string> &lines) {
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string &l = lines[i];
    if (l.rfind("  ContentName =", 0) == 0) {
      std::string value = l.substr(15);
      for (std::size_t k = i + 1; k < lines.size() && lines[k].rfind("    ", 0) == 0; ++k) value += lines[k];
      return Utf16ToUtf8(DecodeLiteral(value));
    }
    THeader h;
    if (ParseHeader(l, h)) break; // the first child: the root's properties are over
  }
  return {};
}

// The non-empty values of keys G01 .. G<Count> of the section, in key order. Walks the section's
// lines rather than counting up to Count, so a huge Count costs nothing.
std::vector<std::string> ListedValues(const TIniFile &skin, std::string_view section) {
  const long long count = skin.ReadInteger(section, "Count", 0);
  const TIniSection *sec = skin.FindSection(section);
  std::map<long long, std::string> byNumber;
  if (!sec || count <= 0) return {};
  for (const TIniLine &line : sec->Lines) {
    const std::string &key = line.Key;
    if (key.size() < 3 || key.size() > 12 || (key[0] != 'G' && key[0] != 'g')) continue;
    if (key.find_first_not_of("0123456789", 1) != std::string::npos) continue;
    const long long n = std::stoll(key.substr(1));
    char canonical[32];
    std::snprintf(canonical, sizeof canonical, "G%.2lld", n);
    if (n < 1 || n > count || !SameIgnoringAsciiCase(canonical, key)) continue;
    byNumber.emplace(n, line.Value); // the first of a key wins, as the lookup does
  }
  std::vector<std::string> values;
  for (auto &[n, value] : byNumber)
    if (!value.empty()) values.push_back(std::move(value));
  return values;
}

} // namespace

std::string RenameRootObject(std::string_view formText, const std::string &newName) {
  const auto eol = formText.find_first_of("\r\n");
  const std::string_view first = formText.substr(0, eol);
  THeader h;
  if (!ParseHeader(first, h)) return std::string(formText);
  const std::size_t indent = first.find_first_not_of(" \t");
  std::string out(first.substr(0, indent == std::string_view::npos ? 0 : indent));
  out += h.Keyword + newName + ": " + h.Class + h.Rest;
  if (eol != std::string_view::npos) out += formText.substr(eol);
  return out;
}

std::vector<std::string> GuiDefinitionFiles(const std::string &skinFile) {
  std::vector<std::string> files;
  if (!FileExists(skinFile)) return files;
  TIniFile skin;
  if (!skin.LoadFromFile(skinFile)) return files;
  const std::string folder = SkinFolder(skinFile);
  const auto props = ListedValues(skin, "GUI_Properties");
  for (const std::string &value : props) {
    const std::string path = folder + NativePath(value);
    if (FileExists(path)) files.push_back(path);
  }
  for (const std::string &value : ListedValues(skin, "GUI_Tools")) {
    const std::string path = ChangeFileExt(folder + NativePath(value), ".bui") + ".lz";
    if (FileExists(path)) files.push_back(path);
  }
  return files;
}

void TGrabSession::LoadGuiDefinitions(const std::string &skinFile) {
  ResourceInfo.SetActive(false);
  ResourceInfo.SetExeFileName("");
  ResourceInfo.SetActive(true);
  for (const std::string &path : GuiDefinitionFiles(skinFile)) {
    std::string bytes, error;
    if (!ReadFileBytes(path, bytes, &error, kMaxDefinitionFile))
      throw EGrabError("Unable to read GUI definition " + path + ": " + error);
    const std::string fileName = ExtractFileName(path);
    std::string text, className, contentName;
    if (HasExtension(fileName, ".lz")) {
      std::string form;
      if (!InflateZlib(bytes, form)) throw EGrabError("Unable to decompress GUI definition " + path);
      TBinaryFormRoot root;
      text = ConvertBinaryForm(form, &root);
      className = root.ClassName;
      contentName = root.ContentName;
    } else {
      const std::vector<std::string> lines = SplitLines(bytes);
      THeader h;
      if (lines.empty() || !ParseHeader(lines.front(), h))
        throw EGrabError("Unable to parse GUI definition " + path);
      text = bytes;
      className = h.Class;
      contentName = TextContentName(lines);
    }
    if (className != kStoreClass) continue;
    std::string name = contentName.empty() ? RemoveLastExtension(RemoveLastExtension(fileName)) : contentName;
    std::replace(name.begin(), name.end(), ' ', '_');
    ResourceInfo.AddForm(name + "__" + RemoveLastExtension(fileName), RenameRootObject(text, name));
  }
  FillFormList();
}

} // namespace vt
