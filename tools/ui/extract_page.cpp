#include "extract_page.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>

namespace vt {
namespace {

QString FromPath(const std::string &s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string ToPath(const QString &s) {
  return s.toUtf8().toStdString();
}

QCheckBox *Check(QWidget *parent, const char *name, const QString &caption, bool checked) {
  auto *box = new QCheckBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  return box;
}

} // namespace

TExtractPage::TExtractPage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Extract"));
  cExeFilename = Check(this, "cExeFilename", tr("Extract from &Executable file"), false);
  FilenameExe = new TFileNameEdit(QStringLiteral("FilenameExe"), tr("Executable file"), this);
  cDfmGui = Check(this, "cDfmGui", tr("Extract Form &Dfm Data"), true);
  cMessageStrings = Check(this, "cMessageStrings", tr("Extract &Message Strings"), true);
  cExeDfmBlackListFilename =
      Check(this, "cExeDfmBlackListFilename", tr("Exclude Modules (&Blacklist)"), false);
  FilenameDfmBlacklist =
      new TFileNameEdit(QStringLiteral("FilenameDfmBlacklist"), tr("Blacklist file"), this);
  cTabMap = Check(this, "cTabMap", tr("Filter using &Tabmap"), false);
  FilenameTabMap = new TFileNameEdit(QStringLiteral("FilenameTabMap"), tr("Tabmap file"), this);
  cbVarChar = new QComboBox(this);
  cbVarChar->setObjectName(QStringLiteral("cbVarChar"));
  cbVarChar->addItems({QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("S"), QStringLiteral("C")});
  cbVarChar->setCurrentIndex(0);
  auto *varLabel = new QLabel(tr("&Program Level ("), this);
  varLabel->setBuddy(cbVarChar);
  cSkinFile = Check(this, "cSkinFile", tr("Extract S&kin Data"), false);
  FilenameGUI = new TFileNameEdit(QStringLiteral("FilenameGUI"), tr("Skin file"), this);
  cErasePrevious = Check(this, "cErasePrevious", tr("Erase Pre&vious Raw Data"), true);
  FilenameRawMI = new TFileNameEdit(QStringLiteral("FilenameRawMI"), tr("Dest Raw Filename"), this);
  auto *rawLabel = new QLabel(tr("Dest &Raw Filename (*.rawmi)"), this);
  rawLabel->setBuddy(FilenameRawMI->edit());
  Button1 = new QPushButton(tr("&1. Select file.."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  dExtractData = new QPushButton(tr("&2. Build Raw"), this);
  dExtractData->setObjectName(QStringLiteral("dExtractData"));

  auto *grid = new QGridLayout(this);
  int row = 0;
  grid->addWidget(cExeFilename, row, 0);
  grid->addWidget(FilenameExe, row++, 1);
  grid->addWidget(cDfmGui, row, 0);
  grid->addWidget(cMessageStrings, row++, 1);
  grid->addWidget(cExeDfmBlackListFilename, row, 0);
  grid->addWidget(FilenameDfmBlacklist, row++, 1);
  grid->addWidget(cTabMap, row, 0);
  grid->addWidget(FilenameTabMap, row++, 1);
  grid->addWidget(varLabel, row, 0);
  grid->addWidget(cbVarChar, row++, 1);
  grid->addWidget(cSkinFile, row, 0);
  grid->addWidget(FilenameGUI, row++, 1);
  grid->addWidget(cErasePrevious, row++, 0, 1, 2);
  grid->addWidget(rawLabel, row, 0);
  grid->addWidget(FilenameRawMI, row++, 1);
  grid->addWidget(Button1, row, 0);
  grid->addWidget(dExtractData, row++, 1);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);

  for (QCheckBox *box : {cExeFilename, cExeDfmBlackListFilename, cTabMap, cSkinFile})
    connect(box, &QCheckBox::toggled, this, &TExtractPage::UpdateEnabling);
  UpdateEnabling();
}

void TExtractPage::UpdateEnabling() {
  const bool exe = cExeFilename->isChecked();
  FilenameExe->setEnabled(exe);
  cMessageStrings->setEnabled(exe);
  cDfmGui->setEnabled(exe);
  FilenameDfmBlacklist->setEnabled(cExeDfmBlackListFilename->isChecked());
  FilenameTabMap->setEnabled(cTabMap->isChecked());
  cbVarChar->setEnabled(cTabMap->isChecked());
  FilenameGUI->setEnabled(cSkinFile->isChecked());
}

TRawOptions TExtractPage::Options() const {
  TRawOptions o;
  o.ExeFilename = ToPath(FilenameExe->text());
  o.TabMapFilename = ToPath(FilenameTabMap->text());
  o.DfmBlackListFilename = ToPath(FilenameDfmBlacklist->text());
  o.GUIFilename = ToPath(FilenameGUI->text());
  o.DstFilename = ToPath(FilenameRawMI->text());
  o.VerChar = ToPath(cbVarChar->currentText());
  o.doExtractEXE = cExeFilename->isChecked();
  o.doExtractMessages = cMessageStrings->isChecked();
  o.doExtractDfm = cDfmGui->isChecked();
  o.doUseTabMap = cTabMap->isChecked();
  o.doBlacklist = cExeDfmBlackListFilename->isChecked();
  o.doSkin = cSkinFile->isChecked();
  o.ErasePrevious = cErasePrevious->isChecked();
  return o;
}

void TExtractPage::SetOptions(const TRawOptions &o) {
  FilenameExe->setText(FromPath(o.ExeFilename));
  FilenameTabMap->setText(FromPath(o.TabMapFilename));
  FilenameDfmBlacklist->setText(FromPath(o.DfmBlackListFilename));
  FilenameGUI->setText(FromPath(o.GUIFilename));
  FilenameRawMI->setText(FromPath(o.DstFilename));
  cbVarChar->setCurrentIndex(cbVarChar->findText(FromPath(o.VerChar), Qt::MatchFixedString));
  cExeFilename->setChecked(o.doExtractEXE);
  cMessageStrings->setChecked(o.doExtractMessages);
  cDfmGui->setChecked(o.doExtractDfm);
  cTabMap->setChecked(o.doUseTabMap);
  cExeDfmBlackListFilename->setChecked(o.doBlacklist);
  cSkinFile->setChecked(o.doSkin);
  UpdateEnabling();
}

} // namespace vt
