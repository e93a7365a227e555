// The administrator window's smaller tools as a user drives them: the layout, the black list, the
// form view, the single steps, the compression test, file comparison and the manual tree.
#include "scripted_grab_window.h"
#include "skin_fixture.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

struct TToolWindow : TScriptedGrabWindow {
  QString View() const { return Frm.Memo1->toPlainText(); }
  QString Log() const { return Frm.Memo2->toPlainText(); }
  QString BlackList() const { return Frm.BlacklistPage()->memoBL->toPlainText(); }
  // Opens the executable through "open exe" on the single-step page.
  void OpenExe(const std::string &exe) {
    Frm.ExtractPage()->FilenameExe->setText(Q(exe));
    QTest::mouseClick(Frm.SingleStepPage()->Button2, Qt::LeftButton);
  }
};

QStringList MenuTexts(QMenu *menu) {
  QStringList out;
  for (QAction *a : menu->actions())
    out << (a->isSeparator() ? QStringLiteral("-") : a->text().remove(QLatin1Char('&')));
  return out;
}

} // namespace

TEST(GrabTools, LayoutMenusAndNames) {
  TToolWindow w;
  EXPECT_FALSE(w.Frm.cViewDfm->isChecked());
  EXPECT_TRUE(w.Frm.cFilterDFM->isChecked());
  QTabWidget *pages = w.Frm.PageControl1;
  EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("Blacklist"));
  QStringList tabs;
  for (int i = 0; i < pages->count(); ++i) tabs << pages->tabText(i);
  for (const char *t : {"Extract", "Blacklist", "Build Prj", "TabSheet4"})
    EXPECT_TRUE(tabs.contains(QString::fromLatin1(t)));
  EXPECT_EQ(pages->indexOf(w.Frm.Memo1), -1); // the view is beside the pages, not one of them
  QStringList menus;
  for (QAction *a : w.Frm.menuBar()->actions()) {
    const QString title = a->text().remove(QLatin1Char('&'));
    menus << title;
    if (title == QStringLiteral("Edit")) {
      EXPECT_EQ(MenuTexts(a->menu()),
                (QStringList{QStringLiteral("Dump Dfm List"), QStringLiteral("Compare kxLng files"),
                             QStringLiteral("-"), QStringLiteral("Extract Raw Msgs")}));
    }
    if (title == QStringLiteral("CustomExtract")) {
      EXPECT_EQ(MenuTexts(a->menu()), QStringList{QStringLiteral("Extract ManualTree")});
    }
  }
  EXPECT_TRUE(menus.contains(QStringLiteral("Edit")));
  EXPECT_TRUE(menus.contains(QStringLiteral("CustomExtract")));
  EXPECT_EQ(w.Frm.SingleStepPage()->Button9->text(), QStringLiteral("msg str"));
  EXPECT_EQ(w.Frm.BlacklistPage()->Button21->text(), QStringLiteral("<-- Add ini BL to memo1 ini"));
  EXPECT_EQ(w.Frm.BuildPrjPage()->Button20->text(), QStringLiteral("compress test"));
  // Every input control has a name of its own.
  QSet<QString> names;
  for (QWidget *c : w.Frm.findChildren<QWidget *>()) {
    if (!qobject_cast<QPlainTextEdit *>(c) && !qobject_cast<QLineEdit *>(c) &&
        !qobject_cast<QListWidget *>(c))
      continue;
    EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
    EXPECT_FALSE(names.contains(c->accessibleName())) << c->accessibleName().toStdString();
    names.insert(c->accessibleName());
  }
}

