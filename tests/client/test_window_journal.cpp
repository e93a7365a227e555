// The journal of unsaved edits in the main window: a client killed with SIGKILL after typed
// edits gives them back, byte for byte, after "Yes" at the next open; "No" sets the journal aside;
// a cut-off last line is skipped; saving, a deliberate "No" to the save question and a close
// without changes remove the journal. The killed client is a second run of this program.
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStatusBar>
#include <cstdio>

namespace vt::test {

namespace {

constexpr const char *kChildSwitch = "--type-edits-then-wait";
// The entries the killed client edits.
const char *const kEdited[] = {"TID_Form1/btnOk.TH", "TID_Form1/lblAge.TC", "TID_Form2/lblHello.TC"};

QByteArray Hex(const std::string &bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toHex();
}

void Type(QWidget *editor, const QString &text) {
  editor->setFocus();
  QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(editor, text);
}

// A character beyond the keyboard's keys arrives as a composed input, as from a compose key.
void Compose(QWidget *editor, const QString &text) {
  QInputMethodEvent event;
  event.setCommitString(text);
  QApplication::sendEvent(editor, &event);
}

} // namespace

// The killed client: opens the project, types, reports the stored values on stdout, then waits to
// be killed. Nothing is saved.
int RunEditingClient(const QString &project) {
  TTransClientFrm3 window;
  window.SetAsker(std::make_unique<TScriptedAsker>());
  window.show();
  if (!QTest::qWaitForWindowExposed(&window) || !window.OpenProjectFile(project)) return 2;
  QApplication::setActiveWindow(&window);
  if (!window.ChooseEntry(QLatin1String(kEdited[0]))) return 3;
  Type(Child<QPlainTextEdit>(window, "TntMemoLng"), QStringLiteral("Confirmar "));
  Compose(Child<QPlainTextEdit>(window, "TntMemoLng"), QStringLiteral("\u00f1"));
  QTest::keyClicks(Child<QPlainTextEdit>(window, "TntMemoLng"), QStringLiteral(" \\ [x]"));
  if (!window.ChooseEntry(QLatin1String(kEdited[1]))) return 3;
  Type(Child<QPlainTextEdit>(window, "TntMemoLng"), QStringLiteral(" a"));
  Compose(Child<QPlainTextEdit>(window, "TntMemoLng"), QStringLiteral("\u00f1"));
  QTest::keyClicks(Child<QPlainTextEdit>(window, "TntMemoLng"), QStringLiteral("os"));
  QTest::keyClick(Child<QPlainTextEdit>(window, "TntMemoLng"), Qt::Key_Return);
  QTest::keyClicks(Child<QPlainTextEdit>(window, "TntMemoLng"), QStringLiteral("second\tline"));
  Type(Child<QLineEdit>(window, "editQuery"), QStringLiteral("plural?"));
  if (!window.ChooseEntry(QLatin1String(kEdited[2]))) return 3;
  QTest::mouseClick(Child<QCheckBox>(window, "cWarning"),
                    Qt::LeftButton); // a flag alone, on the entry still current
  for (const char *id : kEdited) {
    const TWordObj *e = window.CurrentProject().FindEntry(id);
    std::printf("%s %s %s\n", id, Hex(e->Translation).constData(), Hex(e->Comment).constData());
  }
  std::printf("typed\n");
  std::fflush(stdout);
  return QApplication::exec();
}

class JournalWindowTest : public WindowTest {
protected:
  QString JournalFile() const { return PathOf(QStringLiteral("kxLng.journal")); }
  bool Exists(const QString &path) const { return QFile::exists(path); }
};

TEST_F(JournalWindowTest, EditsBeforeAKillComeBackByteForByteAfterYes) {
  const QByteArray original = ReadFile(QStringLiteral("kxLng"));
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(),
              {QLatin1String(kChildSwitch), PathOf(QStringLiteral("kxLng"))});
  QByteArray out;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        child.waitForReadyRead(50);
        out += child.readAllStandardOutput();
        return out.contains("typed\n") || child.state() == QProcess::NotRunning;
      },
      60000));
  ASSERT_TRUE(out.contains("typed\n")) << out.toStdString() << child.readAllStandardError().toStdString();
  child.kill(); // SIGKILL: no handler, no save, no clean-up
  ASSERT_TRUE(child.waitForFinished(10000));
  EXPECT_EQ(ReadFile(QStringLiteral("kxLng")), original);
  ASSERT_TRUE(Exists(JournalFile()));

  Asker->Answers = {TAsker::TAnswer::Yes};
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  ASSERT_FALSE(Asker->Questions.isEmpty());
  EXPECT_EQ(Asker->Questions.last(), QStringLiteral("Recover unsaved changes (3 entries)?"));
  EXPECT_TRUE(W->CurrentProject().Modified);
  EXPECT_TRUE(W->statusBar()->currentMessage().startsWith(QStringLiteral("Recovered ")));
  const QList<QByteArray> lines = out.split('\n');
  for (const char *id : kEdited) {
    QByteArray translation, comment;
    for (const QByteArray &line : lines)
      if (line.startsWith(QByteArray(id) + ' ')) {
        const QList<QByteArray> parts = line.split(' ');
        translation = QByteArray::fromHex(parts.value(1));
        comment = QByteArray::fromHex(parts.value(2));
      }
    const TWordObj *e = Entry(id);
    EXPECT_EQ(Hex(e->Translation), translation.toHex()) << id;
    EXPECT_EQ(Hex(e->Comment), comment.toHex()) << id;
    EXPECT_TRUE(e->Changed) << id;
  }
  EXPECT_EQ(Entry(kEdited[2])->Flags() & efWarning, efWarning);
  EXPECT_TRUE(Exists(JournalFile())); // kept until the next save

  W->SaveFile1Click();
  EXPECT_FALSE(Exists(JournalFile()));
  TRef<TWordList> saved(new TWordList);
  ASSERT_TRUE(saved->Open(PathOf(QStringLiteral("kxLng")).toStdString()));
  for (const char *id : kEdited) {
    EXPECT_EQ(saved->FindEntry(id)->Translation, Entry(id)->Translation) << id;
    EXPECT_EQ(saved->FindEntry(id)->Comment, Entry(id)->Comment) << id;
  }
}

