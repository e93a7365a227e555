// The word-list and measuring commands of the administrator menus, driven through the menus after
// the administrator logon, with the scripted dialogs.
#include "window_fixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

namespace vt::test {

class WordListsWindowTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    // Form3 repeats the source "Cancel" of Form1: the collision test finds it.
    QFile src(PathOf(QStringLiteral("SrcLng")));
    ASSERT_TRUE(src.open(QIODevice::Append));
    src.write("[TID_Form3]\nbtnNo.TC=Cancel\n");
    src.close();
    OpenThroughMenu();
    Asker->Inputs.push_back(QStringLiteral("482"));
    Child<QAction>(*W, "AdminLogon1")->trigger();
  }
  // Runs a command as the user does: from its menu, which the logon made visible.
  void Run(const char *menu, const char *action) {
    QMenu *m = Child<QMenu>(*W, menu);
    ASSERT_TRUE(m->menuAction()->isVisible()) << menu;
    QAction *a = Child<QAction>(*W, action);
    ASSERT_TRUE(m->actions().contains(a)) << action;
    ASSERT_TRUE(a->isEnabled()) << action;
    a->trigger();
  }
  QPlainTextEdit *Memo(const char *name) const { return Child<QPlainTextEdit>(*W, name); }
};

TEST_F(WordListsWindowTest, ExtractThenMergeFillsUntranslatedEntriesAndRefusesTheProjectsFiles) {
  ClickSection(QStringLiteral("[ALL]"));
  const QString list = Dir.path() + QStringLiteral("/words");
  Asker->SaveFiles.push_back(list); // typed without extension: the dialog's own is added
  Run("WordLists1", "ExtractWordList1");
  ASSERT_EQ(Asker->SaveProposals.size(), 1);
  EXPECT_EQ(Asker->SaveProposals.front(),
            QStringLiteral("Extract Translations to...||Compiled Translation (*.kxLng)|kxLng"));
  QFile words(list + QStringLiteral(".kxLng"));
  ASSERT_TRUE(words.open(QIODevice::ReadOnly));
  const QByteArray bytes = words.readAll();
  EXPECT_TRUE(bytes.startsWith("R=OK\r\nL=Aceptar\r\n\r\n")) << bytes.constData();
  EXPECT_TRUE(bytes.contains("R=Cancel\r\nL=Cancelar\r\n\r\n")); // letters dropped

  // A slip in the dialog: the project's own translation file is refused and stays as it was.
  const QByteArray translation = ReadFile(QStringLiteral("kxLng"));
  Asker->SaveFiles.push_back(PathOf(QStringLiteral("kxLng")));
  Run("WordLists1", "ExtractWordList1");
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_TRUE(Asker->Errors.front().startsWith(QStringLiteral("Unable to save file\r")));
  EXPECT_EQ(ReadFile(QStringLiteral("kxLng")), translation);

  // Of the untranslated entries only Form3's "Cancel" has a pair.
  Asker->OpenFiles.push_back(list + QStringLiteral(".kxLng"));
  W->CurrentProject().Modified = false;
  Run("WordLists1", "MergefromWordList1");
  EXPECT_EQ(Asker->Filters.back(),
            QStringLiteral("Translation File (*.kxLng);;Raw Translation "
                           "(*.SrcLng);;All Translations (*.kxLng *.SrcLng *.AutoLng)"));
  EXPECT_EQ(Entry("TID_Form3/btnNo.TC")->Translation, "Cancelar");
  EXPECT_TRUE(Entry("TID_Form3/btnNo.TC")->Changed);
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH")->Translation, ""); // no pair for "Confirm"
  EXPECT_TRUE(W->CurrentProject().Modified);               // a close asks before dropping the merge
}

