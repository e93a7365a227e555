// Subcommands of compiled language files and batch projects: compile, batch extract / rebuild /
// update / compile / release.
#include "commands.h"
#include "grab_guard.h"
#include "support/file_io.h"
#include "tools/batch_project.h"
#include "tools/compile.h"
#include "tools/error.h"
#include "tools/grab_session.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace lngtool {
namespace {

// A toolkit log streamed to stderr: each line once it is complete (a step may still extend the
// last one), and what a clear would drop is printed before it goes.
class TStderrLog {
public:
  TStderrLog() {
    Log.OnChange = [this] { Changed(); };
  }
  ~TStderrLog() { Log.OnChange = nullptr; }
  void Finish() {
    const auto &lines = Log.Lines();
    while (FPrinted < lines.size()) std::cerr << lines[FPrinted++] << '\n';
    FHasPending = false;
  }
  vt::TGrabLog Log;

private:
  void Changed() {
    const auto &lines = Log.Lines();
    if (lines.size() < FPrinted || (lines.size() == FPrinted && FHasPending)) {
      if (FHasPending) std::cerr << FPending << '\n';
      FPrinted = 0;
    }
    while (FPrinted + 1 < lines.size()) std::cerr << lines[FPrinted++] << '\n';
    FHasPending = FPrinted < lines.size();
    if (FHasPending) FPending = lines.back();
  }
  std::size_t FPrinted = 0;
  std::string FPending;
  bool FHasPending = false;
};

struct TBatchArgs {
  std::string Batch, OutDir, Lang;
  std::vector<std::string> Projects;
  bool Yes = false, KeepPrevious = false, Erase = false, AllowMissing = false;
};

vt::TBatchProject LoadBatch(const std::string &path) {
  vt::TBatchProject batch;
  std::string error;
  if (!vt::FileExists(path) || !batch.Load(path, &error)) Die("Unable to Open File " + path);
  return batch;
}

// The question of a step: answered by --yes, else printed and the program ends with nothing done.
vt::TBatchAsk Asker(bool yes) {
  return [yes](const std::string &question) {
    if (yes) return true;
    std::string shown = question;
    for (char &c : shown)
      if (c == '\r') c = ' ';
    Die(shown + " (answer with --yes)");
  };
}

// Listed files that do not exist: named on stderr; counted as a failure unless allowed.
bool ReportMissing(const std::vector<std::string> &files, bool allow) {
  bool missing = false;
  for (const std::string &f : files)
    if (!vt::FileExists(f)) {
      std::cerr << "Missing listed file:\t" << f << '\n';
      missing = true;
    }
  return missing && !allow;
}

void EnsureDir(const std::string &dir) {
  std::error_code ec;
  if (!dir.empty()) std::filesystem::create_directories(dir, ec);
  if (ec) Die("Unable to create folder " + dir + ": " + ec.message());
}

// Compiles every extracted file; true when all compiled.
bool RunBatchCompile(const vt::TBatchProject &batch, const std::string &project, const std::string &dir,
                     bool yes) {
  EnsureDir(dir);
  TStderrLog log;
  const vt::TBatchCompileResult r =
      vt::BatchCompile(batch, vt::ChangeFileExt(project, ".kxLng"), dir, Asker(yes), log.Log, nullptr);
  log.Finish();
  for (const std::string &f : r.Written) std::cout << f << '\n';
  return r.Failures == 0;
}

void RunBatchUpdate(const vt::TBatchProject &batch, const std::string &project, const std::string &lang,
                    bool erase, bool yes) {
  TStderrLog log;
  vt::BatchUpdate(batch, vt::ChangeFileExt(project, ".SrcLng"), lang, erase, Asker(yes), log.Log);
  log.Finish();
}

void RunBatchRebuild(const vt::TBatchProject &batch, bool yes) {
  TStderrLog log;
  vt::BatchRebuild(batch, Asker(yes), log.Log);
  log.Finish();
}

void RunBatchExtract(const vt::TBatchProject &batch, bool keepPrevious, bool yes) {
  TStderrLog log;
  vt::TGrabSession session;
  vt::TRawOptions base;
  base.ErasePrevious = !keepPrevious;
  vt::BatchExtract(batch, session, base, Asker(yes), log.Log);
  log.Finish();
}

CLI::App *BatchCommand(CLI::App *batch, const std::shared_ptr<TBatchArgs> &args, const char *name,
                       const std::string &help) {
  auto *cmd = batch->add_subcommand(name, help);
  cmd->add_option("BATCH", args->Batch, "the batch project file (.BatchPrj)")->required();
  cmd->add_flag("--yes", args->Yes,
                "answer the run's question Yes (without it the question is printed "
                "and nothing is done)");
  return cmd;
}

} // namespace

