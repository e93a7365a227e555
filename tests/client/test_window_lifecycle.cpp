// Open, save and close through the window's menus and questions.
#include "client/core/project_preload.h"
#include "client/start_options.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace vt::test {

using TAnswer = TAsker::TAnswer;

TEST_F(WindowTest, OpenFromSourceFileListsSectionsAndLeavesEntryListEmpty) {
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Vantreo Translation Client 1.01"));
  OpenThroughMenu(QStringLiteral("SrcLng"));
  EXPECT_TRUE(Asker->Errors.isEmpty());
  EXPECT_EQ(W->windowTitle(), QStringLiteral("P.SrcLng"));
  ASSERT_EQ(Child<TVirtualTree>(*W, "vtList")->model()->rowCount(), 4);
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vtList"), 0, 0), QStringLiteral("[ALL]"));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vtList"), 0, 1), QStringLiteral("3 / 8"));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vtList"), 1, 0), QStringLiteral("TID_Form1"));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vtList"), 1, 1), QStringLiteral("3 / 5"));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vtList"), 2, 1), QStringLiteral("0 / 2"));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vtList"), 3, 1), QStringLiteral("0 / 1"));
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 0);
  EXPECT_EQ(Child<QLineEdit>(*W, "editLn")->text(), QStringLiteral("es"));
  EXPECT_FALSE(Child<QPlainTextEdit>(*W, "TntMemoLng")->isEnabled());
}

TEST_F(WindowTest, OpenFailureReportsPathAndLeavesAnEmptyProject) {
  OpenThroughMenu();
  const QString missing = Dir.path() + QStringLiteral("/Nothing.kxLng");
  Asker->OpenFiles.push_back(missing);
  Child<QAction>(*W, "OpenFile1")->trigger();
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_EQ(Asker->Errors[0], QStringLiteral("Unable to Open File\r") + QDir::toNativeSeparators(missing));
  EXPECT_TRUE(W->CurrentProject().Items.Empty());
  EXPECT_EQ(Child<TVirtualTree>(*W, "vtList")->model()->rowCount(), 0);
}

TEST_F(WindowTest, ProjectReadAheadAtStartIsTakenOrReportedAsAnOpenWouldBe) {
  // As main() starts: the argument list names the project, which is read before the window opens.
  auto start = [](const QString &project) {
    QByteArray program("transclient"), path = project.toLocal8Bit();
    char *argv[] = {program.data(), path.data()};
    return PreloadStartProject(2, argv);
  };
  QString error;
  TStartOptions options;
  options.Project = PathOf(QStringLiteral("kxLng"));
  auto preload = start(options.Project);
  ASSERT_TRUE(preload);
  EXPECT_EQ(preload->Path(), options.Project.toStdString());
  ASSERT_TRUE(ApplyStartOptions(*W, options, &error, preload.get())) << error.toStdString();
  EXPECT_EQ(W->windowTitle(), QStringLiteral("P.kxLng"));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vtList"), 0, 1), QStringLiteral("3 / 8"));
  EXPECT_EQ(W->CurrentProject().FileName, options.Project.toStdString());
  EXPECT_TRUE(QFile::exists(PathOf(QStringLiteral("kxLng.~bu")))); // opened for editing
  EXPECT_FALSE(preload->Take());                                   // the window has it
  ClickSection(QStringLiteral("TID_Form1"));
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 5);

  // A file that does not open says so as the window's own open does, and leaves no project.
  W->CurrentProject().Modified = false;
  const QString broken = Dir.path() + QStringLiteral("/Broken.kxLng");
  WriteTestFile(broken, QByteArray("not a project"));
  options.Project = broken;
  preload = start(broken);
  EXPECT_FALSE(ApplyStartOptions(*W, options, &error, preload.get()));
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_EQ(Asker->Errors[0], QStringLiteral("Unable to Open File\r") + QDir::toNativeSeparators(broken));
  EXPECT_TRUE(W->CurrentProject().Items.Empty());
  EXPECT_EQ(Child<TVirtualTree>(*W, "vtList")->model()->rowCount(), 0);

  // A read ahead of another file than the one opened is left alone.
  preload = start(broken);
  options.Project = PathOf(QStringLiteral("kxLng"));
  ASSERT_TRUE(ApplyStartOptions(*W, options, &error, preload.get())) << error.toStdString();
  EXPECT_EQ(W->CurrentProject().FileName, options.Project.toStdString());
  EXPECT_EQ(Asker->Errors.size(), 1);
  // Nothing to read ahead: no project, a packed one (imported with questions), or a usage error.
  EXPECT_FALSE(start(QString()));
  EXPECT_FALSE(start(Dir.path() + QStringLiteral("/P.LngPrj")));
}

