// Backups, packed projects and the System menu's project commands, driven through the window's
// menus, its backup timer handler and the scripted dialogs.
#include "window_fixture.h"

#include "client/start_options.h"
#include "support/zip_file.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <stdexcept>
#include <string>

namespace vt::test {

namespace {

const TZipTime kMoment{2026, 12, 8, 3, 15, 42};
const QString kStamp = QStringLiteral("2026_12_08 03-15-42");

std::vector<std::pair<std::string, std::string>> Members(const QString &path) {
  TZipFile zip;
  zip.LoadFromFile(path.toStdString());
  std::vector<std::pair<std::string, std::string>> out;
  for (int i = 0; i < zip.Count(); ++i) out.emplace_back(zip.Name(i), zip.GetData(i));
  return out;
}

// Notes, at each save question, whether the backup archive was there already.
class TRecordingAsker : public TScriptedAsker {
public:
  QString Watched;
  std::vector<bool> BackupAtQuestion;
  TAnswer YesNoCancel(QWidget *parent, const QString &text) override {
    BackupAtQuestion.push_back(QFile::exists(Watched));
    return TScriptedAsker::YesNoCancel(parent, text);
  }
};

} // namespace

class BackupTest : public WindowTest {
protected:
  // Components by their names, as automation finds them.
  template <class T> T *Find(const char *name) const {
    T *child = W->findChild<T *>(QLatin1String(name));
    if (!child) throw std::runtime_error(std::string("no component ") + name);
    return child;
  }
  void Trigger(const char *action) const { Find<QAction>(action)->trigger(); }
  void SetUp() override {
    WindowTest::SetUp();
    W->SetBackupClock([] { return kMoment; });
  }
  QString BackupPath() const {
    return Dir.path() + QStringLiteral("/AutoBackups/P.BU") + kStamp + QStringLiteral(".LngPrj");
  }
  // Opens the project, picks btnOk.TC of Form1 and types one character: the timer is armed.
  void EditOneEntry() {
    OpenThroughMenu();
    ClickSection(QStringLiteral("TID_Form1"));
    ClickRow(Find<TVirtualTree>("vt1"), RowOf(Find<TVirtualTree>("vt1"), QStringLiteral("btnOk.TC")));
    Find<QPlainTextEdit>("TntMemoLng")->setFocus();
    Find<QPlainTextEdit>("TntMemoLng")->moveCursor(QTextCursor::End);
    QTest::keyClicks(Find<QPlainTextEdit>("TntMemoLng"), QStringLiteral("!"));
    ASSERT_TRUE(Find<QTimer>("TimerBU")->isActive());
  }
};

TEST_F(BackupTest, BackupFileWritesTheStampedArchiveAndShowsItsPath) {
  Trigger("BackupFile1"); // no project: nothing
  EXPECT_FALSE(QDir(Dir.path() + QStringLiteral("/AutoBackups")).exists());
  OpenThroughMenu();
  Trigger("BackupFile1");
  EXPECT_TRUE(Asker->Errors.isEmpty());
  EXPECT_EQ(W->windowTitle(), QDir::toNativeSeparators(BackupPath()));
  const auto members = Members(BackupPath());
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(QString::fromStdString(members[0].first),
            QStringLiteral("P.BU") + kStamp + QStringLiteral(".SrcLng"));
  EXPECT_EQ(QString::fromStdString(members[1].first),
            QStringLiteral("P.BU") + kStamp + QStringLiteral(".kxLng"));
  EXPECT_NE(members[1].second.find("btnOk.TC=Aceptar\r\n"), std::string::npos);
}

TEST_F(BackupTest, TimerBacksUpTheTypedTextAndDisarms) {
  EditOneEntry();
  W->TimerBUTimer();
  EXPECT_FALSE(Find<QTimer>("TimerBU")->isActive());
  EXPECT_TRUE(Asker->Errors.isEmpty());
  const auto members = Members(BackupPath());
  ASSERT_EQ(members.size(), 2u);
  EXPECT_NE(members[1].second.find("btnOk.TC=Aceptar!\r\n"), std::string::npos) << "the unsaved edit";
  EXPECT_TRUE(W->CurrentProject().Modified) << "a backup is no save";
  EXPECT_EQ(ReadFile(QStringLiteral("kxLng")).indexOf("Aceptar!"), -1);
}

TEST_F(BackupTest, FailedTimedBackupSaysSoAndStaysArmed) {
  WriteTestFile(Dir.path() + QStringLiteral("/AutoBackups"), "a file in the folder's place");
  EditOneEntry();
  W->TimerBUTimer();
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_TRUE(Asker->Errors[0].startsWith(QStringLiteral("Unable to save Backupfile:\r") +
                                          QDir::toNativeSeparators(BackupPath())))
      << Asker->Errors[0].toStdString();
  EXPECT_TRUE(Find<QTimer>("TimerBU")->isActive());
  EXPECT_FALSE(W->CurrentProject().Items.Empty());
}

TEST_F(BackupTest, ClosingRunsThePendingBackupBeforeTheSaveQuestion) {
  auto asker = std::make_unique<TRecordingAsker>();
  TRecordingAsker *recording = asker.get();
  recording->Watched = BackupPath();
  Asker = recording;
  W->SetAsker(std::move(asker));
  EditOneEntry();
  recording->Answers.push_back(TAsker::TAnswer::No);
  Trigger("CloseCurrentFile1");
  ASSERT_EQ(recording->BackupAtQuestion.size(), 1u);
  EXPECT_TRUE(recording->BackupAtQuestion[0]);
  EXPECT_FALSE(Find<QTimer>("TimerBU")->isActive());
  EXPECT_TRUE(W->CurrentProject().Items.Empty());
}

TEST_F(BackupTest, ExportWritesThePackedProjectOrReportsWhyNot) {
  Trigger("ExportPackedProject1");
  EXPECT_EQ(Asker->Warnings, QStringList{QStringLiteral("No Project to Export")});
  EXPECT_TRUE(Asker->SaveProposals.isEmpty());

  OpenThroughMenu();
  Asker->SaveFiles.push_back(Dir.path() + QStringLiteral("/Shared")); // typed without extension
  Trigger("ExportPackedProject1");
  ASSERT_EQ(Asker->SaveProposals.size(), 1);
  EXPECT_EQ(Asker->SaveProposals[0], QStringLiteral("Export Packed Translation File|") + Dir.path() +
                                         QStringLiteral("/P|Language Project (*.LngPrj)|LngPrj"));
  const auto members = Members(Dir.path() + QStringLiteral("/Shared.LngPrj"));
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].first, "Shared.SrcLng");
  EXPECT_EQ(members[1].first, "Shared.kxLng");

  const QString nowhere = Dir.path() + QStringLiteral("/missing/Shared.LngPrj");
  Asker->SaveFiles.push_back(nowhere);
  Trigger("ExportPackedProject1");
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_TRUE(Asker->Errors[0].startsWith(QStringLiteral("Unable to save file\r") +
                                          QDir::toNativeSeparators(nowhere)));

  Asker->SaveFiles.push_back(std::nullopt); // Cancel
  Trigger("ExportPackedProject1");
  EXPECT_EQ(Asker->Errors.size(), 1);
}

