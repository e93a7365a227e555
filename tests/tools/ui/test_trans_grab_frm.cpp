// The administrator window as a user drives it: the Extract page's enabling rules, file selection,
// "2. Build Raw", raw scripts and the form list.
#include "scripted_grab_window.h"
#include "skin_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

struct TWindow : TScriptedGrabWindow {
  TWindow() {
    // The window opens on the black list; these tests work on the Extract page.
    Frm.PageControl1->setCurrentWidget(Frm.ExtractPage());
  }
  TExtractPage &Page() { return *Frm.ExtractPage(); }
  template <typename T> T *Find(const char *name) { return Frm.findChild<T *>(QString::fromLatin1(name)); }
};

std::string CopyExe(const TTempDir &dir, bool withTabMap) {
  const std::string exe = dir.File("Product.exe");
  std::filesystem::copy_file(TestExe("x86_64"), exe, std::filesystem::copy_options::overwrite_existing);
  if (withTabMap) WriteBytes(dir.File("Product.tabmap"), "[OptionsDlg]\r\nbtnOK.vis=LM\r\n");
  return exe;
}

} // namespace

TEST(TransGrabFrm, ExtractPageStartsAsDesignedAndChecksEnableEdits) {
  TWindow w;
  auto &p = w.Page();
  EXPECT_EQ(w.Frm.windowTitle(), QStringLiteral("TransGrabFrm"));
  EXPECT_TRUE(p.cDfmGui->isChecked());
  EXPECT_TRUE(p.cMessageStrings->isChecked());
  EXPECT_TRUE(p.cErasePrevious->isChecked());
  EXPECT_FALSE(p.cExeFilename->isChecked());
  EXPECT_EQ(p.cbVarChar->count(), 4);
  EXPECT_EQ(p.cbVarChar->currentText(), QStringLiteral("L"));
  EXPECT_FALSE(w.Find<QLineEdit>("FilenameExe")->isEnabled());
  EXPECT_FALSE(p.cDfmGui->isEnabled());
  EXPECT_FALSE(p.cbVarChar->isEnabled());

  QTest::mouseClick(p.cExeFilename, Qt::LeftButton, {}, QPoint(5, p.cExeFilename->height() / 2));
  EXPECT_TRUE(p.cExeFilename->isChecked());
  EXPECT_TRUE(w.Find<QLineEdit>("FilenameExe")->isEnabled());
  EXPECT_TRUE(p.cDfmGui->isEnabled());
  EXPECT_TRUE(p.cMessageStrings->isEnabled());
  p.cTabMap->click();
  EXPECT_TRUE(p.cbVarChar->isEnabled());
  EXPECT_TRUE(p.FilenameTabMap->isEnabled());
  p.cSkinFile->click();
  EXPECT_TRUE(p.FilenameGUI->isEnabled());
  p.cExeDfmBlackListFilename->click();
  EXPECT_TRUE(p.FilenameDfmBlacklist->isEnabled());
  p.cTabMap->click();
  EXPECT_FALSE(p.cbVarChar->isEnabled());
}

TEST(TransGrabFrm, SelectFileFillsExecutableAndTabMap) {
  TTempDir dir("uiselect");
  TWindow w;
  auto &p = w.Page();
  p.cSkinFile->setChecked(true);
  const std::string exe = CopyExe(dir, true);
  w.Answers << Q(exe);
  QTest::mouseClick(p.Button1, Qt::LeftButton);
  EXPECT_EQ(w.Captions.value(0), QStringLiteral("Select EXE File"));
  EXPECT_EQ(p.FilenameExe->text(), Q(exe));
  EXPECT_TRUE(p.cExeFilename->isChecked());
  EXPECT_EQ(p.FilenameTabMap->text(), Q(dir.File("Product.tabmap")));
  EXPECT_TRUE(p.cTabMap->isChecked());
  EXPECT_FALSE(p.cSkinFile->isChecked());
  EXPECT_FALSE(p.FilenameGUI->isEnabled());
  // Without a tab map beside it the box ends unchecked; a cancelled dialog changes nothing.
  std::filesystem::remove(dir.File("Product.tabmap"));
  w.Answers << Q(exe);
  p.Button1->click();
  EXPECT_FALSE(p.cTabMap->isChecked());
  p.Button1->click();
  EXPECT_EQ(p.FilenameExe->text(), Q(exe));
}

