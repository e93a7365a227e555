// stats and resave: open a project from any of its files, print its counts or write it back.
#include "commands.h"
#include "model_commands.h"

#include "model/word_list.h"

#include <iostream>
#include <memory>

namespace lngtool {

namespace {

void PrintStats(const vt::TWordList &list) {
  std::size_t hidden = 0, translated = 0, autoTranslated = 0, untranslated = 0, query = 0, warning = 0,
              needsWork = 0;
  for (const vt::TWordObj *e : list.Items) {
    if (e->Hidden) {
      ++hidden;
      continue;
    }
    switch (e->State()) {
    case vt::esTranslated:
      ++translated;
      break;
    case vt::esAutoTranslated:
      ++autoTranslated;
      break;
    case vt::esUntranslated:
      ++untranslated;
      break;
    }
    const vt::TEntryFlags flags = e->Flags();
    query += (flags & vt::efQuery) != 0;
    warning += (flags & vt::efWarning) != 0;
    needsWork += (flags & vt::efNeedsWork) != 0;
  }
  const std::size_t entries = list.Items.Count();
  std::cout << "entries: " << entries << '\n'
            << "visible: " << entries - hidden << '\n'
            << "hidden: " << hidden << '\n'
            << "translated: " << translated << '\n'
            << "auto: " << autoTranslated << '\n'
            << "untranslated: " << untranslated << '\n'
            << "query: " << query << '\n'
            << "warning: " << warning << '\n'
            << "needs-work: " << needsWork << '\n'
            << "sections: " << list.Sections.size() << '\n'
            << "destlng: " << list.DestLng << '\n';
}

} // namespace

void RegisterProjectFileCommands(CLI::App &app) {
  auto path = std::make_shared<std::string>();
  auto *stats =
      app.add_subcommand("stats", "Open a project (any of its files) and print its counts as name: value "
                                  "lines; counts after 'hidden' are over visible entries");
  stats->add_option("PROJECT", *path, "the .SrcLng, .kxLng or .AutoLng file of the project")->required();
  stats->callback([path] { PrintStats(*OpenProjectOrDie(*path, vt::TWordList::TOpenMode::ReadOnly)); });

  auto resavePath = std::make_shared<std::string>();
  auto *resave =
      app.add_subcommand("resave", "Open a project and save it: the translation file is rewritten in "
                                   "the ini dialect's normal form");
  resave->add_option("PROJECT", *resavePath, "the .SrcLng, .kxLng or .AutoLng file of the project")
      ->required();
  resave->callback([resavePath] {
    auto list = OpenProjectOrDie(*resavePath, vt::TWordList::TOpenMode::Edit);
    std::string error;
    if (!list->Save(&error))
      Die("Unable to save file " + list->TransIni->FileName() + (error.empty() ? "" : " (" + error + ")"));
    std::cerr << "saved " << list->TransIni->FileName() << '\n';
  });
}

} // namespace lngtool