TEST(GrabTools, BlackListPage) {
  TTempDir dir("uibl");
  TToolWindow w;
  w.OpenExe(TestExe("x86_64"));
  ASSERT_EQ(w.Frm.ListBox1->count(), 2);
  EXPECT_TRUE(w.Frm.cViewDfm->isChecked());
  EXPECT_EQ(w.View(), QStringLiteral("TMAINFORM\nTOPTIONSDLG"));

  auto &bl = *w.Frm.BlacklistPage();
  QTest::mouseClick(bl.SpeedButton1, Qt::LeftButton); // no selection: nothing
  EXPECT_EQ(w.BlackList(), QString());
  w.Frm.ListBox1->setCurrentRow(1);
  QTest::mouseClick(bl.SpeedButton1, Qt::LeftButton);
  EXPECT_EQ(w.BlackList(), QStringLiteral("TOPTIONSDLG"));
  bl.memoBL->appendPlainText(QStringLiteral("toptionsdlg  "));
  w.Answers << Q(dir.File("black"));
  QTest::mouseClick(bl.Button6, Qt::LeftButton);
  EXPECT_EQ(w.Captions.last(), QStringLiteral("Save List"));
  EXPECT_EQ(ReadBytes(dir.File("black.txt")), "TOPTIONSDLG\r\n");
  EXPECT_EQ(w.Frm.ExtractPage()->FilenameDfmBlacklist->text(), Q(dir.File("black.txt")));

  QTest::mouseClick(bl.Button8, Qt::LeftButton);
  EXPECT_EQ(w.BlackList(), QStringLiteral("TMAINFORM\nTOPTIONSDLG"));
  QTest::mouseClick(bl.Button5, Qt::LeftButton);
  EXPECT_EQ(w.BlackList(), QString());

  WriteBytes(dir.File("other.txt"), "TABOUTBOX\r\nTMAINFORM\r\n");
  w.Answers << Q(dir.File("other.txt"));
  QTest::mouseClick(bl.Button7, Qt::LeftButton);
  EXPECT_EQ(w.Captions.last(), QStringLiteral("Open List"));
  EXPECT_EQ(w.BlackList(), QStringLiteral("TABOUTBOX\nTMAINFORM\n"));
  EXPECT_EQ(w.Frm.ExtractPage()->FilenameDfmBlacklist->text(), Q(dir.File("other.txt")));
  // A file that cannot be read leaves the memo as it was.
  w.Answers << Q(dir.File("missing.txt"));
  bl.Button7->click();
  EXPECT_EQ(w.Errors.size(), 1);
  EXPECT_EQ(w.BlackList(), QStringLiteral("TABOUTBOX\nTMAINFORM\n"));

  // The ini merge copies the black list's values into the view's ini text.
  w.Frm.Memo1->setPlainText(QStringLiteral("[Form]\nA.VC=Old\nB.VC=Keep"));
  bl.memoBL->setPlainText(QStringLiteral("[form]\nA.VC=New\nC.VC=\n[Other]\nX=1"));
  QTest::mouseClick(bl.Button21, Qt::LeftButton);
  EXPECT_EQ(w.View(), QStringLiteral("[Form]\nA.VC=New\nB.VC=Keep\n\n[Other]\nX=1\n\n"));
}

