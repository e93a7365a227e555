// The WordLists menu's compile commands and "Grab Source Data..." with the real administrator
// window, and the System menu's list runs against a real mtserver and the real translator page.
#include "mtserver_window_fixture.h"
#include "tools/ui/trans_grab_frm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>

namespace vt::test {

class CompileWindowTest : public MtServerWindowTest<WindowTest> {
protected:
  // Opens the project, shows every section and focuses the row of fullId in the main list.
  void OpenAndFocus(const char *fullId) {
    OpenThroughMenu();
    ASSERT_TRUE(W->ChooseSection(QStringLiteral("[ALL]")));
    ASSERT_TRUE(W->ChooseEntry(QString::fromLatin1(fullId)));
    Child<QLineEdit>(*W, "editLn")->setText(QStringLiteral("es"));
  }
  void Trigger(const char *action) { Child<QAction>(*W, action)->trigger(); }
  QString Native(const QString &ext) const { return QDir::toNativeSeparators(PathOf(ext)); }
  std::string Stored(const char *fullId) const { return std::string(Entry(fullId)->Translation.view()); }
};

TEST_F(CompileWindowTest, GrabSourceDataHandsTheTranslationFileOfAProjectOpenedByItsSource) {
  TTransGrabFrm grab;
  W->SetGrabForm(&grab);
  OpenThroughMenu(QStringLiteral("SrcLng"));
  ASSERT_EQ(W->CurrentProject().FileName, PathOf(QStringLiteral("SrcLng")).toStdString());
  Trigger("ExtractSrcLngdata1");
  EXPECT_EQ(Child<QLineEdit>(grab, "FilenameEdit1")->text(), Native(QStringLiteral("kxLng")));
  EXPECT_TRUE(grab.isVisible());
  EXPECT_EQ(Child<QTabWidget>(grab, "PageControl1")->currentWidget()->objectName(),
            QStringLiteral("Compile"));
  grab.hide();
}

TEST_F(CompileWindowTest, CompileCommandsWriteOnlyOtherFilesAndReportWhatTheyDid) {
  OpenThroughMenu();
  ClickSection(QStringLiteral("TID_Form1"));
  const QByteArray before = ReadFile(QStringLiteral("kxLng"));
  const QString out = Dir.filePath(QStringLiteral("Final"));
  // A name without extension gets ".kxLng"; the main list's entries are compiled.
  Asker->SaveFiles.push_back(out);
  Trigger("CompileFinalkxLngFile1");
  EXPECT_TRUE(Asker->Errors.isEmpty()) << Asker->Errors.join(QLatin1Char('\n')).toStdString();
  QFile final(out + QStringLiteral(".kxLng"));
  ASSERT_TRUE(final.open(QIODevice::ReadOnly));
  EXPECT_EQ(final.readAll(), QByteArray("[TID_Form1]\r\nbtnOk.TC=Aceptar\r\nbtnCancel.TC=Cancelar\r\n"
                                        "lblName.TC=&Nombre\r\nlblAge.TC=Edad\r\n\r\n"));
  EXPECT_TRUE(Asker->SaveProposals.value(0).startsWith(QStringLiteral("Extract Translations to...|")));

  // A slip of the save dialog onto the project's own translation file is refused.
  Asker->SaveFiles.push_back(PathOf(QStringLiteral("kxLng")));
  Trigger("CompileFinalkxLngFile1");
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_EQ(ReadFile(QStringLiteral("kxLng")), before);

  // From a raw data file: the paths are shown once the file is written; a raw file that lists
  // nothing translated gives an error and no file.
  WriteTestFile(Dir.filePath(QStringLiteral("R.rawmi")), "[TID_Form2]\nlblHello.TC=Hello world\n");
  Asker->OpenFiles.push_back(Dir.filePath(QStringLiteral("R.rawmi")));
  Asker->SaveFiles.push_back(Dir.filePath(QStringLiteral("R.kxLng")));
  Trigger("CompileextractedkxLngfile1");
  EXPECT_TRUE(Asker->SaveProposals.last().contains(QStringLiteral("|R.kxLng|")));
  ASSERT_EQ(Asker->Messages.size(), 1);
  EXPECT_EQ(Asker->Messages[0], QDir::toNativeSeparators(Dir.filePath(QStringLiteral("R.rawmi"))) +
                                    QLatin1Char('\r') +
                                    QDir::toNativeSeparators(Dir.filePath(QStringLiteral("R.kxLng"))));
  QFile compiled(Dir.filePath(QStringLiteral("R.kxLng")));
  ASSERT_TRUE(compiled.open(QIODevice::ReadOnly));
  EXPECT_EQ(compiled.readAll(),
            QByteArray("[_info]\r\nDestLng=es\r\n\r\n[TID_Form2]\r\nlblHello.TC=Hola mundo\r\n\r\n"));

  WriteTestFile(Dir.filePath(QStringLiteral("R.rawmi")), "[TID_Form2]\nbtnOk.TC=ok\n");
  Asker->OpenFiles.push_back(Dir.filePath(QStringLiteral("R.rawmi")));
  Asker->SaveFiles.push_back(Dir.filePath(QStringLiteral("E.kxLng")));
  Trigger("CompileextractedkxLngfile1");
  EXPECT_EQ(Asker->Messages.size(), 1);
  EXPECT_EQ(Asker->Errors.size(), 2);
  EXPECT_FALSE(QFileInfo::exists(Dir.filePath(QStringLiteral("E.kxLng"))));
}

TEST_F(CompileWindowTest, AutoTranslateListKeepsTranslatedSameSourceEntriesWithReplaceAllChecked) {
  OpenAndFocus("TID_Form1/btnOk.TH");
  ASSERT_TRUE(Child<QCheckBox>(*W, "cReplaceAuto")->isChecked());
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  Trigger("AutoTranslateList1");
  EXPECT_EQ(Asker->Questions.value(0), QStringLiteral("Translate this List?"))
      << Asker->Questions.join(QLatin1Char('|')).toStdString() << " title " << W->windowTitle().toStdString();
  EXPECT_TRUE(Asker->Errors.isEmpty()) << Asker->Errors.join(QLatin1Char('\n')).toStdString();
  // "ok" of Form2 took a machine text; "OK" of Form1, same source apart from case, kept its own.
  EXPECT_EQ(Stored("TID_Form1/btnOk.TC"), "Aceptar");
  EXPECT_EQ(Stored("TID_Form2/btnOk.TC").rfind("[~]", 0), 0u) << Stored("TID_Form2/btnOk.TC");
  EXPECT_GT(Stored("TID_Form2/btnOk.TC").size(), 3u);
  EXPECT_EQ(Stored("TID_Form1/btnOk.TH").rfind("[~]", 0), 0u);
  EXPECT_EQ(Stored("TID_Form1/lblAge.TC"), "[!]Edad");
  EXPECT_TRUE(W->windowTitle().startsWith(QStringLiteral("Complete ")));
  EXPECT_TRUE(W->CurrentProject().Modified);
  EXPECT_TRUE(Child<QCheckBox>(*W, "cReplaceAuto")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(*W, "cReplaceAuto")->isEnabled());
  EXPECT_FALSE(W->ListRunActive());

  // Declining the question does nothing.
  W->CurrentProject().Modified = false;
  Trigger("AutoTranslateList1");
  EXPECT_FALSE(W->CurrentProject().Modified);
}

TEST_F(CompileWindowTest, AnUnreachableServiceEndsTheRunWithAMessageAndNoChange) {
  qputenv("VT_MT_HOST", "http://127.0.0.1:9");
  OpenAndFocus("TID_Form1/btnOk.TC");
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  Trigger("AutoTranslateList1");
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_TRUE(Asker->Errors[0].contains(QStringLiteral("TID_Form1/btnOk.TH")))
      << Asker->Errors[0].toStdString();
  EXPECT_EQ(Stored("TID_Form1/btnOk.TH"), "");
  EXPECT_EQ(Stored("TID_Form2/btnOk.TC"), "");
  EXPECT_FALSE(W->CurrentProject().Modified);
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Complete 1 TID_Form1/btnOk.TH"));
}

TEST_F(CompileWindowTest, EscapeOrACloseDuringARunEndsItFirst) {
  OpenAndFocus("TID_Form1/btnOk.TC");
  // Escape arrives while the run lets pending work through: the first row is the last.
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  QTimer::singleShot(0, W.get(), [this] { QTest::keyClick(Child<QWidget>(*W, "vt1"), Qt::Key_Escape); });
  Trigger("AutoTranslateList1");
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Complete 0 TID_Form1/btnOk.TC"));
  EXPECT_EQ(Stored("TID_Form1/btnOk.TH"), "");

  // "Close Current File" during the run: the run ends, then the project closes.
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Form1/btnOk.TC")));
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  bool closedDuringRun = false;
  QTimer::singleShot(0, W.get(), [this, &closedDuringRun] {
    Trigger("CloseCurrentFile1");
    closedDuringRun = W->CurrentProject().Items.Empty();
  });
  Trigger("AutoTranslateList1");
  EXPECT_FALSE(closedDuringRun);
  EXPECT_TRUE(W->CurrentProject().Items.Empty());
  EXPECT_FALSE(W->ListRunActive());
}

TEST_F(CompileWindowTest, BrowserListRunTakesThePageResultAndBoundsEachRow) {
  Dialog();
  OpenAndFocus("Messages/msgMissing.MG"); // the last row
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  QElapsedTimer clock;
  clock.start();
  Trigger("AutoGoogleTranslateList1");
  const std::string result = Stored("Messages/msgMissing.MG");
  EXPECT_FALSE(result.empty());
  EXPECT_NE(result.rfind("[~]", 0), 0u) << result; // an ordinary translation, as "Google Translate" stores it
  EXPECT_FALSE(Browser->AutoClose);
  EXPECT_LT(clock.elapsed(), 30000);

  // A page that never shows a result: the row is given up after its time limit and the run goes on.
  W->CurrentProject().FindEntry("Messages/msgMissing.MG")->Translation = "";
  Browser->TranslatorPage = Server->Url() + "/no-such-page";
  W->SetListRowLimitMs(1500);
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("Messages/msgMissing.MG")));
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  clock.restart();
  Trigger("AutoGoogleTranslateList1");
  EXPECT_EQ(Stored("Messages/msgMissing.MG"), "");
  EXPECT_GE(clock.elapsed(), 1400);
  EXPECT_LT(clock.elapsed(), 15000);
  EXPECT_FALSE(Browser->isVisible());
  Browser->TranslatorPage = Server->Url() + "/translate";
}

} // namespace vt::test
