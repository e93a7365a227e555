#pragma once
// A main window on a project made for the suggestion band and the preview: one source text in
// several sections with translations of every kind, and objects with hidden properties.
#include "window_fixture.h"

#include <QPlainTextEdit>

namespace vt::test {

// [TID_A] btnOpen.TC "Open" translated "Abrir"; [TID_B] btnOpen.TC "&open" auto "Abrir auto";
// [TID_C] btnOpen.TC "Open" untranslated; [TID_D] btnOpen.TC "open" translated "Abrir archivo";
// [TID_E] btnOpen.TC "Open" untranslated with the machine suggestion "Abrir maquina".
// [TID_Main]: hot buttons (full, without height, with odd values), a push button with a
// short/long pair whose long hint is empty, a label, a hint of two lines.
void WriteBandProject(const QString &folder, const QString &base);

class BandTest : public WindowTest {
protected:
  void SetUp() override;
  // Makes the entry current by a click on its row of the main list ("[ALL]" is shown).
  void Pick(const char *fullId);
  // Makes the entry current and lets the suggestion countdown run out.
  void PickAndSettle(const char *fullId);
  // Waits until the suggestion timer has stopped (bounded).
  void WaitForSuggestions();
  int SuggestionRowOf(const char *section) const;
};

} // namespace vt::test
