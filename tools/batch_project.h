#pragma once
// Batch project files (".BatchPrj"): the raw scripts, extracted raw data files and release files of
// one product release, and the runs that chain them: extract every raw data file, merge them into
// one source-language file, update a language project, compile every raw data file.
#include "grab_log.h"
#include "raw_merge.h"
#include "raw_script.h"

#include <functional>
#include <string>
#include <vector>

namespace vt {

class TGrabSession;

class TBatchProject {
public:
  // Reads the file; false (with the reason) when it cannot be read. Relative paths are taken from
  // the batch file's folder.
  bool Load(const std::string &path, std::string *error = nullptr);

  std::string FileName;
  std::string Text; // the file as read, for showing
  // "General"; empty when absent.
  std::string DstSrcLng, RawDst, RawDstBL, RawEnLng, RawEnLngMsg;
  // Non-empty lines of "RawScriptData" and "ExtractedFiles", each whole.
  std::vector<std::string> RawScriptData, ExtractedFiles;

  // path as given when absolute or empty, else inside the batch file's folder.
  std::string Resolve(const std::string &path) const;
};

// A Yes/No question of a run; true for Yes.
using TBatchAsk = std::function<bool(const std::string &question)>;

// "Extract rawmi data": every listed raw script that exists, loaded over base (whose ErasePrevious
// holds for every script) and run. False when the question was answered No.
bool BatchExtract(const TBatchProject &batch, TGrabSession &session, const TRawOptions &base,
                  const TBatchAsk &ask, TGrabLog &log);

// "Rebuild SrcLng file": RawDst from the listed files (the first copied, the others merged, the
// removal filter applied), then DstSrcLng rebuilt from it. Inputs are checked before anything is
// replaced, and each file is replaced whole. Returns the rebuild's settings (for the window's
// controls), or nothing when the question was answered No. Throws EGrabAssertion as the run's
// checks fail, EGrabError when a file cannot be read or written.
std::optional<TRebuildOptions> BatchRebuild(const TBatchProject &batch, const TBatchAsk &ask, TGrabLog &log);

// "Update Dst Lng Prj": the project (its ".SrcLng") follows DstSrcLng, keeping its translations.
// lang: the language code ("LangID"); erase: "Erase Previous kxLng Files". False when answered No.
bool BatchUpdate(const TBatchProject &batch, const std::string &projectSrcLng, const std::string &lang,
                 bool erase, const TBatchAsk &ask, TGrabLog &log);

struct TBatchCompileResult {
  bool Asked = false;               // false when the question was answered No
  std::vector<std::string> Written; // the compiled files
  int Failures = 0;                 // refused or failed compiles
  std::vector<std::string> Missing; // listed files that do not exist
};

// "Batch Compile": every listed raw data file that exists into folder + its name with ".kxLng",
// with the project (translation file) read once. onFile is told each raw file and its output
// before it is compiled. Clears both logs after the question.
TBatchCompileResult
BatchCompile(const TBatchProject &batch, const std::string &projectFile, const std::string &folder,
             const TBatchAsk &ask, TGrabLog &log, TGrabLog &echo,
             const std::function<void(const std::string &raw, const std::string &out)> &onFile = {});

// The compile output folder with its trailing separator.
std::string CompileFolder(const std::string &dir);

} // namespace vt
