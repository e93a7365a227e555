#include "band_fixture.h"

#include <QFile>

namespace vt::test {

void WriteBandProject(const QString &folder, const QString &base) {
  const QString stem = folder + QLatin1Char('/') + base;
  WriteTestFile(stem + QStringLiteral(".SrcLng"), "[TID_A]\nbtnOpen.TC=Open\n"
                                                  "[TID_B]\nbtnOpen.TC=&open\n"
                                                  "[TID_C]\nbtnOpen.TC=Open\n"
                                                  "[TID_D]\nbtnOpen.TC=open\n"
                                                  "[TID_E]\nbtnOpen.TC=Open\n"
                                                  "[TID_Main]\n"
                                                  "btnHot._CN=TStaticHotBtn\n"
                                                  "btnHot._Width=96\n"
                                                  "btnHot._Height=64\n"
                                                  "btnHot._ShowHint=True\n"
                                                  "btnHot._Layout=blGlyphLeft\n"
                                                  "btnHot._ToolIconSize=32\n"
                                                  "btnHot.TC=Print\n"
                                                  "btnHot.TH=Print page\n"
                                                  "btnHot.TF=Prints the page\n"
                                                  "btnFlat._CN=TStaticHotBtn\n"
                                                  "btnFlat._Width=80\n"
                                                  "btnFlat.TC=Save\n"
                                                  "btnFlat.TH=Save file\n"
                                                  "btnOdd._CN=TStaticHotBtn\n"
                                                  "btnOdd._Width=70\n"
                                                  "btnOdd._Height=50\n"
                                                  "btnOdd._ShowHint=true\n"
                                                  "btnOdd._Layout=blSideways\n"
                                                  "btnOdd._ToolIconSize=20\n"
                                                  "btnOdd.TC=Zoom\n"
                                                  "btnPair._CN=TStaticPushBtn\n"
                                                  "btnPair._Width=90\n"
                                                  "btnPair._Height=24\n"
                                                  "btnPair.THF=Load|\n"
                                                  "lblName._CN=TTntLabel\n"
                                                  "lblName._Width=120\n"
                                                  "lblName._Height=20\n"
                                                  "lblName.VC=Name\n"
                                                  "lblName.VH=Your name|The name shown to others\n"
                                                  "lblPlain.TC=Plain\n");
  WriteTestFile(stem + QStringLiteral(".kxLng"), "[_info]\nDestLng=es\n\n"
                                                 "[TID_A]\nbtnOpen.TC=Abrir\n"
                                                 "[TID_B]\nbtnOpen.TC=[~]Abrir auto\n"
                                                 "[TID_D]\nbtnOpen.TC=Abrir archivo\n"
                                                 "[TID_Main]\nbtnHot.TC=Imprimir\n");
  WriteTestFile(stem + QStringLiteral(".AutoLng"), "[TID_E]\nbtnOpen.TC=Abrir maquina\n");
}

void BandTest::SetUp() {
  WindowTest::SetUp();
  WriteBandProject(Dir.path(), QStringLiteral("P"));
  OpenThroughMenu();
  // The same-source list, the preview and the suggestions are shown with Advanced Tools.
  if (!Child<QAction>(*W, "AdvancedTools1")->isChecked()) Child<QAction>(*W, "AdvancedTools1")->trigger();
  ASSERT_TRUE(Child<TVirtualTree>(*W, "vt2")->isVisible());
  ClickSection(QStringLiteral("[ALL]"));
}

void BandTest::Pick(const char *fullId) {
  for (int row = 0; row < Child<TVirtualTree>(*W, "vt1")->model()->rowCount(); ++row)
    if (Child<TEntryListModel>(*W, "vt1Model")->Entry(row) == Entry(fullId)) {
      Child<TVirtualTree>(*W, "vt1")->scrollTo(Child<TVirtualTree>(*W, "vt1")->model()->index(row, 1));
      return ClickRow(Child<TVirtualTree>(*W, "vt1"), row);
    }
  FAIL() << "not listed: " << fullId;
}

void BandTest::WaitForSuggestions() {
  for (int i = 0; i < 100 && Child<QTimer>(*W, "Timer_Suggestions")->isActive(); ++i) QTest::qWait(10);
  ASSERT_FALSE(Child<QTimer>(*W, "Timer_Suggestions")->isActive());
}

void BandTest::PickAndSettle(const char *fullId) {
  Pick(fullId);
  WaitForSuggestions();
}

int BandTest::SuggestionRowOf(const char *section) const {
  for (int row = 0; row < Child<TVirtualTree>(*W, "vt2")->model()->rowCount(); ++row)
    if (Child<TSuggestionListModel>(*W, "vt2Model")->Entry(row)->Section() == section) return row;
  return -1;
}

} // namespace vt::test
