// The "Compile" page and the batch project as a user drives them: opening a batch project, the
// "Batch Process" menu, compiling one file and every extracted file, and the rebuild run.
#include "scripted_grab_window.h"
#include "support/file_io.h"
#include "test_data.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

struct TBatchWindow : TScriptedGrabWindow {
  TTempDir Dir{"batchui"};
  TBatchWindow() {
    WriteBytes(Dir.File("A.rawmi"), "[F]\r\na.VC=One\r\nb.VC=Two\r\n[Messages]\r\nA_000_.msg=File\r\n");
    WriteBytes(Dir.File("B.rawmi"), "[G]\r\nc.VC=Three\r\n");
    WriteBytes(Dir.File("Fr.kxLng"), "[_info]\r\nDestLng=fr\r\n[F]\r\na.VC=Un\r\n[G]\r\nc.VC=Trois\r\n"
                                     "[Messages]\r\nA_000_.msg=Fichier\r\n");
    WriteBytes(Dir.File("Rel.BatchPrj"), "[General]\r\nRawDst=All.rawmi\r\nDstSrcLng=En.SrcLng\r\n"
                                         "[ExtractedFiles]\r\nA.rawmi\r\nB.rawmi\r\n");
  }
  QString Text(const char *name) const {
    auto *edit = Frm.findChild<QLineEdit *>(QString::fromLatin1(name));
    return edit ? edit->text() : QStringLiteral("<none>");
  }
  void Trigger(QAction *action) {
    ASSERT_TRUE(action->isEnabled());
    action->trigger();
  }
};

} // namespace

TEST(CompileBatchUi, OpeningABatchProjectEnablesTheMenuAndSetsTheEdits) {
  TBatchWindow w;
  EXPECT_EQ(w.Frm.PageControl1->tabText(w.Frm.PageControl1->count() - 1), QStringLiteral("Compile"));
  EXPECT_FALSE(w.Frm.BatchProcess1->menuAction()->isEnabled());
  // Without a batch project "Batch Compile" refuses, and the batch runs do nothing.
  QTest::mouseClick(w.Frm.CompilePage()->Button14, Qt::LeftButton);
  EXPECT_EQ(w.Messages, QStringList{QStringLiteral("No Batch Prj Open!")});
  w.Frm.RebuildSrcLngfile1Click();
  EXPECT_TRUE(w.Questions.isEmpty());

  w.Answers << Q(w.Dir.File("Rel.BatchPrj"));
  w.Trigger(w.Frm.OpenBatchPrjFile1);
  EXPECT_EQ(w.Captions.last(), QStringLiteral("Open BatchPrj"));
  EXPECT_TRUE(w.Frm.BatchProcess1->menuAction()->isEnabled());
  EXPECT_EQ(w.Frm.statusBar()->findChild<QLabel *>(QStringLiteral("BatchPrjPath"))->text(),
            Q(w.Dir.File("Rel.BatchPrj")));
  EXPECT_TRUE(w.Frm.Memo1->toPlainText().startsWith(QStringLiteral("[General]")));
  for (const char *name : {"FilenameSrcTemplate", "FilenameDestSrcLng"})
    EXPECT_EQ(w.Text(name), Q(w.Dir.File("En.SrcLng"))) << name;

  // A second one replaces the first; the menu stays enabled.
  WriteBytes(w.Dir.File("Two.BatchPrj"), "[ExtractedFiles]\r\nB.rawmi\r\n");
  ASSERT_TRUE(w.Frm.OpenBatchProject(Q(w.Dir.File("Two.BatchPrj"))));
  EXPECT_EQ(w.Frm.BatchProject()->ExtractedFiles, std::vector<std::string>{w.Dir.File("B.rawmi")});
  EXPECT_TRUE(w.Frm.BatchProcess1->menuAction()->isEnabled());
  // An unreadable one keeps what is open.
  EXPECT_FALSE(w.Frm.OpenBatchProject(Q(w.Dir.File("none.BatchPrj"))));
  EXPECT_EQ(w.Frm.BatchProject()->FileName, w.Dir.File("Two.BatchPrj"));
}

TEST(CompileBatchUi, CompileAndBatchCompile) {
  TBatchWindow w;
  TCompilePage *page = w.Frm.CompilePage();
  w.Frm.Memo1->setPlainText(QStringLiteral("before"));
  w.Frm.SetTranslationFile(Q(w.Dir.File("Fr.kxLng")));
  EXPECT_EQ(page->FilenameEdit1->text(), Q(w.Dir.File("Fr.kxLng")));
  page->FilenameEdit5->setText(Q(w.Dir.File("A.rawmi")));
  page->FilenameEdit6->setText(Q(w.Dir.File("A.kxLng")));
  QTest::mouseClick(page->dCompile, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(w.Dir.File("A.kxLng")),
            "[_info]\r\nDestLng=fr\r\ndeflng=fr\r\n\r\n[F]\r\na.VC=Un\r\n\r\n"
            "[Messages]\r\nR=File\r\nL=Fichier\r\n\r\n");
  EXPECT_EQ(w.Frm.Memo1->toPlainText(),
            QStringLiteral("before\n\n[F]\na.VC=Un\n[Messages]\nR=File\nL=Fichier\n"));
  EXPECT_EQ(w.Frm.Memo2->toPlainText().split(QLatin1Char('\n')).first(),
            QStringLiteral("Compile: \t") + Q(w.Dir.File("A.rawmi")));

  // Batch: every listed file into the folder; the edits show the last one.
  ASSERT_TRUE(w.Frm.OpenBatchProject(Q(w.Dir.File("Rel.BatchPrj"))));
  std::filesystem::create_directories(w.Dir.File("out"));
  page->DirectoryEdit3->setText(Q(w.Dir.File("out")));
  w.Yes = false;
  QTest::mouseClick(page->Button14, Qt::LeftButton);
  EXPECT_EQ(w.Questions,
            QStringList{QStringLiteral("Compile Files to ") + Q(w.Dir.File("out")) + QLatin1Char('/')});
  EXPECT_FALSE(FileExists(w.Dir.File("out/A.kxLng")));
  w.Yes = true;
  QTest::mouseClick(page->Button14, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(w.Dir.File("out/A.kxLng")), ReadBytes(w.Dir.File("A.kxLng")));
  EXPECT_EQ(ReadBytes(w.Dir.File("out/B.kxLng")),
            "[_info]\r\nDestLng=fr\r\ndeflng=fr\r\n\r\n[G]\r\nc.VC=Trois\r\n\r\n[Messages]\r\n\r\n");
  EXPECT_EQ(page->FilenameEdit5->text(), Q(w.Dir.File("B.rawmi")));
  EXPECT_EQ(page->FilenameEdit6->text(), Q(w.Dir.File("out/B.kxLng")));
  EXPECT_FALSE(w.Frm.Memo1->toPlainText().contains(QStringLiteral("before")));
  EXPECT_TRUE(w.Frm.Memo1->toPlainText().contains(QStringLiteral("c.VC=Trois")));
}

