// The batch text fixes in the window, through its menu items: list commands around the current
// entry, the questions of "Clear all Translations" and "Replace Text", "Show Only GUI/App", the
// list-wide editor commands and the editor commands themselves.
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>

namespace vt::test {

class BatchWindowTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenThroughMenu();
    Asker->Inputs.push_back(QLatin1String(TTransClientFrm3::kAdminPassword));
    Trigger("AdminLogon1");
    ClickSection(QStringLiteral("[ALL]"));
  }
  void Trigger(const char *name) {
    QAction *action = Child<QAction>(*W, name);
    ASSERT_TRUE(action->isEnabled()) << name;
    action->trigger();
  }
  void Pick(const char *fullId) { ASSERT_TRUE(W->ChooseEntry(QLatin1String(fullId))) << fullId; }
  QPlainTextEdit *Memo() const { return Child<QPlainTextEdit>(*W, "TntMemoLng"); }
  void TypeAtEnd(const QString &text) {
    Memo()->setFocus();
    QTest::keyClick(Memo(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(Memo(), text);
  }
};

TEST_F(BatchWindowTest, SetQueryFlagsThenMovingOnLeavesSameSourceEntriesAlone) {
  ClickSection(QStringLiteral("TID_Form1"));
  Pick("TID_Form1/btnOk.TC"); // "OK", translated; TID_Form2's "ok", not in the list, is untranslated
  ASSERT_EQ(Child<QMenu>(*W, "Batch1")->menuAction()->isVisible(), true);
  Trigger("SetQueryFlag1");
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "[?]Aceptar");
  EXPECT_TRUE(Child<QCheckBox>(*W, "cFuzzy")->isChecked()); // the boxes show the change
  EXPECT_TRUE(W->CurrentProject().Modified);
  Trigger("Next1");
  ASSERT_NE(W->Current(), Entry("TID_Form1/btnOk.TC"));
  Pick("Messages/msgMissing.MG");
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->Translation, "");
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "[?]Aceptar");
}

TEST_F(BatchWindowTest, TheCurrentEntryKeepsACommandsChangeAfterOneKeystroke) {
  Pick("TID_Form1/lblAge.TC"); // "[!]Edad"
  Trigger("AddNumbers1");
  TWordObj *age = Entry("TID_Form1/lblAge.TC");
  const QString numbered = QString::number(age->Index) + QStringLiteral("_Edad");
  EXPECT_EQ(Memo()->toPlainText(), numbered);
  TypeAtEnd(QStringLiteral("x"));
  EXPECT_EQ(age->Translation, "[!]" + (numbered + QStringLiteral("x")).toStdString());

  Trigger("RemoveWarnings1");
  EXPECT_FALSE(Child<QCheckBox>(*W, "cWarning")->isChecked());
  QTest::mouseClick(Child<QCheckBox>(*W, "cFuzzy"), Qt::LeftButton);
  EXPECT_EQ(age->Flags(), efQuery); // the status click kept the removed warning removed
}

TEST_F(BatchWindowTest, ClearAllTranslationsAsksAndKeepsFlagLetters) {
  Pick("TID_Form1/lblName.TC");
  Asker->Answers.push_back(TAsker::TAnswer::No);
  Trigger("ClearallTranslations1");
  EXPECT_EQ(Asker->Questions.last(), QStringLiteral("Remove all Translations in List?"));
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "Aceptar");
  EXPECT_EQ(W->Current(), Entry("TID_Form1/lblName.TC"));

  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  Trigger("ClearallTranslations1");
  EXPECT_EQ(W->Current(), nullptr);
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "");
  EXPECT_EQ(Entry("TID_Form1/lblName.TC")->Translation, "[?]");
  EXPECT_EQ(Entry("TID_Form2/lblHello.TC")->Translation, "");
  EXPECT_TRUE(W->CurrentProject().Modified);
}

TEST_F(BatchWindowTest, ReplaceTextAsksTwiceAndReportsTheCount) {
  Pick("TID_Form1/btnOk.TC");
  Asker->Inputs.push_back(std::nullopt);
  Trigger("ReplaceText1");
  EXPECT_TRUE(Asker->Messages.isEmpty());

  Asker->Inputs.push_back(QStringLiteral("a"));
  Asker->Inputs.push_back(QStringLiteral("aa"));
  Trigger("ReplaceText1");
  EXPECT_EQ(Asker->Prompts.mid(Asker->Prompts.size() - 2),
            (QStringList{QStringLiteral("Replace Text:Search for text"),
                         QStringLiteral("Replace Text:Replace with")}));
  // Aceptar, Cancelar, Edad and Hola mundo held an "a"; &Nombre did not.
  EXPECT_EQ(Asker->Messages, QStringList{QStringLiteral("4 items replaced")});
  EXPECT_EQ(Memo()->toPlainText(), QStringLiteral("Aceptaar")); // the current entry's editor follows
  EXPECT_EQ(Entry("TID_Form2/lblHello.TC")->TranslationText(), u"Holaa mundo");
}

