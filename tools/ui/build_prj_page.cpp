#include "build_prj_page.h"

#include "grab_text.h"
#include "named_button.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vt {
namespace {

QToolButton *ViewButton(QWidget *parent, const char *name, const QString &accessibleName) {
  auto *button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(QStringLiteral("?"));
  button->setAccessibleName(accessibleName);
  button->setToolTip(accessibleName);
  return button;
}

QLabel *Label(const QString &text, QWidget *buddy, QWidget *parent) {
  auto *label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

} // namespace

TBuildPrjPage::TBuildPrjPage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BuildPrj"));

  auto *texts = new QGroupBox(tr("Source texts"), this);
  texts->setObjectName(QStringLiteral("GroupBoxSourceTexts"));
  fnDstSrcLng = new TFileNameEdit(QStringLiteral("fnDstSrcLng"), tr("Dest SrcLng File to Update"), texts);
  fnSrcKxLng = new TFileNameEdit(QStringLiteral("fnSrcKxLng"), tr("Src KxLng File to use"), texts);
  Button15 = NamedButton(texts, "Button15", QStringLiteral("UpdateSrcHints"));
  Button17 = NamedButton(texts, "Button17", QStringLiteral("src <-- kx DE"));
  Button19 = NamedButton(texts, "Button19", QStringLiteral("kx msg <-- kx DE"));
  auto *textGrid = new QGridLayout(texts);
  textGrid->addWidget(Label(QStringLiteral("Dest SrcLng File to Update"), fnDstSrcLng->edit(), texts), 0, 0);
  textGrid->addWidget(fnDstSrcLng, 0, 1, 1, 3);
  textGrid->addWidget(Label(QStringLiteral("Src KxLng File to use (EN Trans)"), fnSrcKxLng->edit(), texts), 1,
                      0);
  textGrid->addWidget(fnSrcKxLng, 1, 1, 1, 3);
  textGrid->addWidget(Button15, 2, 1);
  textGrid->addWidget(Button17, 2, 2);
  textGrid->addWidget(Button19, 2, 3);
  textGrid->setColumnStretch(1, 1);

  auto *project = new QGroupBox(tr("Language project"), this);
  project->setObjectName(QStringLiteral("GroupBoxProject"));
  FilenameSrcTemplate =
      new TFileNameEdit(QStringLiteral("FilenameSrcTemplate"), tr("SrcLng Template"), project);
  SpeedButton9 = ViewButton(project, "SpeedButton9", tr("Show the template"));
  filenameDstLngFile =
      new TFileNameEdit(QStringLiteral("filenameDstLngFile"), tr("Dest SrcLng filename"), project);
  SpeedButton10 = ViewButton(project, "SpeedButton10", tr("Show the dest SrcLng file"));
  SpeedButton11 = ViewButton(project, "SpeedButton11", tr("Show the dest kxLng file"));
  cbLng = new QComboBox(project);
  cbLng->setObjectName(QStringLiteral("cbLng"));
  cbLng->setEditable(true); // any language code may be typed
  cbLng->addItems({QStringLiteral("en"), QStringLiteral("ru"), QStringLiteral("el"), QStringLiteral("fr"),
                   QStringLiteral("de"), QStringLiteral("hl"), QStringLiteral("nl"), QStringLiteral("it"),
                   QStringLiteral("pt"), QStringLiteral("zh-CN")});
  cbLng->setAccessibleName(tr("LangID"));
  cbLng->lineEdit()->setAccessibleName(tr("LangID"));
  cRebuildKxLng = new QCheckBox(QStringLiteral("Erase Previous kxLng Files"), project);
  cRebuildKxLng->setObjectName(QStringLiteral("cRebuildKxLng"));
  Button18 = NamedButton(project, "Button18", QStringLiteral("Build Lng Project"));
  dRebuildDstPrj = NamedButton(project, "dRebuildDstPrj", QStringLiteral("Rebuild Dst Prj"));
  dRebuildDstPrj->setToolTip(
      QStringLiteral("Update the Dst SrcLng and kxLng files,  to match new SrcLng template"));
  auto *grid = new QGridLayout(project);
  grid->addWidget(Label(QStringLiteral("SrcLng Template"), FilenameSrcTemplate->edit(), project), 0, 0);
  grid->addWidget(FilenameSrcTemplate, 0, 1);
  grid->addWidget(SpeedButton9, 0, 2);
  grid->addWidget(Label(QStringLiteral("Dest SrcLng filename"), filenameDstLngFile->edit(), project), 1, 0);
  grid->addWidget(filenameDstLngFile, 1, 1);
  grid->addWidget(SpeedButton10, 1, 2);
  grid->addWidget(SpeedButton11, 1, 3);
  grid->addWidget(Label(QStringLiteral("LangID"), cbLng, project), 2, 0);
  grid->addWidget(cbLng, 2, 1);
  grid->addWidget(cRebuildKxLng, 3, 1);
  grid->addWidget(Button18, 4, 0);
  grid->addWidget(dRebuildDstPrj, 4, 1);
  grid->setColumnStretch(1, 1);

  Button20 = new QPushButton(QStringLiteral("compress test"), this);
  Button20->setObjectName(QStringLiteral("Button20"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(texts);
  layout->addWidget(project);
  layout->addWidget(Button20, 0, Qt::AlignLeft);
  layout->addStretch(1);
}

TProjectOptions TBuildPrjPage::ProjectOptions() const {
  TProjectOptions o;
  o.TemplatePath = ToUtf8(FilenameSrcTemplate->text());
  o.ProjectPath = ToUtf8(filenameDstLngFile->text());
  o.Lang = ToUtf8(cbLng->currentText().trimmed());
  o.EraseKxLng = cRebuildKxLng->isChecked();
  return o;
}

} // namespace vt