TEST_F(BackupTest, ImportUnpacksOpensAndKeepsReplacedFiles) {
  OpenThroughMenu();
  const QString archive = Dir.path() + QStringLiteral("/Exchange.LngPrj");
  Asker->SaveFiles.push_back(archive);
  Trigger("ExportPackedProject1");
  ASSERT_TRUE(QFile::exists(archive));

  // Into a new pair: the open project is closed first, then the new one is opened.
  Asker->OpenFiles.push_back(archive);
  Asker->SaveFiles.push_back(Dir.path() + QStringLiteral("/New.SrcLng"));
  Trigger("ImportPackedProject1");
  EXPECT_TRUE(Asker->Errors.isEmpty()) << Asker->Errors.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Asker->SaveProposals.last(),
            QStringLiteral("Save Updated Source Translation File|") + Dir.path() +
                QStringLiteral("/Exchange|Source Translation (*.SrcLng)|SrcLng"));
  EXPECT_EQ(W->windowTitle(), QStringLiteral("New.kxLng"));
  EXPECT_EQ(W->CurrentProject().FileName, (Dir.path() + QStringLiteral("/New.kxLng")).toStdString());
  EXPECT_EQ(Find<TVirtualTree>("vtList")->model()->rowCount(), 4);
  EXPECT_EQ(Find<QLineEdit>("editLn")->text(), QStringLiteral("es"));

  // Over the existing pair, after Yes to replacing the sibling file: ".~bu" copies stay.
  const QByteArray oldKx = ReadFile(QStringLiteral("kxLng"));
  Asker->OpenFiles.push_back(archive);
  Asker->SaveFiles.push_back(PathOf(QStringLiteral("SrcLng")));
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  Trigger("ImportPackedProject1");
  EXPECT_EQ(W->windowTitle(), QStringLiteral("P.kxLng"));
  EXPECT_TRUE(QFile::exists(PathOf(QStringLiteral("SrcLng.~bu"))));
  EXPECT_EQ(ReadFile(QStringLiteral("kxLng.~bu")), oldKx)
      << "opening the import keeps the replaced file's copy";

  // No to replacing: nothing is written and no project is open.
  Asker->OpenFiles.push_back(archive);
  Asker->SaveFiles.push_back(PathOf(QStringLiteral("SrcLng")));
  Asker->Answers.push_back(TAsker::TAnswer::No);
  Trigger("ImportPackedProject1");
  EXPECT_TRUE(W->CurrentProject().Items.Empty());
}

