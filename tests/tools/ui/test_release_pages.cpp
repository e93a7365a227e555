// The pages "Merge RawFiles" and "Build Prj" as a user drives them: files typed into the edits,
// buttons clicked, the files written and the memos checked.
#include "scripted_grab_window.h"
#include "test_data.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

struct TReleaseWindow : TScriptedGrabWindow {
  TMergeRawPage *M() const { return Frm.MergeRawPage(); }
  TBuildPrjPage *B() const { return Frm.BuildPrjPage(); }
  void Show(QWidget *page) { Frm.PageControl1->setCurrentWidget(page); }
  // Types a path into a file edit, as a user does.
  static void Type(TFileNameEdit *edit, const std::string &path) {
    edit->edit()->clear();
    QTest::keyClicks(edit->edit(), Q(path));
  }
  static void Click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
  QString View() const { return Frm.Memo1->toPlainText(); }
  QString Log() const { return Frm.Memo2->toPlainText(); }
};

} // namespace

TEST(ReleasePages, OrderCaptionsAndEnabling) {
  TReleaseWindow w;
  QStringList tabs;
  for (int i = 0; i < w.Frm.PageControl1->count(); ++i) tabs << w.Frm.PageControl1->tabText(i);
  const QStringList order = {QStringLiteral("Extract"), QStringLiteral("Blacklist"),
                             QStringLiteral("Merge RawFiles"), QStringLiteral("Build Prj"),
                             QStringLiteral("TabSheet4")};
  int last = -1;
  for (const QString &t : order) {
    EXPECT_GT(tabs.indexOf(t), last) << t.toStdString();
    last = tabs.indexOf(t);
  }
  EXPECT_EQ(w.M()->dMerge->text(), QStringLiteral("Add to Dst file"));
  EXPECT_EQ(w.M()->dResbuildSrcLng->text(), QStringLiteral("Rebuild SrcLng"));
  EXPECT_EQ(w.B()->Button17->text(), QStringLiteral("src <-- kx DE"));
  EXPECT_EQ(w.B()->dRebuildDstPrj->toolTip(),
            QStringLiteral("Update the Dst SrcLng and kxLng files,  to match new SrcLng template"));
  EXPECT_EQ(w.B()->cbLng->count(), 10);
  EXPECT_EQ(w.B()->cbLng->itemText(9), QStringLiteral("zh-CN"));
  EXPECT_EQ(w.B()->Button20->text(), QStringLiteral("compress test"));

  // Every control of both pages is named for screen readers, once, and reached by Tab.
  for (QWidget *page : {static_cast<QWidget *>(w.M()), static_cast<QWidget *>(w.B())}) {
    w.Show(page);
    QSet<QString> names;
    for (QWidget *c : page->findChildren<QWidget *>()) {
      const auto *button = qobject_cast<QAbstractButton *>(c);
      if (!button && !qobject_cast<QLineEdit *>(c) && !qobject_cast<QComboBox *>(c)) continue;
      if (qobject_cast<QComboBox *>(c->parentWidget())) continue; // the combo box's own edit
      const QString name = c->accessibleName().isEmpty() && button ? button->text() : c->accessibleName();
      EXPECT_FALSE(name.isEmpty()) << c->objectName().toStdString();
      EXPECT_FALSE(names.contains(name)) << name.toStdString();
      names.insert(name);
      EXPECT_TRUE(c->focusPolicy() & Qt::TabFocus) << c->objectName().toStdString();
    }
    EXPECT_GE(names.size(), 14);
  }

  w.Show(w.M());
  EXPECT_FALSE(w.M()->FilenameTransFile->isEnabled());
  EXPECT_FALSE(w.M()->FilenameTransMessages->isEnabled());
  TReleaseWindow::Click(w.M()->cApplyEnglishTranslationFile);
  EXPECT_TRUE(w.M()->FilenameTransFile->isEnabled());
  EXPECT_FALSE(w.M()->FilenameTransMessages->isEnabled());
  TReleaseWindow::Click(w.M()->cApplyMessageTransFile);
  EXPECT_TRUE(w.M()->FilenameTransMessages->isEnabled());
}

