// The journal of unsaved edits in the main window: the recovery question when a project opens,
// noting each change as the commands make it, and dropping the journal when the work is saved or
// deliberately given up.
#include "path_text.h"
#include "support/file_io.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QDir>
#include <QStatusBar>
#include <QTimer>

namespace vt {

namespace {} // namespace

void TTransClientFrm3::OfferJournalRecovery() {
  // Without a translation file nothing can be saved, so there is nothing to journal either.
  if (!Project->TransIni) return;
  const std::string file = TranslationFileOf(*Project);
  const std::string path = JournalPathFor(file);
  bool keep = false;
  if (FileExists(path)) {
    TJournalContents contents;
    std::string error;
    if (!ReadJournalFile(path, contents, &error)) {
      // Unreadable (too large, no access): leave it where it is for the user or lngtool.
      statusBar()->showMessage(QStringLiteral("Unable to read the journal of unsaved changes: ") +
                                   QString::fromStdString(error),
                               15000);
      return;
    }
    const int entries = CountJournalEntries(contents);
    const bool ours = contents.HeaderOk && contents.ProjectName == ExtractFileName(file);
    if (!ours || entries == 0) {
      // Nothing this project can use; kept aside rather than deleted.
      SetJournalAside(path);
      if (!ours)
        statusBar()->showMessage(QStringLiteral("A journal of another project was set aside: ") +
                                     PathText(DeclinedJournalPath(path)),
                                 15000);
    } else if (FAsker->YesNo(this, QStringLiteral("Recover unsaved changes (%1 entries)?").arg(entries)) ==
               TAsker::TAnswer::Yes) {
      const TReplayResult result = ReplayJournal(*Project, ExtractFileName(file), contents);
      keep = true;
      QString text = QStringLiteral("Recovered %1 changes").arg(result.Applied);
      if (result.Missing + result.Damaged > 0)
        text += QStringLiteral("; skipped %1 (entry no longer exists) and %2 (damaged)")
                    .arg(result.Missing)
                    .arg(result.Damaged);
      statusBar()->showMessage(text, 15000);
      ListboxSectionsClick();
      CountSectionProgress();
    } else {
      SetJournalAside(path);
    }
  }
  FJournal.Start(file, keep);
  TimerJournal->start();
}

void TTransClientFrm3::JournalEntries(const TEntryList &entries) {
  for (const TWordObj *entry : entries) FJournal.Note(*entry);
}

void TTransClientFrm3::JournalCommandDone() {
  if (!FJournal.Active()) return;
  if (TWordObj *entry = FSession.Current()) FJournal.Note(*entry);
  std::string error;
  if (!FJournal.Flush(&error)) statusBar()->showMessage(QString::fromStdString(error), 15000);
}

void TTransClientFrm3::JournalSaved() {
  const std::string path = FJournal.Path();
  FJournal.Discard();
  if (!path.empty()) FJournal.Start(TranslationFileOf(*Project), false);
}

void TTransClientFrm3::JournalDiscard() {
  FJournal.Discard();
  TimerJournal->stop();
}

} // namespace vt