TEST_F(BackupTest, ImportOfADamagedArchiveWritesNothing) {
  QByteArray bytes;
  {
    TZipFile zip;
    zip.AddFile("D.SrcLng", 0);
    zip.SetData(0, "[S]\r\nk.TC=v\r\n");
    zip.AddFile("D.kxLng", 0);
    zip.SetData(1, "[S]\r\nk.TC=w\r\n");
    const std::string b = zip.ToBytes();
    bytes = QByteArray(b.data(), static_cast<qsizetype>(b.size()));
  }
  const qsizetype dir = bytes.indexOf(QByteArray("PK\x01\x02", 4));
  bytes[dir - 1] = static_cast<char>(bytes[dir - 1] ^ 0x5A);
  const QString archive = Dir.path() + QStringLiteral("/Damaged.LngPrj");
  WriteTestFile(archive, bytes);
  Asker->OpenFiles.push_back(archive);
  Asker->SaveFiles.push_back(Dir.path() + QStringLiteral("/D.SrcLng"));
  Trigger("ImportPackedProject1");
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_TRUE(Asker->Errors[0].startsWith(QStringLiteral("Unable to Open File\r") +
                                          QDir::toNativeSeparators(archive)));
  EXPECT_TRUE(Asker->Errors[0].endsWith(QStringLiteral("CRC Error in \"D.kxLng\".")));
  EXPECT_FALSE(QFile::exists(Dir.path() + QStringLiteral("/D.SrcLng")));
  EXPECT_FALSE(QFile::exists(Dir.path() + QStringLiteral("/D.kxLng")));
}

