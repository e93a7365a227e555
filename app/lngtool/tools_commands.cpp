// Subcommands of the extraction toolkit: forms, form-text, skin-forms, form-section, messages, extract.
#include "commands.h"
#include "grab_guard.h"
#include "support/file_io.h"
#include "tools/error.h"
#include "tools/form_filter.h"
#include "tools/form_lists.h"
#include "tools/form_section.h"
#include "tools/form_text_reader.h"
#include "tools/message_lists.h"
#include "tools/message_scan.h"
#include "tools/raw_extract.h"
#include "tools/resource_info.h"

#include <fstream>
#include <iostream>
#include <memory>

namespace lngtool {
namespace {

void RequireFile(const std::string &path) {
  if (!vt::FileExists(path)) Die("Unable to Open File " + path);
}

// An executable starts with "MZ"; anything else is taken for a skin.
void OpenFormsOf(vt::TGrabSession &s, const std::string &path) {
  RequireFile(path);
  std::string head;
  vt::ReadFileBytes(path, head, nullptr);
  if (head.rfind("MZ", 0) == 0)
    s.OpenExecutable(path);
  else
    s.LoadGuiDefinitions(path);
}

std::vector<std::string> FormLinesOrDie(const vt::TGrabSession &s, const std::string &name) {
  auto lines = s.FormLines(s.FindForm(name));
  if (!lines) Die("Error: Cant find Dfm unit: " + name);
  return *lines;
}

void PrintLines(const std::vector<std::string> &lines) {
  for (const std::string &l : lines) std::cout << l << '\n';
}

// Runs read (which fills the session's records) and prints the form list. When read fails, the
// names of the records read before the failure are printed before the error goes on.
template <typename F> void PrintAllOrWhatWasRead(vt::TGrabSession &s, F &&read) {
  try {
    read();
  } catch (const vt::EGrabError &) {
    s.FillFormList();
    PrintLines(s.FormList);
    std::cout.flush();
    throw;
  }
  s.FillFormList();
  PrintLines(s.FormList);
}

// A form text file (as the form preview reads them) holds one form: its section is printed whole.
bool FormSectionOfFormText(vt::TGrabSession &s, const std::string &path, bool prune) {
  RequireFile(path);
  std::string bytes, error;
  if (!vt::ReadFileBytes(path, bytes, &error)) Die(error);
  if (!vt::LooksLikeFormText(bytes)) return false;
  if (prune) Die("--prune-actions needs a skin file");
  s.PrepareForm(vt::SplitLines(bytes));
  PrintLines(s.BuildFormSection());
  return true;
}

struct TExtractArgs {
  std::string Script, Out, Exe, Blacklist, TabMap, Variant = "L", Skin;
  bool NoDfm = false, NoMessages = false, KeepPrevious = false;
};

void RunExtract(const TExtractArgs &a) {
  vt::TRawOptions o;
  if (!a.Script.empty()) {
    if (!vt::LoadRawScript(a.Script, o)) Die("Unable to Open File " + a.Script);
  } else {
    o.ExeFilename = a.Exe;
    o.doExtractEXE = !a.Exe.empty();
    o.doExtractDfm = !a.NoDfm;
    o.doExtractMessages = !a.NoMessages;
    o.DfmBlackListFilename = a.Blacklist;
    o.doBlacklist = !a.Blacklist.empty();
    o.TabMapFilename = a.TabMap;
    o.doUseTabMap = !a.TabMap.empty();
    o.VerChar = a.Variant;
    o.GUIFilename = a.Skin;
    o.doSkin = !a.Skin.empty();
  }
  o.DstFilename = a.Out;
  o.ErasePrevious = !a.KeepPrevious;
  vt::TGrabSession session;
  vt::TGrabLog log;
  std::size_t printed = 0;
  // A line is printed once the next one starts, since a step may still extend the last one.
  auto flush = [&](std::size_t upTo) {
    for (; printed < upTo && printed < log.Lines().size(); ++printed)
      std::cerr << log.Lines()[printed] << '\n';
  };
  log.OnChange = [&] {
    if (log.Lines().size() > 1) flush(log.Lines().size() - 1);
  };
  try {
    const auto written = vt::BuildRaw(session, o, log);
    flush(log.Lines().size());
    if (!written) throw Exit{1};
  } catch (const vt::EGrabError &) {
    flush(log.Lines().size());
    throw;
  }
}

} // namespace

void RegisterToolsCommands(CLI::App &app) {
  auto exe = std::make_shared<std::string>();
  auto name = std::make_shared<std::string>();
  auto flag = std::make_shared<bool>(false);

  auto *forms = app.add_subcommand("forms", "List the form resources of an executable, in list order");
  forms->add_option("EXE", *exe, "the product executable")->required();
  forms->add_flag("--global-trans", *flag,
                  "\"Dump Dfm List\": only the forms extraction takes (those holding lbHasGlobalTrans)");
  forms->callback([exe, flag] {
    RequireFile(*exe);
    vt::TGrabSession s;
    Guarded([&] {
      if (*flag) {
        s.OpenExecutable(*exe);
        PrintLines(vt::GlobalTransForms(s.ResourceInfo));
        return;
      }
      // The forms read before a damaged one are listed, then the error ends the program.
      PrintAllOrWhatWasRead(s, [&] { s.OpenExecutable(*exe); });
    });
  });

  auto *text = app.add_subcommand("form-text", "Print the form text of one form resource or GUI definition");
  text->add_option("FILE", *exe, "the product executable or a skin file")->required();
  text->add_option("NAME", *name, "the resource name as 'forms' or 'skin-forms' lists it")->required();
  text->add_flag("--collapsed", *flag, "the form view: binary blocks collapsed, lines trimmed");
  text->callback([exe, name, flag] {
    Guarded([&] {
      vt::TGrabSession s;
      OpenFormsOf(s, *exe);
      if (*flag) {
        PrintLines(vt::TrimLines(vt::CollapseBinaryBlocks(FormLinesOrDie(s, *name))));
        return;
      }
      const int index = s.FindForm(*name);
      if (index < 0) Die("Error: Cant find Dfm unit: " + *name);
      std::cout << s.ResourceInfo.Item(index).Text;
    });
  });

  auto *skin = app.add_subcommand("skin-forms", "List the pseudo-resource names of a skin's GUI definitions");
  skin->add_option("SKIN", *exe, "the skin file (an ini listing the GUI definition files)")->required();
  skin->callback([exe] {
    Guarded([&] {
      RequireFile(*exe);
      vt::TGrabSession s;
      PrintAllOrWhatWasRead(s, [&] { s.LoadGuiDefinitions(*exe); });
    });
  });

  auto *section =
      app.add_subcommand("form-section", "Print the raw-data section extraction builds from one form");
  section->add_option("FILE", *exe, "the product executable, a skin file or a form text file (.dfmp)")
      ->required();
  section->add_option("NAME", *name, "the resource or pseudo-resource name (not for a form text file)");
  section->add_flag("--prune-actions", *flag,
                    "\"get filtered Actions\": leave out the actions no definition uses");
  section->callback([exe, name, flag] {
    Guarded([&] {
      vt::TGrabSession s;
      if (FormSectionOfFormText(s, *exe, *flag)) return;
      if (name->empty()) Die("NAME is needed for an executable or a skin file");
      OpenFormsOf(s, *exe);
      const std::vector<std::string> lines = FormLinesOrDie(s, *name);
      if (*flag) {
        PrintLines(vt::PrunedActionsSection(s, *name));
        return;
      }
      s.PrepareForm(lines);
      PrintLines(s.BuildFormSection());
    });
  });

  auto form = std::make_shared<std::string>();
  auto *messages = app.add_subcommand("messages", "List the marked messages of an executable, in scan order");
  messages->add_option("EXE", *exe, "the product executable")->required();
  auto *numbered = messages->add_flag_callback(
      "--numbered", [form] { *form = "numbered"; }, "\"msg str\": every text as number TAB text, from 0");
  auto *distinct = messages->add_flag_callback(
      "--distinct", [form] { *form = "distinct"; }, "each text once, in the order found");
  auto *ini = messages->add_flag_callback(
      "--ini", [form] { *form = "ini"; }, "\"make ini msg\": a [Messages] section, NAME000_.msg=text");
  numbered->excludes(distinct)->excludes(ini);
  distinct->excludes(ini);
  messages->callback([exe, form] {
    RequireFile(*exe);
    std::string bytes, error;
    if (!vt::ReadFileBytes(*exe, bytes, &error)) Die("Unable to Open File " + *exe);
    const std::vector<std::string> found = vt::ScanMessages(bytes);
    if (*form == "numbered")
      PrintLines(vt::NumberedMessages(found));
    else if (*form == "distinct")
      PrintLines(vt::DistinctMessages(found));
    else if (*form == "ini")
      PrintLines(vt::MessageIniLines(*exe, found));
    else
      PrintLines(found);
  });

  auto args = std::make_shared<TExtractArgs>();
  auto *extract = app.add_subcommand("extract", "The \"Build Raw\" run: write a raw data file (.rawmi); "
                                                "the log goes to stderr");
  auto *script = extract->add_option("--script", args->Script, "a raw script file (.RawScript)");
  extract->add_option("--out", args->Out, "the raw data file to write")->required();
  auto *exeOpt = extract->add_option("--exe", args->Exe, "extract from this executable");
  extract->add_flag("--no-dfm", args->NoDfm, "leave out the form resources");
  extract->add_flag("--no-messages", args->NoMessages, "leave out the marked messages");
  auto *black = extract->add_option("--blacklist", args->Blacklist, "leave out the forms this file names");
  auto *tab = extract->add_option("--tabmap", args->TabMap, "leave out objects hidden in the variant");
  auto *variant =
      extract->add_option("--variant", args->Variant, "the program level: L, M, S or C (default L)");
  auto *skinOpt = extract->add_option("--skin", args->Skin, "extract the GUI definitions of this skin");
  for (CLI::Option *o : {exeOpt, black, tab, variant, skinOpt}) o->excludes(script);
  extract->add_flag("--keep-previous", args->KeepPrevious,
                    "add to the raw data file instead of starting empty");
  extract->callback([args] {
    if (!args->Script.empty()) RequireFile(args->Script);
    Guarded([&] { RunExtract(*args); });
  });

  RegisterAdminCommands(app);
  RegisterReleaseCommands(app);
  RegisterCompileCommands(app);
}

} // namespace lngtool
