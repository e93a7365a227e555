// Subcommands of a release: merge-raw, filter-raw, rebuild-src, src-hints, src-apply, copy-trans,
// build-project, update-project. Their log goes to stderr as the window's log memo shows it.
#include "commands.h"
#include "grab_guard.h"
#include "support/file_io.h"
#include "tools/error.h"
#include "tools/project_update.h"
#include "tools/raw_merge.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <type_traits>

namespace lngtool {
namespace {

void PrintLog(const vt::TGrabLog &log) {
  for (const std::string &l : log.Lines()) std::cerr << l << '\n';
}

// Runs an operation; its log is printed whether it succeeds or not, and an assertion ends the program
// with its text on one line. An operation that returns false (it logged why) exits with 1.
template <typename F> void RunLogged(F &&body) {
  vt::TGrabLog log;
  bool ok = true;
  try {
    if constexpr (std::is_same_v<decltype(body(log)), bool>)
      ok = body(log);
    else
      body(log);
  } catch (const vt::EGrabAssertion &e) {
    PrintLog(log);
    Die(GrabFailureText(e));
  } catch (const vt::EGrabError &e) {
    PrintLog(log);
    Die(e.what());
  }
  PrintLog(log);
  if (!ok) throw Exit{1};
}

} // namespace

void RegisterReleaseCommands(CLI::App &app) {
  auto a = std::make_shared<std::string>();
  auto b = std::make_shared<std::string>();
  auto rebuild = std::make_shared<vt::TRebuildOptions>();
  auto project = std::make_shared<vt::TProjectOptions>();

  auto *merge = app.add_subcommand("merge-raw", "\"Add to Dst file\": add the keys of SRC that DST lacks; "
                                                "DST keeps its own texts, differing pairs are logged");
  merge->add_option("SRC", *a, "the raw data file to merge")->required();
  merge->add_option("DST", *b, "the raw data file to modify (created when missing)")->required();
  merge->callback(
      [a, b] { RunLogged([&](vt::TGrabLog &log) { return vt::MergeRawFiles(*a, *b, log).has_value(); }); });

  auto *filter = app.add_subcommand("filter-raw", "\"Remove from Dst file\": delete the keys of DST that "
                                                  "FILTER marks with the value x");
  filter->add_option("FILTER", *a, "the filter file (section, key=x)")->required();
  filter->add_option("DST", *b, "the raw data file to modify")->required();
  filter->callback(
      [a, b] { RunLogged([&](vt::TGrabLog &log) { return vt::FilterRawFile(*a, *b, log).has_value(); }); });

  auto *src =
      app.add_subcommand("rebuild-src", "\"Rebuild SrcLng\": the source-language file from a raw data "
                                        "file, with the English corrections when given");
  src->add_option("--raw", rebuild->RawFile, "the raw data file")->required();
  src->add_option("--out", rebuild->DestFile, "the .SrcLng file to write")->required();
  src->add_option("--english", rebuild->EnglishFile,
                  "\"Apply English Translation File\": the English project's .kxLng");
  src->add_option("--messages", rebuild->MessageFile,
                  "word list of corrected English message texts (with --english)");
  src->callback([rebuild] {
    rebuild->ApplyEnglish = !rebuild->EnglishFile.empty();
    rebuild->ApplyMessages = !rebuild->MessageFile.empty();
    RunLogged([&](vt::TGrabLog &log) { vt::RebuildSrcLng(*rebuild, log); });
  });

  auto *hints = app.add_subcommand("src-hints", "\"UpdateSrcHints\": SRCLNG.new with the texts of KXLNG and "
                                                "the comments of its queried entries as notes");
  hints->add_option("SRCLNG", *a, "the source-language file")->required();
  hints->add_option("KXLNG", *b, "the translation file to take texts from")->required();
  hints->callback([a, b] {
    RunLogged([&](vt::TGrabLog &log) {
      if (!vt::UpdateSrcHints(*a, *b, log)) Die("Unable to Open File " + (vt::FileExists(*a) ? *b : *a));
    });
  });

  auto *apply = app.add_subcommand("src-apply", "\"src <-- kx DE\": the texts of KXLNG into SRCLNG itself "
                                                "(after a copy to SRCLNG.old)");
  apply->add_option("SRCLNG", *a, "the source-language file")->required();
  apply->add_option("KXLNG", *b, "the translation file to take texts from")->required();
  apply->callback([a, b] {
    RunLogged([&](vt::TGrabLog &log) {
      if (!vt::ApplySrcTranslations(*a, *b, log))
        Die("Unable to Open File " + (vt::FileExists(*a) ? *b : *a));
    });
  });

  auto *copy = app.add_subcommand("copy-trans", "\"kx msg <-- kx DE\": fill the empty translations of a "
                                                "project from another one (messages by their text)");
  copy->add_option("--from", *a, "the other project's .kxLng (its .SrcLng beside it)")->required();
  copy->add_option("--to", *b, "the target project's .SrcLng (its .kxLng is filled)")->required();
  copy->callback([a, b] { RunLogged([&](vt::TGrabLog &log) { vt::CopyTranslations(*a, *b, log); }); });

  auto addProject = [project](CLI::App *cmd, bool langRequired) {
    cmd->add_option("--template", project->TemplatePath, "the release's .SrcLng")->required();
    cmd->add_option("--project", project->ProjectPath, "the project's .SrcLng (its .kxLng beside it)")
        ->required();
    auto *lang = cmd->add_option("--lang", project->Lang,
                                 langRequired ? "the target language code (\"LangID\")"
                                              : "the target language code; default: the project's own");
    if (langRequired) lang->required();
    cmd->add_flag("--erase", project->EraseKxLng, "\"Erase Previous kxLng Files\"");
  };
  auto *build = app.add_subcommand("build-project", "\"Build Lng Project\": a project's source file from the "
                                                    "template, and its language");
  addProject(build, true);
  build->callback([project] { RunLogged([&](vt::TGrabLog &log) { vt::BuildLngProject(*project, log); }); });

  auto *update = app.add_subcommand("update-project", "\"Rebuild Dst Prj\": a project follows the template; "
                                                      "message translations move to the keys of their texts");
  addProject(update, false);
  update->callback(
      [project] { RunLogged([&](vt::TGrabLog &log) { vt::RebuildDstProject(*project, log); }); });
}

} // namespace lngtool