TEST(GrabTools, FormViewAndSingleSteps) {
  TTempDir dir("uisteps");
  TToolWindow w;
  const std::string exe = dir.File("Setup.v2.exe");
  std::filesystem::copy_file(TestExe("x86_64"), exe);
  w.OpenExe(exe);
  w.Frm.cViewDfm->setChecked(false);
  w.Frm.ListBox1->setCurrentRow(1);
  w.Frm.ListBox1Click();
  EXPECT_EQ(w.View(), QStringLiteral("TMAINFORM\nTOPTIONSDLG")); // not viewing
  w.Frm.cViewDfm->setChecked(true);
  QTest::mouseClick(w.Frm.ListBox1->viewport(), Qt::LeftButton, {},
                    w.Frm.ListBox1->visualItemRect(w.Frm.ListBox1->item(1)).center());
  EXPECT_TRUE(w.View().startsWith(QStringLiteral("[OptionsDlg]\nOptionsDlg._CN=TOptionsDlg\n")));
  w.Frm.cFilterDFM->setChecked(false);
  w.Frm.ListBox1Click();
  EXPECT_TRUE(
      w.View().startsWith(QStringLiteral("object OptionsDlg: TOptionsDlg\nLeft = 10\nWidth = 400\n")));

  auto &steps = *w.Frm.SingleStepPage();
  QTest::mouseClick(steps.Button3, Qt::LeftButton);
  EXPECT_TRUE(w.View().startsWith(QStringLiteral("[OptionsDlg]\n")));
  EXPECT_TRUE(w.View().contains(QStringLiteral("btnOK.VH=Close\\nand save")));
  QTest::mouseClick(steps.Button4, Qt::LeftButton);
  EXPECT_TRUE(w.View().startsWith(QStringLiteral("OptionsDlg\n\nbtnOK\n\ncbMode\n\n")));

  QTest::mouseClick(steps.Button9, Qt::LeftButton);
  EXPECT_EQ(w.Log(), QStringLiteral("0\tHello world\n1\tHello world\n2\tHello world\n"
                                    "3\tLine one\\nLine two\\tTabbed\n4\tFile %s not found"));
  EXPECT_EQ(w.View(), QStringLiteral("Hello world\nLine one\\nLine two\\tTabbed\nFile %s not found"));
  QTest::mouseClick(steps.Button10, Qt::LeftButton);
  EXPECT_EQ(
      w.View(),
      QStringLiteral("[Messages]\nSetup.v2000_.msg=Hello world\n"
                     "Setup.v2001_.msg=Line one\\nLine two\\tTabbed\nSetup.v2002_.msg=File %s not found"));
  EXPECT_TRUE(w.Errors.isEmpty());

  // Skin steps.
  w.Frm.ExtractPage()->FilenameGUI->setText(Q(WriteSkin(dir)));
  QTest::mouseClick(steps.Button11, Qt::LeftButton);
  EXPECT_EQ(w.Frm.ListBox1->count(), 5);
  QTest::mouseClick(steps.Button12, Qt::LeftButton);
  EXPECT_EQ(w.View(), QStringLiteral("7"));
  QTest::mouseClick(steps.Button13, Qt::LeftButton);
  EXPECT_TRUE(w.View().startsWith(QStringLiteral("[Zt4_Actions]\n")));
  EXPECT_TRUE(w.View().contains(QStringLiteral("actOpen._AID=7")));
  EXPECT_FALSE(w.View().contains(QStringLiteral("actUnused")));

  // A missing executable is reported and changes nothing.
  w.Frm.ExtractPage()->FilenameExe->setText(Q(dir.File("gone.exe")));
  const QString before = w.View();
  steps.Button9->click();
  EXPECT_EQ(w.Errors.size(), 1);
  EXPECT_EQ(w.View(), before);
}

TEST(GrabTools, GeneralFileEditorAndCompressTest) {
  TTempDir dir("uifile");
  TToolWindow w;
  auto &steps = *w.Frm.SingleStepPage();
  const std::string file = dir.File("notes.ini");
  WriteBytes(file, "[S]\r\nk=caf\xE9\r\n");
  steps.FilenameGeneral->setText(Q(file));
  QTest::mouseClick(steps.Button22, Qt::LeftButton);
  EXPECT_EQ(w.View(), QStringLiteral("[S]\nk=caf\u00e9\n"));
  w.Frm.Memo1->appendPlainText(QStringLiteral("n=\u00fcber"));
  QTest::mouseClick(steps.Button23, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(file), "[S]\r\nk=caf\xE9\r\n\r\nn=\xFC"
                             "ber");
  EXPECT_EQ(ReadBytes(file + ".~bu"), "[S]\r\nk=caf\xE9\r\n");
  QTest::mouseClick(steps.Button25, Qt::LeftButton);
  QTest::mouseClick(steps.Button25, Qt::LeftButton);
  EXPECT_EQ(steps.Memo3->toPlainText(), Q(file) + QLatin1Char('\n') + Q(file));
  QTest::mouseClick(steps.Button24, Qt::LeftButton);
  EXPECT_EQ(steps.Memo3->toPlainText(), QString());

  const QString text = QStringLiteral("compress me \u00e9 ").repeated(100);
  w.Frm.Memo1->setPlainText(text);
  QTest::mouseClick(w.Frm.BuildPrjPage()->Button20, Qt::LeftButton);
  const QStringList log = w.Log().split(QLatin1Char('\n'));
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log[log.size() - 2], QString::number(text.toUtf8().size()) + QStringLiteral(" in"));
  EXPECT_TRUE(log.last().endsWith(QStringLiteral(" out")));
  EXPECT_LT(log.last().split(QLatin1Char(' ')).first().toInt(), 100);
  EXPECT_EQ(w.View(), text);
}

