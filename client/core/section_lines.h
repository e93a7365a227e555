#pragma once
// The section holder of the main window: line 0 is "[ALL]", the others are the sections of the
// source file in file order, each with its progress counts, and at most one chosen line. It is
// plain data: nothing of it shows, so nothing of it reaches the accessibility tree.
#include "client/core/list_rules.h"

#include <string>
#include <string_view>
#include <vector>

namespace vt {

class TSectionLines {
public:
  // "[ALL]" and the given sections; no line is chosen and every count is zero.
  void Fill(const std::vector<std::string> &sections);
  void Clear();

  int Count() const { return static_cast<int>(FNames.size()); }
  const std::vector<std::string> &Names() const { return FNames; }
  // The name of a line; empty for a line that does not exist.
  std::string_view Name(int line) const;
  // The counts of a line in full, and packed (each capped at 65535).
  TSectionCounts Counts(int line) const;
  TSectionStats Stats(int line) const;
  // One value per line; a list of another length is refused.
  bool SetStats(std::vector<TSectionCounts> counts);
  bool SetStats(const std::vector<TSectionStats> &stats);

  // The chosen line, -1 for none. Choosing a line that does not exist chooses none.
  int Chosen() const { return FChosen; }
  void Choose(int line);
  // The first line with this name, or -1.
  int Find(std::string_view name) const;

private:
  std::vector<std::string> FNames;
  std::vector<TSectionCounts> FCounts;
  int FChosen = -1;
};

} // namespace vt
