#include "list_translate.h"

namespace vt {

namespace {

// Holds "Replace ALL" off for the run and gives the session its choice back afterwards.
class TReplaceAllOff {
public:
  explicit TReplaceAllOff(TEditSession &session) : FSession(session), FWas(session.ReplaceAll()) {
    FSession.SetReplaceAll(false);
  }
  ~TReplaceAllOff() { FSession.SetReplaceAll(FWas); }
  TReplaceAllOff(const TReplaceAllOff &) = delete;
  TReplaceAllOff &operator=(const TReplaceAllOff &) = delete;

private:
  TEditSession &FSession;
  bool FWas;
};

// The machine text goes to the untranslated entries of the same source; they keep its auto mark, so
// a copy of a machine text never passes for a reviewed translation.
std::size_t CopyToUntranslated(TEditSession &session, TWordObj &entry) {
  TWordList *project = session.Project();
  if (!project || entry.TranslationText().empty()) return 0;
  TEntryList changed;
  project->ApplyToSameSource(&entry, false, &changed);
  if (changed.empty()) return 0;
  if (entry.State() == esAutoTranslated)
    for (TWordObj *copy : changed) copy->SetAutoState(esAutoTranslated);
  project->Modified = true;
  if (session.OnCopied) session.OnCopied(changed);
  return changed.size();
}

} // namespace

TListRunResult RunTranslateList(TEditSession &session, const TEntryList &rows, std::size_t first,
                                const TListRunSteps &steps) {
  TListRunResult result;
  TReplaceAllOff replaceAllOff(session);
  std::string caption;
  for (std::size_t row = first; row < rows.size(); ++row) {
    TWordObj *entry = rows[row];
    if (steps.MakeCurrent)
      steps.MakeCurrent(row, entry);
    else
      session.MakeCurrent(entry);
    // The window's selection takes its "Replace ALL" box again; the run holds it off.
    session.SetReplaceAll(false);
    caption = std::to_string(result.Rows) + ' ' + entry->FullId();
    if (steps.ShowCaption) steps.ShowCaption(caption);
    if (steps.Pump) steps.Pump();
    if (steps.Aborted && steps.Aborted()) {
      result.Aborted = true;
      break;
    }
    // Work let through by the pump may have picked another entry: the row is passed over.
    if (session.Current() == entry && entry->TranslationText().empty() && steps.Translate) {
      const TRowOutcome outcome = steps.Translate(*entry);
      if (outcome == TRowOutcome::TransportFailed) {
        result.TransportFailed = true;
        result.FailedId = entry->FullId();
        break;
      }
      if (outcome == TRowOutcome::Translated && session.Current() == entry) {
        session.SetReplaceAll(false);
        if (!entry->TranslationText().empty()) ++result.Translated;
        result.Copied += CopyToUntranslated(session, *entry);
      }
    }
    ++result.Rows;
  }
  result.FinalCaption = "Complete " + caption;
  return result;
}

TRowOutcome TranslateCurrentByService(TEditSession &session, std::u16string_view original, bool stripCaps,
                                      const std::string &target, const TCheckedTranslateFn &translate) {
  if (!session.Current()) return TRowOutcome::NoResult;
  bool unreachable = false;
  const auto ask = [&](const std::string &prepared, const std::string &language) -> std::u16string {
    if (unreachable || !translate) return {};
    TMachineReply reply = translate(prepared, language);
    if (reply.TransportFailed) unreachable = true;
    return std::move(reply.Text);
  };
  const std::vector<std::u16string> lines = AutoTranslateLines(original, stripCaps, target, ask);
  if (unreachable) return TRowOutcome::TransportFailed;
  std::u16string text;
  for (const std::u16string &line : lines) text = AppendMemoLine(text, line);
  session.TakeMachineText(text);
  return TRowOutcome::Translated;
}

} // namespace vt