TEST(CompileBatchUi, RebuildRunLeavesTheControlsSet) {
  TBatchWindow w;
  WriteBytes(w.Dir.File("En.kxLng"), "[F]\r\nb.VC=Deux\r\n");
  WriteBytes(w.Dir.File("Rel.BatchPrj"),
             "[General]\r\nRawDst=All.rawmi\r\nDstSrcLng=En.SrcLng\r\nRawEnLng=En.kxLng\r\n"
             "[ExtractedFiles]\r\nA.rawmi\r\nB.rawmi\r\n");
  ASSERT_TRUE(w.Frm.OpenBatchProject(Q(w.Dir.File("Rel.BatchPrj"))));
  w.Trigger(w.Frm.RebuildSrcLngfile1);
  EXPECT_EQ(w.Questions, QStringList{QStringLiteral("Rebuild SrcLng File?")});
  EXPECT_TRUE(w.Errors.isEmpty()) << w.Errors.join(QLatin1Char('\n')).toStdString();
  EXPECT_NE(ReadBytes(w.Dir.File("En.SrcLng")).find("b.VC=Deux"), std::string::npos);
  EXPECT_TRUE(w.Frm.Memo2->toPlainText().endsWith(QStringLiteral("done")));
  const std::pair<const char *, std::string> expected[] = {{"FilenameEdit3", w.Dir.File("All.rawmi")},
                                                           {"FilenameRawFile", w.Dir.File("All.rawmi")},
                                                           {"FilenameTransFile", w.Dir.File("En.kxLng")},
                                                           {"FilenameDestSrcLng", w.Dir.File("En.SrcLng")}};
  for (const auto &[name, path] : expected) EXPECT_EQ(w.Text(name), Q(path)) << name;
  EXPECT_EQ(w.Text("FilenameEdit2"), QString()); // no removal filter in this batch project
  EXPECT_TRUE(w.Frm.findChild<QCheckBox *>(QStringLiteral("cApplyEnglishTranslationFile"))->isChecked());
  EXPECT_FALSE(w.Frm.findChild<QCheckBox *>(QStringLiteral("cApplyMessageTransFile"))->isChecked());

  // "Update Dst Lng Prj": the chosen project follows the new source file, its language as the
  // page gives it.
  WriteBytes(w.Dir.File("Fr.SrcLng"), "[F]\r\na.VC=One\r\n");
  w.Answers << Q(w.Dir.File("Fr.SrcLng"));
  w.Frm.BuildPrjPage()->cbLng->setCurrentText(QStringLiteral("fr"));
  w.Trigger(w.Frm.UpdateDstLng1);
  EXPECT_EQ(w.Questions.last(), QStringLiteral("Update Prj File?\r") + Q(w.Dir.File("Fr.SrcLng")));
  EXPECT_EQ(w.Text("FilenameSrcTemplate"), Q(w.Dir.File("En.SrcLng")));
  EXPECT_EQ(w.Text("filenameDstLngFile"), Q(w.Dir.File("Fr.SrcLng")));
  EXPECT_EQ(ReadBytes(w.Dir.File("Fr.SrcLng")), ReadBytes(w.Dir.File("En.SrcLng")));
  EXPECT_EQ(ReadBytes(w.Dir.File("Fr.SrcLng.~bu")), "[F]\r\na.VC=One\r\n");
  EXPECT_NE(ReadBytes(w.Dir.File("Fr.kxLng")).find("DestLng=fr"), std::string::npos);
  EXPECT_TRUE(w.Errors.isEmpty()) << w.Errors.join(QLatin1Char('\n')).toStdString();
}

TEST(CompileBatchUi, CompilePageMnemonicsAreUniqueAndClearOfTheMenuBar) {
  TBatchWindow w;
  QStringList texts;
  for (QAction *menu : w.Frm.menuBar()->actions()) texts << menu->text();
  for (QLabel *label : w.Frm.CompilePage()->findChildren<QLabel *>()) texts << label->text();
  for (QPushButton *button : w.Frm.CompilePage()->findChildren<QPushButton *>()) texts << button->text();
  QSet<QChar> keys;
  for (const QString &text : texts) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    ASSERT_GE(at, 0) << text.toStdString();
    EXPECT_FALSE(keys.contains(text.at(at + 1).toLower())) << text.toStdString();
    keys.insert(text.at(at + 1).toLower());
  }
}