TEST(ReleasePages, MergeRemoveViewAndDelete) {
  TTempDir dir("uimerge");
  const std::string src = dir.File("skin.rawmi"), dst = dir.File("exe.rawmi"), filter = dir.File("old.ini");
  WriteBytes(src, "[Dlg]\r\nBtn.TC=Okay\r\nNew.TC=New\r\n[Messages]\r\nA_001_.msg=Two\r\n");
  WriteBytes(dst, "[Dlg]\r\nBtn.TC=OK\r\nOld.TC=Old\r\n[Messages]\r\nA_000_.msg=One\r\nA_002_.msg=One\r\n");
  WriteBytes(filter, "[Dlg]\r\nOld.TC=x\r\n");
  TReleaseWindow w;
  w.Show(w.M());
  TReleaseWindow::Type(w.M()->FilenameEdit2, src);
  TReleaseWindow::Type(w.M()->FilenameEdit3, dst);
  TReleaseWindow::Click(w.M()->dMerge);
  const std::string merged =
      "[Dlg]\r\nBtn.TC=OK\r\nOld.TC=Old\r\nNew.TC=New\r\n\r\n[Messages]\r\nA_000_.msg=One\r\n"
      "A_002_.msg=One\r\nA_001_.msg=Two\r\n\r\n";
  EXPECT_EQ(ReadBytes(dst), merged);
  EXPECT_EQ(w.View(), Q(merged).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  EXPECT_EQ(w.Log(), QStringLiteral("Dlg\tBtn.TC\tOK\nDlg\tBtn.TC\tOkay\n"));

  TReleaseWindow::Click(w.M()->SpeedButton12);
  EXPECT_EQ(w.View(), QStringLiteral("One\nTwo"));
  TReleaseWindow::Click(w.M()->SpeedButton6);
  EXPECT_EQ(w.View(), QStringLiteral("Dlg\nMessages"));

  TReleaseWindow::Type(w.M()->FilenameEdit2, filter);
  TReleaseWindow::Click(w.M()->dFilterMI);
  EXPECT_EQ(ReadBytes(dst).find("Old.TC"), std::string::npos);
  EXPECT_TRUE(w.Log().endsWith(QStringLiteral("x\tDlg\tOld.TC")));
  TReleaseWindow::Click(w.M()->SpeedButton3);
  EXPECT_EQ(w.View(), QStringLiteral("[Dlg]\nOld.TC=x\n"));

  // A missing filter: said in the log, nothing written.
  TReleaseWindow::Type(w.M()->FilenameEdit2, dir.File("none.ini"));
  const std::string before = ReadBytes(dst);
  TReleaseWindow::Click(w.M()->dFilterMI);
  EXPECT_TRUE(w.Log().endsWith(QStringLiteral("Not Found!\t") + Q(dir.File("none.ini"))));
  EXPECT_EQ(ReadBytes(dst), before);

  // "Delete DstFile" asks first; No keeps the file.
  w.Yes = false;
  TReleaseWindow::Click(w.M()->Button16);
  EXPECT_EQ(w.Questions, QStringList{QStringLiteral("Delete File?\r") + Q(dst)});
  EXPECT_TRUE(std::filesystem::exists(dst));
  w.Yes = true;
  TReleaseWindow::Click(w.M()->Button16);
  EXPECT_FALSE(std::filesystem::exists(dst));
  TReleaseWindow::Click(w.M()->Button16);
  EXPECT_EQ(w.Messages, QStringList{QStringLiteral("Not Found!\r") + Q(dst)});
  EXPECT_EQ(w.Questions.size(), 2);
  EXPECT_TRUE(w.Errors.isEmpty());
}

TEST(ReleasePages, RebuildWithEnglishTexts) {
  TTempDir dir("uirebuild");
  WriteBytes(dir.File("all.rawmi"), "[Messages]\r\nA_000_.msg=Colour\r\n[Dlg]\r\nBtn.TC=Ok\r\n");
  WriteBytes(dir.File("EN.kxLng"), "[Dlg]\r\nBtn.TC=[~]OK\r\n");
  WriteBytes(dir.File("msgs.txt"), "R=Colour\r\nL=Color\r\n");
  TReleaseWindow w;
  w.Show(w.M());
  TReleaseWindow::Type(w.M()->FilenameRawFile, dir.File("all.rawmi"));
  TReleaseWindow::Type(w.M()->FilenameDestSrcLng, dir.File("Demo.SrcLng"));
  TReleaseWindow::Click(w.M()->cApplyEnglishTranslationFile);
  TReleaseWindow::Type(w.M()->FilenameTransFile, dir.File("EN.kxLng"));
  TReleaseWindow::Click(w.M()->cApplyMessageTransFile);
  TReleaseWindow::Type(w.M()->FilenameTransMessages, dir.File("msgs.txt"));
  TReleaseWindow::Click(w.M()->dResbuildSrcLng);
  EXPECT_EQ(ReadBytes(dir.File("Demo.SrcLng")),
            "[Dlg]\r\nBtn.TC=OK\r\n\r\n[Messages]\r\nA_000_.msg=Color\r\n\r\n"
            "[_Messages]\r\nA_000_._msg=Colour\r\n\r\n");
  TReleaseWindow::Click(w.M()->SpeedButton8);
  EXPECT_TRUE(w.View().startsWith(QStringLiteral("[Dlg]\nBtn.TC=OK\n")));

  TReleaseWindow::Type(w.M()->FilenameRawFile, dir.File("gone.rawmi"));
  TReleaseWindow::Click(w.M()->dResbuildSrcLng);
  EXPECT_EQ(w.Errors, QStringList{QStringLiteral("Assertion failure (Translate\\GrabRawDlg)")});
}

TEST(ReleasePages, SourceTextsAndLanguageProjects) {
  TTempDir dir("uiproject");
  WriteBytes(dir.File("EN.SrcLng"), "[Dlg]\r\nBtn.TC=Ok\r\n[Messages]\r\nA_000_.msg=Colour\r\n");
  WriteBytes(dir.File("EN.kxLng"),
             "[Dlg]\r\nBtn.TC=[?]OK\r\nBtn.TC_?=Upper case\r\n[Messages]\r\nA_000_.msg=Color\r\n");
  TReleaseWindow w;
  w.Show(w.B());
  TReleaseWindow::Type(w.B()->fnDstSrcLng, dir.File("EN.SrcLng"));
  TReleaseWindow::Type(w.B()->fnSrcKxLng, dir.File("EN.kxLng"));
  TReleaseWindow::Click(w.B()->Button15);
  EXPECT_EQ(w.View(), QStringLiteral("Dlg\tBtn._!TC\tUpper case\n~Dlg\tBtn.TC\tOk\tOK"));
  EXPECT_EQ(ReadBytes(dir.File("EN.SrcLng.new")),
            "[Dlg]\r\nBtn.TC=OK\r\nBtn._!TC=Upper case\r\n\r\n[Messages]\r\nA_000_.msg=Colour\r\n\r\n");
  TReleaseWindow::Click(w.B()->Button17);
  EXPECT_EQ(w.Log(), QStringLiteral("~Messages\tA_000_.msg\t\tColour"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("EN.SrcLng.old")));
  EXPECT_NE(ReadBytes(dir.File("EN.SrcLng")).find("A_000_.msg=Color\r\n"), std::string::npos);

  // A new French project from the updated source, then updated to a renumbered release.
  TReleaseWindow::Type(w.B()->FilenameSrcTemplate, dir.File("EN.SrcLng"));
  TReleaseWindow::Type(w.B()->filenameDstLngFile, dir.File("FR.SrcLng"));
  w.B()->cbLng->setCurrentIndex(w.B()->cbLng->findText(QStringLiteral("fr")));
  TReleaseWindow::Click(w.B()->Button18);
  EXPECT_EQ(ReadBytes(dir.File("FR.SrcLng")), ReadBytes(dir.File("EN.SrcLng")));
  EXPECT_EQ(ReadBytes(dir.File("FR.kxLng")), "[_info]\r\nDestLng=fr\r\n\r\n");
  TReleaseWindow::Click(w.B()->SpeedButton11);
  EXPECT_EQ(w.View(), QStringLiteral("[_info]\nDestLng=fr\n\n"));

  WriteBytes(dir.File("FR.kxLng"), "[_info]\r\nDestLng=fr\r\n[Messages]\r\nA_000_.msg=Couleur\r\n");
  WriteBytes(dir.File("Next.SrcLng"),
             "[Dlg]\r\nBtn.TC=OK\r\n[Messages]\r\nA_000_.msg=New\r\nA_001_.msg=Color\r\n");
  TReleaseWindow::Type(w.B()->FilenameSrcTemplate, dir.File("Next.SrcLng"));
  TReleaseWindow::Click(w.B()->dRebuildDstPrj);
  EXPECT_EQ(ReadBytes(dir.File("FR.kxLng")),
            "[_info]\r\nDestLng=fr\r\n\r\n[Messages]\r\nA_001_.msg=Couleur\r\n\r\n");
  EXPECT_TRUE(std::filesystem::exists(dir.File("FR.kxLng.~bu")));

  // "kx msg <-- kx DE" into a project whose messages are empty.
  WriteBytes(dir.File("BE.SrcLng"), "[Messages]\r\nB_007_.msg=Color\r\n");
  TReleaseWindow::Type(w.B()->fnDstSrcLng, dir.File("BE.SrcLng"));
  TReleaseWindow::Type(w.B()->fnSrcKxLng, dir.File("FR.kxLng"));
  TReleaseWindow::Click(w.B()->Button19);
  EXPECT_EQ(ReadBytes(dir.File("BE.kxLng")), "[Messages]\r\nB_007_.msg=Couleur\r\n\r\n");

  TReleaseWindow::Type(w.B()->FilenameSrcTemplate, dir.File("Gone.SrcLng"));
  TReleaseWindow::Click(w.B()->dRebuildDstPrj);
  EXPECT_EQ(w.Errors, QStringList{QStringLiteral("Sourcefile does not exists!\r") +
                                  Q(dir.File("Gone.SrcLng")) + QStringLiteral(" (Translate\\GrabRawDlg)")});
}