TEST_F(JournalWindowTest, NoSetsTheJournalAsideAndACutOffLastLineIsSkipped) {
  std::string journal = FormatJournalHeader("P.kxLng");
  journal += FormatJournalRecord({"TID_Form1/btnOk.TH", "Confirmar", ""});
  journal += FormatJournalRecord({"TID_Form1/gone.TC", "x", ""});
  journal += FormatJournalRecord({"TID_Messages/none.MG", "y", ""});
  const std::string torn = FormatJournalRecord({"Messages/msgMissing.MG", "Falta", ""});
  journal += torn.substr(0, torn.size() / 2);
  WriteTestFile(JournalFile(), QByteArray::fromStdString(journal));

  Asker->Answers = {TAsker::TAnswer::No};
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  EXPECT_EQ(Asker->Questions.last(), QStringLiteral("Recover unsaved changes (3 entries)?"));
  EXPECT_FALSE(W->CurrentProject().Modified);
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH")->Translation, "");
  EXPECT_FALSE(Exists(JournalFile()));
  ASSERT_TRUE(Exists(JournalFile() + QStringLiteral(".old")));
  QFile::rename(JournalFile() + QStringLiteral(".old"), JournalFile());

  Asker->Answers = {TAsker::TAnswer::Yes};
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH")->Translation, "Confirmar");
  EXPECT_EQ(Entry("Messages/msgMissing.MG")->Translation, "");
  EXPECT_EQ(W->statusBar()->currentMessage(),
            QStringLiteral("Recovered 1 changes; skipped 2 (entry no longer exists) and 1 (damaged)"));
  EXPECT_TRUE(W->CurrentProject().Modified);
}

