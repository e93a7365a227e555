// The journal reader on arbitrary bytes: it never fails, every record it takes written again reads
// back the same, and replay onto a small project touches only entries that exist.
#include "client/core/edit_journal.h"
#include "model/release_obj.h"
#include "model/word_list.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  const vt::TJournalContents contents = vt::ParseJournal(bytes);
  std::string again = vt::FormatJournalHeader(contents.ProjectName);
  for (const vt::TJournalRecord &r : contents.Records) again += vt::FormatJournalRecord(r);
  const vt::TJournalContents reread = vt::ParseJournal(again);
  if (!reread.HeaderOk || reread.Damaged != 0 || reread.Records.size() != contents.Records.size())
    std::abort();
  for (std::size_t i = 0; i < reread.Records.size(); ++i)
    if (reread.Records[i].FullId != contents.Records[i].FullId ||
        reread.Records[i].Translation != contents.Records[i].Translation ||
        reread.Records[i].Comment != contents.Records[i].Comment)
      std::abort();

  vt::TRef<vt::TWordList> project(new vt::TWordList());
  project->AddEntry("F1", "btnOk", "TC", "OK");
  project->AddEntry("F1", "lbl", "TC", "Label");
  const vt::TReplayResult result = vt::ReplayJournal(*project, contents.ProjectName, contents);
  if (!contents.HeaderOk && !result.Refused) std::abort();
  if (!result.Refused && result.Applied + result.Missing != static_cast<int>(contents.Records.size()))
    std::abort();
  if (project->Items.Count() != 2) std::abort();
  return 0;
}