TEST_F(WordListsWindowTest, TextResultsSettleTheCurrentEntryAndAreNoOriginal) {
  ClickSection(QStringLiteral("TID_Form1"));
  TVirtualTree *vt1 = Child<TVirtualTree>(*W, "vt1");
  ClickRow(vt1, RowOf(vt1, QStringLiteral("btnOk.TH")));
  ASSERT_EQ(W->Current(), Entry("TID_Form1/btnOk.TH"));
  Memo("TntMemoLng")->setFocus();
  QTest::keyClicks(Memo("TntMemoLng"), QStringLiteral("Confirmar"));

  Run("Misc1", "DumpRawStrings1");
  EXPECT_EQ(W->Current(), nullptr);
  EXPECT_TRUE(Entry("TID_Form1/btnOk.TH")->Changed); // settled before the text replaced the original
  EXPECT_EQ(Memo("TntMemoSrc")->toPlainText(),
            QStringLiteral("OK\nConfirm\nCancel\n&Name\nAge\n")); // in the list's order
  EXPECT_TRUE(Memo("TntMemoSrc")->isReadOnly());
  EXPECT_TRUE(Memo("TntMemoSrc")->isEnabled());

  // Translation commands find no entry to write the dump's translation to.
  const std::string before = Entry("TID_Form1/btnOk.TH")->Translation;
  PressKey(Memo("TntMemoSrc"), Qt::Key_T, Qt::ControlModifier);
  Child<QAction>(*W, "AutoTranslate1")->trigger();
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH")->Translation, before);
  EXPECT_TRUE(Memo("TntMemoLng")->toPlainText().isEmpty());

  // The next entry picked shows its own original again.
  ClickRow(vt1, RowOf(vt1, QStringLiteral("btnOk.TC")));
  EXPECT_EQ(Memo("TntMemoSrc")->toPlainText(), QStringLiteral("OK"));

  Run("BatchProcessing1", "WordFrequList1");
  EXPECT_EQ(Memo("TntMemoSrc")->toPlainText(),
            QStringLiteral("1\t&Name\n1\tAge\n1\tCancel\n1\tConfirm\n1\tOK\n"));
}

TEST_F(WordListsWindowTest, HashAndStatisticsReportInTheCaption) {
  Run("Misc1", "Statistics1");
  // Visible sources: OK Confirm Cancel &Name Age ok "Hello world" "File not found" Cancel;
  // translations: Aceptar [~]Cancelar [?]&Nombre [!]Edad [~]Hola mundo.
  EXPECT_EQ(W->windowTitle(), QStringLiteral("56 raw chars ,   48 lng chars"));

  ClickSection(QStringLiteral("[ALL]"));
  Asker->Inputs.push_back(QStringLiteral("0"));
  Run("Misc1", "Hash1");
  EXPECT_EQ(Asker->Prompts.back(), QStringLiteral("Enter Seed:"));
  EXPECT_EQ(Asker->Warnings, QStringList{QStringLiteral("Collision!")});
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Collision"));

  ClickSection(QStringLiteral("TID_Form1"));
  Asker->Inputs.push_back(QStringLiteral("-1"));
  Run("Misc1", "Hash1");
  EXPECT_EQ(W->windowTitle(), QStringLiteral("no collisions"));

  // A seed that is no integer ends the command with the conversion error; the caption stays.
  Asker->Inputs.push_back(QStringLiteral("abc"));
  Run("Misc1", "Hash1");
  EXPECT_EQ(W->windowTitle(), QStringLiteral("no collisions"));
  EXPECT_EQ(Asker->Warnings.size(), 1);
}

} // namespace vt::test

namespace vt::test {

TEST_F(WordListsWindowTest, RepositoryLoadTakesValuesWithTheirLettersForTheListShown) {
  const QString repo = Dir.path() + QStringLiteral("/Old.kxLng");
  WriteTestFile(repo, "[TID_Form1]\nbtnOk.TH=[?]Confirmar\nbtnOk.TC=Vale\n[TID_Form2]\nbtnOk.TC=Bien\n"
                      "[Messages]\nmsgMissing.MG=No encontrado\n");
  ClickSection(QStringLiteral("TID_Form1"));
  W->CurrentProject().Modified = false;
  Asker->OpenFiles.push_back(repo);
  Run("Batch1", "LoadfromTranslationRepository1");
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH")->Translation, "[?]Confirmar");
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "Aceptar"); // translated already
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->Translation, "");        // not in the list shown
  EXPECT_TRUE(W->CurrentProject().Modified);
  TVirtualTree *vt1 = Child<TVirtualTree>(*W, "vt1");
  EXPECT_EQ(CellText(vt1, RowOf(vt1, QStringLiteral("btnOk.TH")), 2), QStringLiteral("Confirmar"));

  // Cancel in the dialog: nothing happens.
  W->CurrentProject().Modified = false;
  Run("Batch1", "LoadfromTranslationRepository1");
  EXPECT_FALSE(W->CurrentProject().Modified);
}

} // namespace vt::test