TEST_F(JournalWindowTest, AJournalOfAnotherProjectIsNeitherOfferedNorApplied) {
  WriteTestFile(JournalFile(),
                QByteArray::fromStdString(FormatJournalHeader("Other.kxLng") +
                                          FormatJournalRecord({"TID_Form1/btnOk.TH", "mal", ""})));
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  EXPECT_TRUE(Asker->Questions.isEmpty());
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH")->Translation, "");
  EXPECT_FALSE(W->CurrentProject().Modified);
  EXPECT_TRUE(Exists(JournalFile() + QStringLiteral(".old")));
}

TEST_F(JournalWindowTest, SavingDroppingAndClosingUnchangedRemoveTheJournal) {
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Form1/btnOk.TC")));
  EXPECT_FALSE(Exists(JournalFile())); // looking is not editing
  Type(Child<QPlainTextEdit>(*W, "TntMemoLng"), QStringLiteral("!"));
  ASSERT_TRUE(Exists(JournalFile())); // written at the end of the keystroke's command
  TJournalContents contents;
  ASSERT_TRUE(ReadJournalFile(JournalFile().toStdString(), contents));
  ASSERT_EQ(contents.Records.size(), 1u);
  EXPECT_EQ(contents.Records[0].Translation, "Aceptar!");

  W->SaveFile1Click();
  EXPECT_FALSE(Exists(JournalFile()));
  Type(Child<QPlainTextEdit>(*W, "TntMemoLng"), QStringLiteral("!"));
  EXPECT_TRUE(Exists(JournalFile()));
  Asker->Answers = {TAsker::TAnswer::No}; // "Save Changes to Current File?"
  W->CloseCurrentFile1Click();
  EXPECT_FALSE(Exists(JournalFile()));

  // Cancel keeps the project open and the journal in place.
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Form1/btnOk.TC")));
  Type(Child<QPlainTextEdit>(*W, "TntMemoLng"), QStringLiteral("?"));
  Asker->Answers = {TAsker::TAnswer::Cancel};
  W->CloseCurrentFile1Click();
  EXPECT_TRUE(Exists(JournalFile()));
  Asker->Answers = {TAsker::TAnswer::Yes};
  W->CloseCurrentFile1Click();
  EXPECT_FALSE(Exists(JournalFile()));
  EXPECT_TRUE(ReadFile(QStringLiteral("kxLng")).contains("btnOk.TC=Aceptar!?"));
}

TEST_F(JournalWindowTest, EntriesFilledFromTheSameSourceAreJournalledToo) {
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  // Form1's "OK" and Form2's "ok" share their source; Update Current copies the text across.
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Form1/btnOk.TC")));
  Type(Child<QPlainTextEdit>(*W, "TntMemoLng"), QStringLiteral(" ya"));
  QTest::keyClick(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_F5);
  ASSERT_EQ(Entry("TID_Form2/btnOk.TC")->TranslationText(), u"Aceptar ya");
  TJournalContents contents;
  ASSERT_TRUE(ReadJournalFile(JournalFile().toStdString(), contents));
  ASSERT_FALSE(contents.Records.empty());
  EXPECT_EQ(contents.Records.back().FullId, "TID_Form2/btnOk.TC");
  EXPECT_EQ(contents.Records.back().Translation, Entry("TID_Form2/btnOk.TC")->Translation);

  // Replayed onto the project as it is on disk, both entries come back.
  const QByteArray journal = ReadFile(QStringLiteral("kxLng.journal"));
  Asker->Answers = {TAsker::TAnswer::No};
  W->CloseCurrentFile1Click();
  EXPECT_FALSE(Exists(JournalFile()));
  WriteTestFile(JournalFile(), journal); // as if the program had been killed instead
  Asker->Answers = {TAsker::TAnswer::Yes};
  ASSERT_TRUE(W->OpenProjectFile(PathOf(QStringLiteral("kxLng"))));
  EXPECT_EQ(Asker->Questions.last(), QStringLiteral("Recover unsaved changes (2 entries)?"));
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->TranslationText(), u"Aceptar ya");
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->TranslationText(), u"Aceptar ya");
}

} // namespace vt::test

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::string_view(argv[1]) == vt::test::kChildSwitch) {
    QApplication app(argc, argv);
    return vt::test::RunEditingClient(QString::fromLocal8Bit(argv[2]));
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
