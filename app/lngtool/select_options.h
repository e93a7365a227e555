#pragma once
// The options of the main list's filter pipeline, shared by `select` and `fix`: section, type,
// status, text or word-count filter, duplicates, "Show Only GUI/App" and the sort.
#include "model/word_list.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace lngtool {

struct TSelectOptions {
  std::string Section = std::string(vt::section::All);
  std::string Type = "all";
  std::string Status = "all";
  std::string Text;
  std::string Method = "contains";
  std::optional<int> WordsGreater;
  std::optional<int> WordsAtMost;
  bool Dedup = false;
  std::string Only; // "", "gui" or "app"
  std::string Sort = "id";

  // Whether any option narrows the list (the sort does not).
  bool Narrows() const;
};

// Adds --section, --type, --status, --text, --method, --words-gt, --words-le, --dedup, --only and
// --sort to cmd, filling options when the command line is parsed.
void AddSelectOptions(CLI::App &cmd, TSelectOptions &options);

// Fills the project's Selection as the main list would show it with these options; ends the
// program with a message when a name is unknown.
void ApplySelectOptions(vt::TWordList &project, const TSelectOptions &options);

} // namespace lngtool