TEST_F(BatchWindowTest, ListCommandsJournalEveryEntryTheyChange) {
  Pick("Messages/msgMissing.MG"); // the current entry takes its letter too
  Trigger("SetWarning1");
  const QByteArray journal = ReadFile(QStringLiteral("kxLng.journal"));
  for (const char *id :
       {"TID_Form1/btnOk.TC", "TID_Form2/lblHello.TC", "TID_Form2/btnOk.TC", "Messages/msgMissing.MG"})
    EXPECT_TRUE(journal.contains(id)) << id;
  EXPECT_TRUE(journal.contains("[~!]Hola mundo"));
}

TEST_F(BatchWindowTest, ShowOnlyGuiThenAppEmptiesTheList) {
  auto *vt1 = Child<TVirtualTree>(*W, "vt1");
  const int all = vt1->model()->rowCount();
  const std::size_t entries = W->CurrentProject().Items.Count();
  Trigger("ShowGUI1");
  EXPECT_EQ(vt1->model()->rowCount(), all - 1); // the message is not GUI
  EXPECT_EQ(Child<QLabel>(*W, "StatusPanel0")->text(), QString::number(all - 1));
  Trigger("ShowApp1");
  EXPECT_EQ(vt1->model()->rowCount(), 0);
  EXPECT_EQ(Child<QLabel>(*W, "StatusPanel0")->text(), QStringLiteral("0"));
  EXPECT_EQ(W->CurrentProject().Items.Count(), entries);
}

TEST_F(BatchWindowTest, CapitalizeSelectedListEditsEachEntryAsTyped) {
  ClickSection(QStringLiteral("TID_Form2"));
  Entry("TID_Form2/lblHello.TC")->Translation = "hola mundo";
  Entry("TID_Form2/btnOk.TC")->Translation = "vale";
  Trigger("CaptilaizeSelected1");
  EXPECT_EQ(Entry("TID_Form2/lblHello.TC")->Translation, "Hola mundo");
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->Translation, "Vale");
  EXPECT_TRUE(Entry("TID_Form2/btnOk.TC")->Changed);
  EXPECT_TRUE(W->CurrentProject().Modified);
  // The last entry stays current; the one before was settled and its text copied to "OK" of Form1.
  EXPECT_EQ(W->Current(), Entry("TID_Form2/lblHello.TC"));
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->TranslationText(), u"Vale");
}

TEST_F(BatchWindowTest, EditorCommandsChangeTheEditorText) {
  Pick("TID_Form1/lblAge.TC");
  Memo()->setPlainText(QStringLiteral("edad\nsegunda l\u00EDnea."));
  Trigger("Capitalize1");
  EXPECT_EQ(Entry("TID_Form1/lblAge.TC")->TranslationText(), u"Edad\r\nSegunda l\u00EDnea.");
  Memo()->setPlainText(QStringLiteral("Edad\nSegunda l\u00EDnea."));
  Trigger("AddTrailing1");
  EXPECT_TRUE(Memo()->toPlainText().endsWith(QStringLiteral("l\u00EDnea....")));
  Trigger("StripTrailing1");
  Trigger("StripEOL1");
  EXPECT_EQ(Entry("TID_Form1/lblAge.TC")->TranslationText(), u"Edad\r\nSegunda l\u00EDnea");
  EXPECT_FALSE(Child<QAction>(*W, "Capitalize1")->shortcut() == QKeySequence(QStringLiteral("Ctrl+Q")));

  Pick("TID_Form1/btnCancel.TC"); // source without an ellipsis: Mirror strips
  Memo()->setPlainText(QStringLiteral("Cancelar..."));
  Trigger("MirrorTrailing1");
  EXPECT_EQ(Memo()->toPlainText(), QStringLiteral("Cancelar"));
}

TEST_F(BatchWindowTest, TestBeepsOnNonAsciiAndEmptiesACopyOfTheSource) {
  Entry("TID_Form1/lblAge.TC")->Translation = "Caf\xC3\xA9";
  Pick("TID_Form1/lblAge.TC");
  Trigger("test1");
  EXPECT_EQ(W->BeepCount(), 1);
  Entry("TID_Form1/btnCancel.TC")->Translation = "Cancel";
  Pick("TID_Form1/btnCancel.TC");
  Trigger("test1");
  EXPECT_EQ(W->BeepCount(), 1);
  EXPECT_EQ(Entry("TID_Form1/btnCancel.TC")->Translation, "");
  EXPECT_EQ(Memo()->toPlainText(), QString());
  EXPECT_TRUE(W->CurrentProject().Modified);
}

TEST_F(BatchWindowTest, SourceFixesShowInTheSourceEditor) {
  Pick("TID_Form1/lblName.TC"); // "&Name"
  Trigger("RemoveAccelerators1");
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoSrc")->toPlainText(), QStringLiteral("Name"));
  EXPECT_EQ(Entry("TID_Form1/lblName.TC")->Translation, "[?]&Nombre");
}

} // namespace vt::test