TEST(TransGrabFrm, BuildRawWritesFileLogAndView) {
  TTempDir dir("uibuild");
  TWindow w;
  auto &p = w.Page();
  const std::string exe = CopyExe(dir, true);
  w.Answers << Q(exe);
  p.Button1->click();
  p.cbVarChar->setCurrentIndex(2); // S hides btnOK
  // No destination yet.
  QTest::mouseClick(p.dExtractData, Qt::LeftButton);
  EXPECT_EQ(w.Frm.Memo2->toPlainText(), QStringLiteral("Error: no DstFile selected"));

  const std::string raw = dir.File("Product.rawmi");
  w.Answers << Q(dir.File("Product"));
  p.FilenameRawMI->button()->click(); // the save dialog adds the default extension
  EXPECT_EQ(p.FilenameRawMI->text(), Q(raw));
  QTest::mouseClick(p.dExtractData, Qt::LeftButton);
  const QStringList log = w.Frm.Memo2->toPlainText().split(QLatin1Char('\n'));
  EXPECT_EQ(log.value(0), QStringLiteral("Building:\t") + Q(raw));
  EXPECT_TRUE(log.contains(QStringLiteral("Using TabMap:\tS\t") + Q(dir.File("Product.tabmap"))));
  EXPECT_TRUE(log.contains(QStringLiteral("\tTabmap\tbtnOK\tLM")));
  EXPECT_TRUE(log.contains(QStringLiteral("\t5 messages extracted.")));
  EXPECT_EQ(log.value(log.size() - 1), QStringLiteral("Done"));
  EXPECT_EQ(w.Frm.Memo1->toPlainText().toUtf8().toStdString(), [&] {
    std::string s = ReadBytes(raw);
    std::string out;
    for (char c : s)
      if (c != '\r') out += c;
    return out;
  }());
  EXPECT_NE(w.Frm.Memo1->toPlainText().indexOf(QStringLiteral("btnOK._vis=x")), -1);
  ASSERT_EQ(w.Frm.ListBox1->count(), 2);
  EXPECT_EQ(w.Frm.ListBox1->item(1)->text(), QStringLiteral("TOPTIONSDLG"));
  EXPECT_TRUE(w.Errors.isEmpty());

  // Clicking a form shows it in the view only while "View Dfm" is ticked.
  const QString view = w.Frm.Memo1->toPlainText();
  w.Frm.ListBox1->setCurrentRow(1);
  w.Frm.ListBox1Click();
  EXPECT_EQ(w.Frm.Memo1->toPlainText(), view);
  w.Frm.cViewDfm->setChecked(true);
  w.Frm.cFilterDFM->setChecked(false);
  w.Frm.ListBox1Click();
  EXPECT_TRUE(
      w.Frm.Memo1->toPlainText().startsWith(QStringLiteral("object OptionsDlg: TOptionsDlg\nLeft = 10\n")));
}

