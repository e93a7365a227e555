#include "merge_raw_page.h"

#include "grab_text.h"
#include "named_button.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace vt {
namespace {

QToolButton *ViewButton(QWidget *parent, const char *name, const QString &caption,
                        const QString &accessibleName) {
  auto *button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setAccessibleName(accessibleName);
  button->setToolTip(accessibleName);
  return button;
}

// A labelled file edit with its viewing buttons on one row of grid.
void AddRow(QGridLayout *grid, int row, const QString &label, TFileNameEdit *edit,
            std::initializer_list<QWidget *> buttons) {
  auto *caption = new QLabel(label, edit->parentWidget());
  caption->setBuddy(edit->edit());
  grid->addWidget(caption, row, 0);
  grid->addWidget(edit, row, 1);
  int col = 2;
  for (QWidget *b : buttons) grid->addWidget(b, row, col++);
}

} // namespace

TMergeRawPage::TMergeRawPage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MergeRawFiles"));
  auto *merge = new QGroupBox(tr("Merge"), this);
  merge->setObjectName(QStringLiteral("GroupBoxMerge"));
  FilenameEdit2 = new TFileNameEdit(QStringLiteral("FilenameEdit2"), tr("Merge this file"), merge);
  FilenameEdit3 = new TFileNameEdit(QStringLiteral("FilenameEdit3"), tr("Dest File"), merge);
  SpeedButton3 = ViewButton(merge, "SpeedButton3", QStringLiteral("<"), tr("Show the file to merge"));
  SpeedButton6 = ViewButton(merge, "SpeedButton6", QStringLiteral("ss"), tr("Sections of the file to merge"));
  SpeedButton4 = ViewButton(merge, "SpeedButton4", QStringLiteral("<"), tr("Show the dest file"));
  SpeedButton7 = ViewButton(merge, "SpeedButton7", QStringLiteral("ss"), tr("Sections of the dest file"));
  SpeedButton12 = ViewButton(merge, "SpeedButton12", QStringLiteral("Read Messages"), tr("Read Messages"));
  dMerge = NamedButton(merge, "dMerge", QStringLiteral("Add to Dst file"));
  dFilterMI = NamedButton(merge, "dFilterMI", QStringLiteral("Remove from Dst file"));
  Button16 = NamedButton(merge, "Button16", QStringLiteral("Delete DstFile"));
  auto *mergeGrid = new QGridLayout(merge);
  AddRow(mergeGrid, 0, QStringLiteral("Merge this file ..."), FilenameEdit2, {SpeedButton3, SpeedButton6});
  AddRow(mergeGrid, 1, QStringLiteral("Dest File (The file to Modify)"), FilenameEdit3,
         {SpeedButton4, SpeedButton7});
  auto *mergeButtons = new QHBoxLayout;
  for (QWidget *b : {static_cast<QWidget *>(dMerge), static_cast<QWidget *>(dFilterMI),
                     static_cast<QWidget *>(Button16), static_cast<QWidget *>(SpeedButton12)})
    mergeButtons->addWidget(b);
  mergeButtons->addStretch(1);
  mergeGrid->addLayout(mergeButtons, 2, 0, 1, 4);
  mergeGrid->setColumnStretch(1, 1);

  auto *rebuild = new QGroupBox(tr("Rebuild SrcLng"), this);
  rebuild->setObjectName(QStringLiteral("GroupBoxRebuild"));
  FilenameRawFile = new TFileNameEdit(QStringLiteral("FilenameRawFile"), tr("Raw Filename"), rebuild);
  SpeedButton2 = ViewButton(rebuild, "SpeedButton2", QStringLiteral("?"), tr("Show the raw file"));
  cApplyEnglishTranslationFile = new QCheckBox(QStringLiteral("Apply English Translation File"), rebuild);
  cApplyEnglishTranslationFile->setObjectName(QStringLiteral("cApplyEnglishTranslationFile"));
  FilenameTransFile =
      new TFileNameEdit(QStringLiteral("FilenameTransFile"), tr("English translation file"), rebuild);
  SpeedButton5 =
      ViewButton(rebuild, "SpeedButton5", QStringLiteral("?"), tr("Show the English translation file"));
  cApplyMessageTransFile = new QCheckBox(QStringLiteral("Apply English Translation File"), rebuild);
  cApplyMessageTransFile->setObjectName(QStringLiteral("cApplyMessageTransFile"));
  // Both boxes carry one caption; the message list's box needs a name of its own.
  cApplyMessageTransFile->setAccessibleName(tr("Apply English message corrections"));
  FilenameTransMessages =
      new TFileNameEdit(QStringLiteral("FilenameTransMessages"), tr("English message corrections"), rebuild);
  SpeedButton13 = ViewButton(rebuild, "SpeedButton13", QStringLiteral("?"),
                             tr("Show the English translation file again"));
  FilenameDestSrcLng =
      new TFileNameEdit(QStringLiteral("FilenameDestSrcLng"), tr("Dest Project File (SrcLng)"), rebuild);
  SpeedButton8 = ViewButton(rebuild, "SpeedButton8", QStringLiteral("?"), tr("Show the dest project file"));
  dResbuildSrcLng = NamedButton(rebuild, "dResbuildSrcLng", QStringLiteral("Rebuild SrcLng"));
  auto *grid = new QGridLayout(rebuild);
  AddRow(grid, 0, QStringLiteral("Raw Filename"), FilenameRawFile, {SpeedButton2});
  grid->addWidget(cApplyEnglishTranslationFile, 1, 0);
  grid->addWidget(FilenameTransFile, 1, 1);
  grid->addWidget(SpeedButton5, 1, 2);
  grid->addWidget(cApplyMessageTransFile, 2, 0);
  grid->addWidget(FilenameTransMessages, 2, 1);
  grid->addWidget(SpeedButton13, 2, 2);
  AddRow(grid, 3, QStringLiteral("Dest Project File (SrcLng)"), FilenameDestSrcLng, {SpeedButton8});
  grid->addWidget(dResbuildSrcLng, 4, 0);
  grid->setColumnStretch(1, 1);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(merge);
  layout->addWidget(rebuild);
  layout->addStretch(1);

  for (QCheckBox *box : {cApplyEnglishTranslationFile, cApplyMessageTransFile})
    connect(box, &QCheckBox::toggled, this, &TMergeRawPage::UpdateEnabling);
  UpdateEnabling();
}

void TMergeRawPage::UpdateEnabling() {
  FilenameTransFile->setEnabled(cApplyEnglishTranslationFile->isChecked());
  FilenameTransMessages->setEnabled(cApplyMessageTransFile->isChecked());
}

TRebuildOptions TMergeRawPage::RebuildOptions() const {
  TRebuildOptions o;
  o.RawFile = ToUtf8(FilenameRawFile->text());
  o.DestFile = ToUtf8(FilenameDestSrcLng->text());
  o.ApplyEnglish = cApplyEnglishTranslationFile->isChecked();
  o.EnglishFile = ToUtf8(FilenameTransFile->text());
  o.ApplyMessages = cApplyMessageTransFile->isChecked();
  o.MessageFile = ToUtf8(FilenameTransMessages->text());
  return o;
}

} // namespace vt
