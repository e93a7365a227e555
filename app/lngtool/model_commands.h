#pragma once
// What the project subcommands share.
#include "model/word_list.h"

#include <string>

namespace lngtool {

// Opens a project from any of its files, or ends the program with the file and the reason.
// Commands that only read pass TOpenMode::ReadOnly, so every file stays as it was.
vt::TRef<vt::TWordList> OpenProjectOrDie(const std::string &path, vt::TWordList::TOpenMode mode);

} // namespace lngtool