TEST_F(WindowTest, CancelInOpenDialogChangesNothing) {
  OpenThroughMenu();
  Child<QAction>(*W, "OpenFile1")->trigger(); // the scripted dialog has no more answers: Cancel
  EXPECT_EQ(Child<TVirtualTree>(*W, "vtList")->model()->rowCount(), 4);
  EXPECT_TRUE(Asker->Questions.isEmpty());
}

class SaveQuestionTest : public WindowTest {
protected:
  // Opens, picks Form1's first entry and types one character.
  void EditOneEntry() {
    OpenThroughMenu();
    ClickSection(QStringLiteral("TID_Form1"));
    ClickRow(Child<TVirtualTree>(*W, "vt1"),
             RowOf(Child<TVirtualTree>(*W, "vt1"), QStringLiteral("btnOk.TC")));
    ASSERT_TRUE(Child<QPlainTextEdit>(*W, "TntMemoLng")->isEnabled());
    Child<QPlainTextEdit>(*W, "TntMemoLng")->setFocus();
    QTest::keyClick(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(Child<QPlainTextEdit>(*W, "TntMemoLng"), QStringLiteral("!"));
    ASSERT_TRUE(W->CurrentProject().Modified);
  }
};

TEST_F(SaveQuestionTest, CancelKeepsProjectEntryAndEdit) {
  EditOneEntry();
  TWordObj *current = W->Current();
  Asker->Answers = {TAnswer::Cancel};
  Child<QAction>(*W, "CloseCurrentFile1")->trigger();
  EXPECT_EQ(Asker->Questions, QStringList{QStringLiteral("Save Changes to Current File?")});
  EXPECT_TRUE(W->CurrentProject().Modified);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vtList")->model()->rowCount(), 4);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 5);
  // The edit was settled (the entry stopped being current) but not lost.
  EXPECT_EQ(current->Translation, "Aceptar!");
  EXPECT_TRUE(current->Changed);
  EXPECT_FALSE(ReadFile(QStringLiteral("kxLng")).contains("Aceptar!"));
}

TEST_F(SaveQuestionTest, NoDiscardsAndCloses) {
  EditOneEntry();
  Asker->Answers = {TAnswer::No};
  Child<QAction>(*W, "CloseCurrentFile1")->trigger();
  EXPECT_TRUE(W->CurrentProject().Items.Empty());
  EXPECT_FALSE(W->CurrentProject().Modified);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vtList")->model()->rowCount(), 0);
  // The pending backup ran first and left its archive's path in the caption.
  EXPECT_TRUE(
      W->windowTitle().startsWith(QDir::toNativeSeparators(Dir.path() + QStringLiteral("/AutoBackups/P.BU"))))
      << W->windowTitle().toStdString();
  EXPECT_FALSE(ReadFile(QStringLiteral("kxLng")).contains("Aceptar!"));
}

TEST_F(SaveQuestionTest, YesSavesThenCloses) {
  EditOneEntry();
  Asker->Answers = {TAnswer::Yes};
  Child<QAction>(*W, "CloseCurrentFile1")->trigger();
  EXPECT_TRUE(W->CurrentProject().Items.Empty());
  EXPECT_TRUE(ReadFile(QStringLiteral("kxLng")).contains("btnOk.TC=Aceptar!"));
}

TEST_F(SaveQuestionTest, OpenAnotherFileAsksAndCancelKeepsTheOldProject) {
  EditOneEntry();
  Asker->Answers = {TAnswer::Cancel};
  OpenThroughMenu(QStringLiteral("SrcLng"));
  EXPECT_EQ(Asker->Questions.size(), 1);
  EXPECT_EQ(W->windowTitle(), QStringLiteral("P.kxLng"));
  EXPECT_TRUE(W->CurrentProject().Modified);
  Asker->Answers = {TAnswer::No};
  OpenThroughMenu(QStringLiteral("SrcLng"));
  EXPECT_EQ(W->windowTitle(), QStringLiteral("P.SrcLng"));
  EXPECT_FALSE(W->CurrentProject().Modified);
  EXPECT_EQ(W->CurrentProject().FindEntry("TID_Form1/btnOk.TC")->Translation, "Aceptar");
}

TEST_F(SaveQuestionTest, ClosingTheWindowAsksAndCancelRefuses) {
  EditOneEntry();
  Asker->Answers = {TAnswer::Cancel};
  EXPECT_FALSE(W->close());
  EXPECT_TRUE(W->isVisible());
  Asker->Answers = {TAnswer::No};
  EXPECT_TRUE(W->close());
  EXPECT_EQ(Asker->Questions.size(), 2);
}

TEST_F(SaveQuestionTest, ExitWithCancelKeepsRunning) {
  EditOneEntry();
  Asker->Answers = {TAnswer::Cancel};
  Child<QAction>(*W, "Exit1")->trigger();
  EXPECT_TRUE(W->isVisible());
  Asker->Answers = {TAnswer::No};
  Child<QAction>(*W, "Exit1")->trigger();
  EXPECT_FALSE(W->isVisible());
}

TEST_F(SaveQuestionTest, SaveFileWritesAndClearsModified) {
  EditOneEntry();
  Child<QAction>(*W, "SaveFile1")->trigger();
  EXPECT_FALSE(W->CurrentProject().Modified);
  EXPECT_TRUE(ReadFile(QStringLiteral("kxLng")).contains("btnOk.TC=Aceptar!"));
  EXPECT_TRUE(Child<QPlainTextEdit>(*W, "TntMemoLng")->isEnabled()); // the current entry stays current
  EXPECT_TRUE(Asker->Questions.isEmpty());
  // Moving away settles the entry against the copy taken when it became current, so the project
  // counts as modified again; a No then keeps what was saved.
  Asker->Answers = {TAnswer::No};
  EXPECT_TRUE(W->close());
  EXPECT_TRUE(ReadFile(QStringLiteral("kxLng")).contains("btnOk.TC=Aceptar!"));
}

TEST_F(SaveQuestionTest, FailedSaveIsReportedAndKeepsTheProjectModified) {
  EditOneEntry();
  // A folder in the file's place makes the write fail.
  ASSERT_TRUE(QFile::remove(PathOf(QStringLiteral("kxLng"))));
  ASSERT_TRUE(QDir().mkpath(PathOf(QStringLiteral("kxLng")) + QStringLiteral("/x")));
  Child<QAction>(*W, "SaveFile1")->trigger();
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_TRUE(Asker->Errors[0].startsWith(QStringLiteral("Unable to save file\r")));
  EXPECT_TRUE(Asker->Errors[0].contains(QStringLiteral("P.kxLng")));
  EXPECT_TRUE(W->CurrentProject().Modified);
  // Yes in the close question with a failing save keeps the project open.
  Asker->Answers = {TAnswer::Yes};
  Child<QAction>(*W, "CloseCurrentFile1")->trigger();
  EXPECT_FALSE(W->CurrentProject().Items.Empty());
  EXPECT_TRUE(W->CurrentProject().Modified);
}

TEST_F(WindowTest, AdminLogonComparesThePasswordExactly) {
  const auto adminVisible = [&] {
    for (QAction *a : W->menuBar()->actions())
      if (a->text() == QStringLiteral("System")) return a->isVisible();
    return false;
  };
  EXPECT_FALSE(adminVisible());
  EXPECT_FALSE(Child<QLineEdit>(*W, "editLn")->isVisibleTo(W.get()));
  for (const char *wrong : {"482 ", " 482", "4820", ""}) {
    Asker->Inputs = {QString::fromLatin1(wrong)};
    Child<QAction>(*W, "AdminLogon1")->trigger();
    EXPECT_FALSE(adminVisible()) << wrong;
  }
  Asker->Inputs = {std::nullopt};
  Child<QAction>(*W, "AdminLogon1")->trigger();
  EXPECT_FALSE(adminVisible());
  EXPECT_TRUE(Asker->Errors.isEmpty());
  Asker->Inputs = {QStringLiteral("482")};
  Child<QAction>(*W, "AdminLogon1")->trigger();
  EXPECT_TRUE(adminVisible());
  EXPECT_TRUE(Child<QLineEdit>(*W, "editLn")->isVisibleTo(W.get()));
  EXPECT_TRUE(Child<QCheckBox>(*W, "cStripCaps")->isVisibleTo(W.get()));
  EXPECT_TRUE(Asker->Prompts.contains(QStringLiteral("Administrator Mode:Please enter your password")));
}

TEST_F(WindowTest, AdvancedToolsStartsOffAndTogglesTheSameSourceBand) {
  EXPECT_FALSE(Child<QAction>(*W, "AdvancedTools1")->isChecked());
  EXPECT_FALSE(Child<TVirtualTree>(*W, "vt1a")->isVisible());
  EXPECT_FALSE(Child<QWidget>(*W, "Panel1")->isVisible());
  Child<QAction>(*W, "AdvancedTools1")->trigger();
  EXPECT_TRUE(Child<TVirtualTree>(*W, "vt1a")->isVisible());
  EXPECT_TRUE(Child<QWidget>(*W, "Panel1")->isVisible());
  Child<QAction>(*W, "AdvancedTools1")->trigger();
  EXPECT_FALSE(Child<TVirtualTree>(*W, "vt1a")->isVisible());
}

TEST_F(WindowTest, AnErrorEscapingACommandGoesToTheStatusBar) {
  W->Guard("TestCommand", [] { throw std::runtime_error("disk on fire"); });
  EXPECT_TRUE(W->statusBar()->currentMessage().contains(QStringLiteral("disk on fire")));
  EXPECT_TRUE(W->statusBar()->currentMessage().contains(QStringLiteral("TestCommand")));
}

TEST_F(WindowTest, ComponentsCarryTheirNamesAndAccessibleNames) {
  for (const char *name :
       {"vtList",        "vt1",         "vt1a",     "vt2",      "TntMemoLng",     "TntMemoSrc",
        "editQuery",     "cbStatus",    "cbTypes",  "cDeDup",   "cTextfilt",      "cbSearchMethod",
        "stFilter",      "cbNavMethod", "stPrev",   "stNext",   "StaticHotBtn18", "StaticHotBtn1",
        "StaticHotBtn2", "cIsAuto",     "cFuzzy",   "cWarning", "cNeedsWork",     "stUpdate",
        "stMoveDown",    "stUndo",      "PanelTop", "PaintBox1"}) {
    auto *widget = W->findChild<QWidget *>(QLatin1String(name));
    ASSERT_NE(widget, nullptr) << name;
  }
  for (QWidget *w : std::initializer_list<QWidget *>{
           Child<TVirtualTree>(*W, "vtList"), Child<TVirtualTree>(*W, "vt1"), Child<TVirtualTree>(*W, "vt1a"),
           Child<QPlainTextEdit>(*W, "TntMemoLng"), Child<QPlainTextEdit>(*W, "TntMemoSrc"),
           Child<QLineEdit>(*W, "editQuery"), Child<TStaticHotBtn>(*W, "stUndo"),
           Child<QCheckBox>(*W, "cDeDup")})
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  for (const char *name : {"OpenFile1", "SaveFile1", "CloseCurrentFile1", "Next1", "Previous1", "Update1",
                           "Undo1", "Queried1", "Filter1"})
    EXPECT_NE(W->findChild<QAction *>(QLatin1String(name)), nullptr) << name;
}

} // namespace vt::test