void RegisterCompileCommands(CLI::App &app) {
  struct TCompileArgs {
    std::string Raw, Project, Out;
    bool Echo = false;
  };
  auto c = std::make_shared<TCompileArgs>();
  auto *compile = app.add_subcommand(
      "compile", "\"Compile\": a compiled language file from a raw data file and a project; progress on "
                 "stderr, with --echo every written line on stdout");
  compile->add_option("--raw", c->Raw, "the raw data file (.rawmi)")->required();
  compile->add_option("--project", c->Project, "the project's translation file (.kxLng)")->required();
  compile->add_option("--out", c->Out, "the compiled language file to write")->required();
  compile->add_flag("--echo", c->Echo, "print every written line on stdout");
  compile->callback([c] {
    TStderrLog log;
    vt::TGrabLog echo;
    const vt::ECompileResult r = vt::Compile(c->Raw, c->Project, c->Out, log.Log, c->Echo ? &echo : nullptr);
    log.Finish();
    if (c->Echo)
      for (const std::string &l : echo.Lines()) std::cout << l << '\n';
    if (r != vt::ECompileResult::Written) throw Exit{1};
  });

  auto *batch = app.add_subcommand("batch", "The runs of a batch project (.BatchPrj); each asks its "
                                            "question unless --yes is given");
  batch->require_subcommand(1);
  auto args = std::make_shared<TBatchArgs>();
  const std::string missingHelp = "listed files that do not exist are skipped without failing";

  auto *extract = BatchCommand(batch, args, "extract", "\"Extract rawmi data\": run every raw script listed");
  extract->add_flag("--keep-previous", args->KeepPrevious,
                    "add to the raw data files instead of starting empty");
  extract->add_flag("--allow-missing", args->AllowMissing, missingHelp);
  extract->callback([args] {
    const vt::TBatchProject b = LoadBatch(args->Batch);
    Guarded([&] { RunBatchExtract(b, args->KeepPrevious, args->Yes); });
    if (ReportMissing(b.RawScriptData, args->AllowMissing)) throw Exit{1};
  });

  auto *rebuild = BatchCommand(batch, args, "rebuild",
                               "\"Rebuild SrcLng file\": merge the extracted files into RawDst, filter it, "
                               "build DstSrcLng");
  rebuild->add_flag("--allow-missing", args->AllowMissing, missingHelp);
  rebuild->callback([args] {
    const vt::TBatchProject b = LoadBatch(args->Batch);
    Guarded([&] { RunBatchRebuild(b, args->Yes); });
    if (ReportMissing(b.ExtractedFiles, args->AllowMissing)) throw Exit{1};
  });

  auto *update =
      BatchCommand(batch, args, "update",
                   "\"Update Dst Lng Prj\": the project follows DstSrcLng, keeping its translations");
  update->add_option("--project", args->Projects, "the project (any of its files)")->required()->expected(1);
  update->add_option("--lang", args->Lang, "the language code (default: the project's own)");
  update->add_flag("--erase", args->Erase, "\"Erase Previous kxLng Files\": start the translations afresh");
  update->callback([args] {
    const vt::TBatchProject b = LoadBatch(args->Batch);
    Guarded([&] { RunBatchUpdate(b, args->Projects.front(), args->Lang, args->Erase, args->Yes); });
  });

  auto *bcompile = BatchCommand(batch, args, "compile",
                                "\"Batch Compile\": every extracted file into DIR, the project read once");
  bcompile->add_option("--project", args->Projects, "the project (any of its files)")
      ->required()
      ->expected(1);
  bcompile->add_option("--out-dir", args->OutDir, "the folder of the compiled files")->required();
  bcompile->add_flag("--allow-missing", args->AllowMissing, missingHelp);
  bcompile->callback([args] {
    const vt::TBatchProject b = LoadBatch(args->Batch);
    bool ok = true;
    Guarded([&] { ok = RunBatchCompile(b, args->Projects.front(), args->OutDir, args->Yes); });
    if (ReportMissing(b.ExtractedFiles, args->AllowMissing) || !ok) throw Exit{1};
  });

  auto *release = BatchCommand(batch, args, "release",
                               "A whole release: extract, rebuild, then per project update and compile "
                               "into DIR/<DestLng>/");
  release->add_option("--project", args->Projects, "the language projects (any of their files)")
      ->required()
      ->expected(1, 1000);
  release->add_option("--out-dir", args->OutDir, "the folder of the compiled files")->required();
  release->add_flag("--keep-previous", args->KeepPrevious,
                    "add to the raw data files instead of starting empty");
  release->add_flag("--allow-missing", args->AllowMissing, missingHelp);
  release->callback([args] {
    const vt::TBatchProject b = LoadBatch(args->Batch);
    // Every question is asked before anything runs.
    if (!args->Yes) Asker(false)("Extract rawmi data?");
    bool ok = true;
    Guarded([&] {
      RunBatchExtract(b, args->KeepPrevious, true);
      RunBatchRebuild(b, true);
      for (const std::string &project : args->Projects) {
        RunBatchUpdate(b, project, "", false, true);
        vt::TIniFile kx;
        std::string lang;
        if (vt::LoadIniSkippingMark(vt::ChangeFileExt(project, ".kxLng"), kx))
          lang = kx.ReadString("_info", "DestLng");
        if (lang.empty() || lang.find_first_of("/\\") != std::string::npos || lang == "." || lang == "..")
          Die("No usable _info/DestLng in " + vt::ChangeFileExt(project, ".kxLng"));
        const std::string dir = (std::filesystem::path(args->OutDir) / lang).string();
        ok = RunBatchCompile(b, project, dir, true) && ok;
      }
    });
    const bool missing = ReportMissing(b.RawScriptData, args->AllowMissing);
    if (ReportMissing(b.ExtractedFiles, args->AllowMissing) || missing || !ok) throw Exit{1};
  });
}

} // namespace lngtool