TEST(GrabTools, CompareFilesAndExtractRawMsgsAgree) {
  TTempDir dir("uicmp");
  TToolWindow w;
  WriteBytes(dir.File("a.kxLng"), "[S]\r\nk=1\r\n");
  WriteBytes(dir.File("b.kxLng"), "[S]\r\nk=2\r\n");
  w.Answers << Q(dir.File("a.kxLng")) << Q(dir.File("b.kxLng"));
  w.Frm.ComparekxLngfiles1->trigger();
  EXPECT_EQ(w.Captions, (QStringList{QStringLiteral("Open KxLng"), QStringLiteral("Open KxLng")}));
  const QString expected = Q(dir.File("a.kxLng")) + QLatin1Char('\n') + Q(dir.File("b.kxLng")) +
                           QStringLiteral("\n\n[S]\nk\t1\t2");
  EXPECT_EQ(w.View(), expected);
  w.Frm.Memo1->clear();
  w.Answers << Q(dir.File("a.kxLng")) << Q(dir.File("b.kxLng"));
  w.Frm.ExtractRawMsgs1->trigger();
  EXPECT_EQ(w.View(), expected);
  // Cancelling the second dialog ends the command.
  w.Frm.Memo1->setPlainText(QStringLiteral("kept"));
  w.Answers << Q(dir.File("a.kxLng"));
  w.Frm.ComparekxLngfiles1->trigger();
  EXPECT_EQ(w.View(), QStringLiteral("kept"));
}

TEST(GrabTools, ManualTreeIntoTheRawDataFile) {
  TTempDir dir("uitree");
  TToolWindow w;
  const std::string tree = dir.File("manualtree.txt"), raw = dir.File("p.rawmi");
  WriteBytes(tree, "[\r\nT=Manual\r\n<\r\nF=intro.htm\r\nT=Introduction\r\n>\r\n]\r\n");
  WriteBytes(raw, "[Form]\r\nA.VC=x\r\n");

  // No raw data file named: shown, not asked, nothing written.
  w.Answers << Q(tree);
  w.Frm.ExtractManualTree1->trigger();
  EXPECT_EQ(w.Captions.last(), QStringLiteral("Open List"));
  EXPECT_EQ(w.Starts.last(), QStringLiteral("manualtree.txt"));
  EXPECT_EQ(w.View(), QStringLiteral("[Help_Tree]\n=Manual\nintro.htm=Introduction"));
  EXPECT_TRUE(w.Questions.isEmpty());
  EXPECT_EQ(w.Log(), QStringLiteral("Error: no DstFile selected"));

  w.Frm.ExtractPage()->FilenameRawMI->setText(Q(raw));
  w.Yes = false;
  w.Answers << Q(tree);
  w.Frm.ExtractManualTree1->trigger();
  ASSERT_EQ(w.Questions.size(), 1);
  EXPECT_EQ(w.Questions[0], QStringLiteral("Update Rawmi with Help Tree?\r") + Q(raw));
  EXPECT_EQ(w.Log(), QString());
  EXPECT_EQ(ReadBytes(raw), "[Form]\r\nA.VC=x\r\n");

  w.Yes = true;
  w.Answers << Q(tree);
  w.Frm.ExtractManualTree1->trigger();
  EXPECT_EQ(w.Log(), QStringLiteral("Writing HelpTree\t") + Q(raw) + QStringLiteral("\nDone"));
  EXPECT_EQ(ReadBytes(raw), "[Form]\r\nA.VC=x\r\n\r\n[Help_Tree]\r\nintro.htm=Introduction\r\n\r\n");

  // A file without a tree asks nothing; a file too deep is an error.
  WriteBytes(tree, "]\r\n");
  w.Answers << Q(tree);
  w.Frm.ExtractManualTree1->trigger();
  EXPECT_EQ(w.Questions.size(), 2);
  std::string deep;
  for (int i = 0; i < 1000; ++i) deep += "[\n";
  WriteBytes(tree, deep);
  w.Answers << Q(tree);
  w.Frm.ExtractManualTree1->trigger();
  EXPECT_EQ(w.Questions.size(), 2);
  ASSERT_EQ(w.Errors.size(), 1);
  EXPECT_TRUE(w.Errors[0].startsWith(QStringLiteral("Manual tree nested deeper than 256 levels")));
}
