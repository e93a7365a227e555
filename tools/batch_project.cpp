#include "batch_project.h"

#include "compile.h"
#include "error.h"
#include "model/ini_file.h"
#include "project_update.h"
#include "raw_extract.h"
#include "support/file_io.h"

#include <filesystem>
#include <set>

namespace vt {

namespace {

constexpr std::string_view kGeneral = "General";

// Lines of a list section whole: the dialect splits a line at its first "=", so join it back.
std::vector<std::string> ListLines(const TIniFile &ini, std::string_view section) {
  std::vector<std::string> out;
  const TIniSection *sec = ini.FindSection(section);
  if (!sec) return out;
  for (const TIniLine &line : sec->Lines) {
    std::string text = line.Key.empty() ? line.Value.str() : line.Key + "=" + line.Value;
    if (!text.empty()) out.push_back(std::move(text));
  }
  return out;
}

std::string FoldedName(const std::string &path) {
  std::string name = ExtractFileName(path);
  for (char &c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

// A raw script's relative paths are taken from the folder it stands in.
void ResolveScriptPaths(const std::string &script, TRawOptions &o) {
  TBatchProject at;
  at.FileName = script;
  for (std::string *path :
       {&o.ExeFilename, &o.TabMapFilename, &o.DfmBlackListFilename, &o.GUIFilename, &o.DstFilename})
    *path = at.Resolve(*path);
}

void CopyFileWhole(const std::string &from, const std::string &to) {
  std::string bytes, error;
  if (!ReadFileBytes(from, bytes, &error) || !WriteFileAtomic(to, bytes, &error)) throw EGrabError(error);
}

} // namespace

std::string TBatchProject::Resolve(const std::string &path) const {
  if (path.empty()) return path;
  const std::filesystem::path p(path);
  if (p.is_absolute()) return path;
  const std::string dir = ExtractFileDir(FileName);
  return dir.empty() ? path : (std::filesystem::path(dir) / p).lexically_normal().string();
}

bool TBatchProject::Load(const std::string &path, std::string *error) {
  TIniFile ini;
  if (!LoadIniSkippingMark(path, ini, error)) return false;
  FileName = path;
  Text = *ini.Bytes();
  DstSrcLng = Resolve(ini.ReadString(kGeneral, "DstSrcLng"));
  RawDst = Resolve(ini.ReadString(kGeneral, "RawDst"));
  RawDstBL = Resolve(ini.ReadString(kGeneral, "RawDstBL"));
  RawEnLng = Resolve(ini.ReadString(kGeneral, "RawEnLng"));
  RawEnLngMsg = Resolve(ini.ReadString(kGeneral, "RawEnLngMsg"));
  RawScriptData.clear();
  ExtractedFiles.clear();
  for (std::string &line : ListLines(ini, "RawScriptData")) RawScriptData.push_back(Resolve(line));
  for (std::string &line : ListLines(ini, "ExtractedFiles")) ExtractedFiles.push_back(Resolve(line));
  return true;
}

bool BatchExtract(const TBatchProject &batch, TGrabSession &session, const TRawOptions &base,
                  const TBatchAsk &ask, TGrabLog &log) {
  if (!ask("Extract rawmi data?")) return false;
  log.Clear();
  TRawOptions options = base;
  for (const std::string &script : batch.RawScriptData) {
    if (!FileExists(script)) continue;
    log.Add("Extracting..." + script);
    if (!LoadRawScript(script, options)) continue;
    ResolveScriptPaths(script, options);
    BuildRaw(session, options, log);
  }
  log.Add("Extracting Complete");
  return true;
}

std::optional<TRebuildOptions> BatchRebuild(const TBatchProject &batch, const TBatchAsk &ask, TGrabLog &log) {
  if (batch.RawDst.empty() || batch.DstSrcLng.empty()) throw EGrabAssertion("Assertion failure");
  if (!ask("Rebuild SrcLng File?")) return std::nullopt;
  // The backups once the user said Yes: a run answered No leaves every file as it was.
  std::string error;
  for (const std::string *path : {&batch.RawDst, &batch.DstSrcLng})
    if (!BackupFile(*path, &error)) throw EGrabError(error);
  if (batch.ExtractedFiles.empty()) throw EGrabAssertion("No Files to merge");
  // Before anything is replaced: some listed file exists, and no output is also an input.
  std::vector<std::string> present;
  for (const std::string &file : batch.ExtractedFiles)
    if (FileExists(file)) present.push_back(file);
  if (present.empty()) throw EGrabAssertion("No files processed..");
  if (SamePath(batch.RawDst, batch.DstSrcLng))
    throw EGrabAssertion("RawDst and DstSrcLng are one file: " + batch.RawDst);
  for (const std::string &file : present)
    if (SamePath(file, batch.RawDst) || SamePath(file, batch.DstSrcLng))
      throw EGrabAssertion("A listed file is also an output: " + file);

  log.Clear();
  log.Add("Rebuilding " + batch.RawDst);
  // The first file replaces RawDst whole; the others are merged into it.
  CopyFileWhole(present.front(), batch.RawDst);
  for (std::size_t i = 1; i < present.size(); ++i) {
    log.Add("Merging:\t" + present[i]);
    MergeRawFiles(present[i], batch.RawDst, log);
  }
  if (!batch.RawDstBL.empty() && FileExists(batch.RawDstBL)) {
    log.Add("Filtering \t" + batch.RawDstBL);
    FilterRawFile(batch.RawDstBL, batch.RawDst, log);
  }
  TRebuildOptions options;
  options.RawFile = batch.RawDst;
  options.ApplyEnglish = !batch.RawEnLng.empty() && FileExists(batch.RawEnLng);
  if (options.ApplyEnglish) options.EnglishFile = batch.RawEnLng;
  options.ApplyMessages = !batch.RawEnLngMsg.empty() && FileExists(batch.RawEnLngMsg);
  if (options.ApplyMessages) options.MessageFile = batch.RawEnLngMsg;
  options.DestFile = batch.DstSrcLng;
  // The rebuild writes DstSrcLng whole, so the old file stays until the new one is complete.
  log.Add("Building \t" + batch.DstSrcLng);
  RebuildSrcLng(options, log);
  log.Add("done");
  return options;
}

bool BatchUpdate(const TBatchProject &batch, const std::string &projectSrcLng, const std::string &lang,
                 bool erase, const TBatchAsk &ask, TGrabLog &log) {
  if (batch.DstSrcLng.empty() || !FileExists(batch.DstSrcLng)) throw EGrabAssertion("Assertion failure");
  if (!ask("Update Prj File?\r" + projectSrcLng)) return false;
  std::string error;
  if (!BackupFile(projectSrcLng, &error)) throw EGrabError(error);
  TProjectOptions options;
  options.TemplatePath = batch.DstSrcLng;
  options.ProjectPath = projectSrcLng;
  options.Lang = lang;
  options.EraseKxLng = erase;
  RebuildDstProject(options, log);
  return true;
}

std::string CompileFolder(const std::string &dir) {
  if (dir.empty() || dir.back() == '/' || dir.back() == '\\') return dir;
  return dir + "/";
}

TBatchCompileResult
BatchCompile(const TBatchProject &batch, const std::string &projectFile, const std::string &dir,
             const TBatchAsk &ask, TGrabLog &log, TGrabLog &echo,
             const std::function<void(const std::string &, const std::string &)> &onFile) {
  TBatchCompileResult result;
  const std::string folder = CompileFolder(dir);
  if (!ask("Compile Files to " + folder)) return result;
  result.Asked = true;
  log.Clear();
  echo.Clear();
  if (batch.ExtractedFiles.empty()) throw EGrabAssertion("No Files to compile");
  // An empty folder would put the files at the root of the file system.
  if (folder.empty()) {
    log.Add("Refused!\tNo Compiled Dir given");
    ++result.Failures;
    return result;
  }
  TCompileProject project;
  const bool projectRead = FileExists(projectFile) && project.Load(projectFile);
  std::set<std::string> names;
  for (const std::string &raw : batch.ExtractedFiles) {
    if (!FileExists(raw)) {
      result.Missing.push_back(raw);
      continue;
    }
    const std::string out = folder + ChangeFileExt(ExtractFileName(raw), ".kxLng");
    if (onFile) onFile(raw, out);
    log.Add(raw);
    log.Add(out);
    log.Add("");
    // Two raw files of one name would write one output, the second over the first.
    if (!names.insert(FoldedName(out)).second) {
      log.Add("Refused!\tAnother listed file compiles to the same output:\t" + out);
      ++result.Failures;
      continue;
    }
    if (Compile(raw, projectRead ? &project : nullptr, projectFile, out, log, echo) ==
        ECompileResult::Written)
      result.Written.push_back(out);
    else
      ++result.Failures;
  }
  return result;
}

} // namespace vt