TEST(TransGrabFrm, ReadErrorsEndTheRunWithAMessage) {
  TTempDir dir("uierr");
  TWindow w;
  auto &p = w.Page();
  WriteBytes(dir.File("Broken.exe"), "MZ not really");
  p.cExeFilename->setChecked(true);
  p.FilenameExe->setText(Q(dir.File("Broken.exe")));
  p.FilenameRawMI->setText(Q(dir.File("out.rawmi")));
  p.dExtractData->click();
  ASSERT_EQ(w.Errors.size(), 1);
  EXPECT_EQ(w.Errors[0], QStringLiteral("An error ocurred loading file ") + Q(dir.File("Broken.exe")) +
                             QStringLiteral(", it may not be an executable module"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.rawmi")));
  EXPECT_EQ(w.Frm.statusBar()->currentMessage(), w.Errors[0]);
}

TEST(TransGrabFrm, RawScriptsSaveAndLoadThroughTheMenu) {
  TTempDir dir("uiscript");
  TWindow w;
  auto &p = w.Page();
  p.cExeFilename->setChecked(true);
  p.FilenameExe->setText(QStringLiteral("/x/Product.exe"));
  p.cbVarChar->setCurrentIndex(3);
  p.cMessageStrings->setChecked(false);
  const QString script = Q(dir.File("a.RawScript"));
  w.Answers << script;
  w.Frm.SaveRawScriptFile1->trigger();
  EXPECT_EQ(w.Captions.value(0), QStringLiteral("Save Raw Script File "));
  const std::string text = ReadBytes(dir.File("a.RawScript"));
  EXPECT_NE(text.find("VerChar=C\r\ndoExtractEXE=1\r\ndoExtractMessages=0\r\ndoExtractDfm=1\r\n"),
            std::string::npos);

  TWindow other;
  other.Answers << script;
  other.Frm.OpenRawScriptFile1->trigger();
  EXPECT_EQ(other.Captions.value(0), QStringLiteral("Open Raw Script File (*.rawscript)"));
  auto &q = other.Page();
  EXPECT_EQ(q.FilenameExe->text(), QStringLiteral("/x/Product.exe"));
  EXPECT_TRUE(q.cExeFilename->isChecked());
  EXPECT_TRUE(q.FilenameExe->isEnabled());
  EXPECT_FALSE(q.cMessageStrings->isChecked());
  EXPECT_EQ(q.cbVarChar->currentText(), QStringLiteral("C"));

  // The letter is matched without regard to case; an unknown one leaves no selection.
  WriteBytes(dir.File("b.RawScript"), "[main]\r\nVerChar=s\r\n");
  EXPECT_TRUE(other.Frm.LoadRawScript(Q(dir.File("b.RawScript"))));
  EXPECT_EQ(q.cbVarChar->currentText(), QStringLiteral("S"));
  EXPECT_FALSE(q.cExeFilename->isChecked());
  EXPECT_FALSE(q.FilenameExe->isEnabled());
  WriteBytes(dir.File("c.RawScript"), "[main]\r\nVerChar=X\r\n");
  EXPECT_TRUE(other.Frm.LoadRawScript(Q(dir.File("c.RawScript"))));
  EXPECT_EQ(q.cbVarChar->currentIndex(), -1);
  EXPECT_FALSE(other.Frm.LoadRawScript(Q(dir.File("missing.RawScript"))));
}

TEST(TransGrabFrm, FormListHelpers) {
  TTempDir dir("uiforms");
  TWindow w;
  w.Frm.OpenExecutable(Q(TestExe("i686")));
  ASSERT_EQ(w.Frm.ListBox1->count(), 4);
  EXPECT_EQ(w.Frm.FindForm(QStringLiteral("TMAINFORM")), 1);
  EXPECT_EQ(w.Frm.FindForm(QStringLiteral("tmainform")), -1);
  auto lines = w.Frm.FormLines(1);
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->value(0), QStringLiteral("object MainForm: TMainForm"));
  EXPECT_FALSE(w.Frm.FormLines(4));
  w.Frm.LoadGuiDefinitions(Q(WriteSkin(dir)));
  EXPECT_EQ(w.Frm.ListBox1->count(), 5);
  EXPECT_EQ(w.Frm.ListBox1->item(3)->text(), QStringLiteral("Main_Tools__C.bui"));
}

TEST(TransGrabFrm, MnemonicsOfTheExtractPageAreUnique) {
  TWindow w;
  QStringList texts;
  for (auto *b : w.Page().findChildren<QAbstractButton *>()) texts << b->text();
  for (auto *l : w.Page().findChildren<QLabel *>()) texts << l->text();
  for (auto *a : w.Frm.menuBar()->actions()) texts << a->text();
  QSet<QChar> seen;
  for (const QString &t : texts) {
    const auto at = t.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= t.size()) continue;
    const QChar key = t.at(at + 1).toLower();
    EXPECT_FALSE(seen.contains(key)) << t.toStdString();
    seen.insert(key);
  }
  EXPECT_GE(seen.size(), 10);
}