TEST_F(BackupTest, CloneCopiesTheFilesOnDiskAndRefusesItself) {
  OpenThroughMenu();
  Asker->SaveFiles.push_back(Dir.path() + QStringLiteral("/Copy.SrcLng"));
  Trigger("CloneProjectas1");
  EXPECT_TRUE(Asker->Errors.isEmpty());
  QFile copy(Dir.path() + QStringLiteral("/Copy.kxLng"));
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), ReadFile(QStringLiteral("kxLng")));
  EXPECT_EQ(W->windowTitle(), QStringLiteral("P.kxLng")) << "the open project stays";

  Asker->SaveFiles.push_back(PathOf(QStringLiteral("SrcLng")));
  Asker->Answers.push_back(TAsker::TAnswer::Yes);
  Trigger("CloneProjectas1");
  ASSERT_EQ(Asker->Errors.size(), 1);
  EXPECT_TRUE(Asker->Errors[0].startsWith(QStringLiteral("Unable to save file\r")));
}

TEST_F(BackupTest, MergeHintsMarksTheProjectAndResaveCarriesTheMergedEntries) {
  OpenThroughMenu();
  ASSERT_NE(Entry("TID_Form1/btnOk.TH"), nullptr);
  Trigger("MergeHints1");
  EXPECT_TRUE(W->CurrentProject().Modified);
  EXPECT_EQ(Find<TVirtualTree>("vtList")->model()->rowCount(), 4);
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH"), nullptr);
  ASSERT_NE(Entry("TID_Form1/btnOk.THF"), nullptr);

  Asker->SaveFiles.push_back(Dir.path() + QStringLiteral("/Whole"));
  Trigger("ResaveEntireFiles1");
  EXPECT_TRUE(Asker->Errors.isEmpty());
  Asker->Answers.push_back(TAsker::TAnswer::No);
  Asker->OpenFiles.push_back(Dir.path() + QStringLiteral("/Whole.kxLng"));
  Trigger("OpenFile1");
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Whole.kxLng"));
  EXPECT_NE(Entry("TID_Form1/btnOk.THF"), nullptr);
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH"), nullptr);
  EXPECT_EQ(Find<QLineEdit>("editLn")->text(), QStringLiteral("es"));
}

TEST_F(BackupTest, BuildUpdatedSrcLngWritesTranslationsAsSources) {
  OpenThroughMenu();
  const QString out = Dir.path() + QStringLiteral("/Updated.SrcLng");
  Asker->SaveFiles.push_back(out);
  Trigger("BuildUpdatedSrcLng1");
  QFile file(out);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  EXPECT_TRUE(text.contains("btnOk.TC=Aceptar\r\n"));
  EXPECT_TRUE(text.contains("btnOk.TH=Confirm\r\n"));
  EXPECT_TRUE(text.contains("lblName.TC=&Nombre\r\n"));
  EXPECT_FALSE(text.contains("_?="));
}

TEST_F(BackupTest, APackedProjectGivenAtStartIsImported) {
  OpenThroughMenu();
  const QString archive = Dir.path() + QStringLiteral("/Given.LngPrj");
  Asker->SaveFiles.push_back(archive);
  Trigger("ExportPackedProject1");
  ASSERT_TRUE(QFile::exists(archive));

  // As the file manager starts it: the archive as the project argument, the target asked for.
  Asker->SaveFiles.push_back(Dir.path() + QStringLiteral("/Started.SrcLng"));
  TStartOptions options;
  options.Project = archive;
  QString error;
  EXPECT_TRUE(ApplyStartOptions(*W, options, &error)) << error.toStdString();
  EXPECT_EQ(W->CurrentProject().FileName, (Dir.path() + QStringLiteral("/Started.kxLng")).toStdString());
  EXPECT_TRUE(QFile::exists(Dir.path() + QStringLiteral("/Started.SrcLng")));

  // A missing archive is an error, as a missing project file is.
  options.Project = Dir.path() + QStringLiteral("/Missing.lngprj");
  EXPECT_FALSE(ApplyStartOptions(*W, options, &error));
  EXPECT_TRUE(error.startsWith(QStringLiteral("Unable to Open File"))) << error.toStdString();
}

} // namespace vt::test
