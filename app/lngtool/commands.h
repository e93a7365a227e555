#pragma once
// Each module registers its subcommands on the lngtool command line.
#include <CLI/CLI.hpp>
#include <string>

namespace lngtool {

void RegisterModelCommands(CLI::App &app); // stats, resave, select, similar, merge-hints
void RegisterMtCommands(CLI::App &app);    // translate
void RegisterToolsCommands(CLI::App &app); // forms, form-text, skin-forms, form-section, messages, extract
void RegisterAdminCommands(CLI::App &app); // compare, used-actions, manual-tree (with the tools)
void RegisterSupportCommands(CLI::App &app);
void RegisterClientCoreCommands(CLI::App &app); // recover
// merge-raw, filter-raw, rebuild-src, src-hints, src-apply, copy-trans, build-project, update-project
void RegisterReleaseCommands(CLI::App &app);
// wordlist, msg-diffs, repo-load, wordfreq, statistics, dump-raw, hash (wordlist_commands.cpp)
void RegisterWordListCommands(CLI::App &app);

// Thrown by a subcommand's callback to end the program with that exit code.
struct Exit {
  int code;
};

// Prints the one-line failure message to stderr and ends the program with exit code 1.
[[noreturn]] void Die(const std::string &message);

} // namespace lngtool
