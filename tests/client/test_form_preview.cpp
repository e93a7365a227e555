// The form preview window on the real main window: forms written as binary forms, turned into form
// texts by the converter, shown with the project's translations; F12, the frame, presses, the
// toolbar arrangement, refreshes and the fit check.
#include "client/core/form_preview_store.h"
#include "client/prev_dfm_frm.h"
#include "controls/tool_text.h"
#include "tests/tools/form_writer.h"
#include "tools/binary_form.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

namespace vt::test {
namespace {

// The dialog of the tests: buttons, an auto-size label, a Unicode combo box, page controls nested
// in each other, a toolbar panel, a hidden check box, a Tag -1 button, an 8-bit button, a tab set,
// an inline frame of a class the preview does not know, and a disabled button on a panel.
std::string DialogForm() {
  TFormWriter w;
  w.Object("TTntForm", "TID_Dlg");
  w.Prop("Width").Int(400).Prop("Height").Int(300);
  w.Prop("Caption").Str("Dialog").EndList();
  w.Object("TTntButton", "btnOk").Prop("Left").Int(10).Prop("Top").Int(10).Prop("Width").Int(80);
  w.Prop("Height").Int(25).Prop("Caption").Str("OK").Prop("Hint").Str("Confirm").EndList().EndList();
  w.Object("TTntButton", "btnLong").Prop("Left").Int(100).Prop("Top").Int(10).Prop("Width").Int(60);
  w.Prop("Height").Int(25).Prop("Caption").Str("Go").EndList().EndList();
  w.Object("TTntLabel", "lblName").Prop("Left").Int(10).Prop("Top").Int(50).Prop("Width").Int(30);
  w.Prop("Height").Int(15).Prop("Caption").Str("&Name").EndList().EndList();
  w.Object("TTntLabel", "lblFree").Prop("Left").Int(10).Prop("Top").Int(66).Prop("Caption").Str("free");
  w.EndList().EndList();
  w.Object("TTntComboBox", "cbMode").Prop("Left").Int(10).Prop("Top").Int(80).Prop("Width").Int(120);
  w.Prop("Height").Int(21).Prop("ItemIndex").Int(1).Prop("Items.Strings").List().Str("Fast").Str("Slow");
  w.EndList().EndList().EndList();
  w.Object("TTntPageControl", "pcMain").Prop("Left").Int(170).Prop("Top").Int(50).Prop("Width").Int(220);
  w.Prop("Height").Int(150).Prop("ActivePage").Ident("pageA").EndList();
  w.Object("TTntTabSheet", "pageA").Prop("Caption").Str("A").EndList();
  w.Object("TTntLabel", "lblA").Prop("Left").Int(4).Prop("Top").Int(4).Prop("Caption").Str("on A");
  w.EndList().EndList().EndList();
  w.Object("TTntTabSheet", "pageB").Prop("Caption").Str("B").EndList();
  w.Object("TPageControl", "pcInner").Prop("Left").Int(2).Prop("Top").Int(2).Prop("Width").Int(200);
  w.Prop("Height").Int(100).Prop("ActivePage").Ident("inner1").EndList();
  w.Object("TTabSheet", "inner1").Prop("Caption").Str("one").EndList().EndList();
  w.Object("TTabSheet", "inner2").Prop("Caption").Str("two").EndList();
  w.Object("TTntEdit", "edInner").Prop("Left").Int(4).Prop("Top").Int(4).Prop("Width").Int(150);
  w.Prop("Height").Int(21).Prop("Text").Str("inner").EndList().EndList();
  w.EndList().EndList().EndList().EndList();
  w.Object("TPanel", "tbBar").Prop("Left").Int(0).Prop("Top").Int(210).Prop("Width").Int(400);
  w.Prop("Height").Int(40).Prop("Tag").Int(1234).EndList();
  w.Object("TBevel", "bv1")
      .Prop("Left")
      .Int(5)
      .Prop("Top")
      .Int(2)
      .Prop("Width")
      .Int(2)
      .Prop("Height")
      .Int(30);
  w.EndList().EndList();
  w.Object("TStaticHotBtn", "tbSave").Prop("Left").Int(10).Prop("Top").Int(2).Prop("Width").Int(40);
  w.Prop("Height").Int(36).Prop("TextData.Caption").Str("Save").EndList().EndList();
  w.Object("TStaticHotBtn", "tbOpen").Prop("Left").Int(60).Prop("Top").Int(2).Prop("Width").Int(40);
  w.Prop("Height").Int(36).Prop("TextData.Caption").Str("Open").EndList().EndList();
  w.Object("TTntButton", "btnOff").Prop("Left").Int(300).Prop("Top").Int(5).Prop("Width").Int(60);
  w.Prop("Height").Int(25).Prop("Enabled").Bool(false).Prop("Caption").Str("Off").EndList().EndList();
  w.EndList();
  w.Object("TTntCheckBox", "chkHidden").Prop("Left").Int(10).Prop("Top").Int(110).Prop("Width").Int(100);
  w.Prop("Height").Int(17).Prop("Caption").Str("Hidden").EndList().EndList();
  w.Object("TTntButton", "btnTagged").Prop("Left").Int(10).Prop("Top").Int(130).Prop("Width").Int(80);
  w.Prop("Height").Int(25).Prop("Tag").Int(-1).Prop("Caption").Str("Tagged").EndList().EndList();
  w.Object("TButton", "btn8").Prop("Left").Int(10).Prop("Top").Int(160).Prop("Width").Int(80);
  w.Prop("Height").Int(25).Prop("Caption").Str("Plain").EndList().EndList();
  w.Object("TTabSet", "tsTabs").Prop("Left").Int(100).Prop("Top").Int(160).Prop("Width").Int(60);
  w.Prop("Height").Int(21).Prop("TabIndex").Int(1).Prop("Tabs.Strings").List().Str("One").Str("Two");
  w.EndList().EndList().EndList();
  w.Object("TFrameX", "frame1", 4).Prop("Left").Int(10).Prop("Top").Int(260).Prop("Width").Int(200);
  w.Prop("Height").Int(30).EndList();
  w.Object("TTntButton", "btnInFrame").Prop("Left").Int(2).Prop("Top").Int(2).Prop("Width").Int(100);
  w.Prop("Height").Int(25).Prop("Caption").Str("Inner").EndList().EndList();
  w.EndList();
  w.EndList();
  return w.Bytes();
}

class FormPreviewTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    const QString stem = Dir.path() + QStringLiteral("/F");
    WriteTestFile(stem + QStringLiteral(".SrcLng"), "[TID_Abc]\n"
                                                    "btnOk.VC=OK\n"
                                                    "[TID_Dlg]\n"
                                                    "btnOk.VC=OK\n"
                                                    "btnOk.VH=Confirm\n"
                                                    "btnLong.VC=Go\n"
                                                    "lblName.VC=&Name\n"
                                                    "lblFree.VC=free\n"
                                                    "cbMode.VI=Fast\\nSlow\n"
                                                    "pageB.VC=B\n"
                                                    "edInner.VT=inner\n"
                                                    "tbOpen.TC=Open\n"
                                                    "tbOpen.THF=Open|Opens the file\n"
                                                    "chkHidden.VC=Hidden\n"
                                                    "chkHidden._vis=1\n"
                                                    "btnTagged.VC=Tagged\n"
                                                    "btn8.VC=Plain\n"
                                                    "tsTabs.TS=One\\nTwo\n"
                                                    "btnInFrame.VC=Inner\n"
                                                    "[TID_NoForm]\n"
                                                    "x.VC=x\n");
    WriteTestFile(stem + QStringLiteral(".kxLng"),
                  "[_info]\n"
                  "DestLng=es\n"
                  "\n"
                  "[TID_Abc]\n"
                  "btnOk.VC=Vale\n"
                  "\n"
                  "[TID_Dlg]\n"
                  "btnOk.VC=Aceptar\n"
                  "btnLong.VC=Ir a la configuración avanzada\n"
                  "lblName.VC=&Nombre\n"
                  "cbMode.VI=Rápido\\nLento\n"
                  "pageB.VC=Bé\n"
                  "edInner.VT=interior\n"
                  "tbOpen.TC=Abrir el archivo\n"
                  "tbOpen.THF=Abrir|Abre el archivo\n"
                  "btnTagged.VC=Etiqueta\n"
                  "btn8.VC=Ωmega\n"
                  "tsTabs.TS=Uno\\nDos\n"
                  "btnInFrame.VC=Interi\xF3r\n" // 8-bit bytes, as older files hold them
                  "lblFree.VC=libre\\nde verdad\n");
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("DfmData")));
    const std::string text = ConvertBinaryForm(DialogForm());
    WriteTestFile(Dir.path() + QStringLiteral("/DfmData/TTID_Dlg.dfmp"), QByteArray::fromStdString(text));
    ASSERT_TRUE(W->OpenProjectFile(stem + QStringLiteral(".kxLng")));
  }

  TPrevDfmFrm *Preview() const { return W->PreviewWindow(); }
  template <class T> T *Control(const char *name) const {
    EXPECT_NE(Preview(), nullptr);
    return Preview() ? Preview()->findChild<T *>(QLatin1String(name)) : nullptr;
  }
  void F12() { Child<QAction>(*W, "PreviewScreenOnOff1")->trigger(); }
  void OpenDialogPreview() {
    ASSERT_TRUE(W->ChooseSection(QStringLiteral("TID_Dlg")));
    F12();
    ASSERT_NE(Preview(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Preview()));
  }
  void PressOn(QWidget *widget, QPoint at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
  }
  // Whether the picture has a pixel of (nearly) that colour.
  static bool HasColor(const QImage &image, QColor color) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (std::abs(c.red() - color.red()) < 30 && std::abs(c.green() - color.green()) < 30 &&
            std::abs(c.blue() - color.blue()) < 30)
          return true;
      }
    return false;
  }
};

TEST_F(FormPreviewTest, F12OpensHidesFreesAndReopensInPlace) {
  OpenDialogPreview();
  auto *stPreview = Child<TStaticHotBtn>(*W, "stPreview");
  EXPECT_TRUE(Preview()->isVisible());
  EXPECT_TRUE(stPreview->isChecked());
  EXPECT_EQ(Preview()->windowTitle(), QStringLiteral("TID_Dlg"));
  // The form's outer size plus one is the client size.
  EXPECT_EQ(Preview()->size(), QSize(401, 301));
  Preview()->move(120, 70);
  const QPoint place = Preview()->pos();
  // Escape, wherever the focus is in the window, only hides it.
  QTest::keyClick(Control<QComboBox>("cbMode"), Qt::Key_Escape);
  ASSERT_NE(Preview(), nullptr);
  EXPECT_FALSE(Preview()->isVisible());
  EXPECT_FALSE(stPreview->isChecked());
  // The first F12 frees the hidden window, the second opens a new one where the last one was.
  F12();
  EXPECT_EQ(Preview(), nullptr);
  F12();
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(Preview()->pos(), place);
  EXPECT_TRUE(stPreview->isChecked());
  // The toolbar button toggles as F12 does.
  emit stPreview->SubmitData(0, {});
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_FALSE(stPreview->isChecked());
}

TEST_F(FormPreviewTest, OnlyAChosenSectionWithAFormTextOpensAPreview) {
  ASSERT_TRUE(W->ChooseSection(QStringLiteral("[ALL]")));
  F12();
  EXPECT_EQ(Preview(), nullptr);
  ASSERT_TRUE(W->ChooseSection(QStringLiteral("TID_NoForm")));
  F12();
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_FALSE(Child<TStaticHotBtn>(*W, "stPreview")->isChecked());
  // A form text that cannot be read leaves no window; the reason goes to the status bar.
  WriteTestFile(Dir.path() + QStringLiteral("/DfmData/TTID_Abc.dfmp"),
                "object X: TTntForm\n  Caption = 'broken\n");
  ASSERT_TRUE(W->ChooseSection(QStringLiteral("TID_Abc")));
  F12();
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_TRUE(W->statusBar()->currentMessage().contains(QStringLiteral("TTID_Abc.dfmp")))
      << W->statusBar()->currentMessage().toStdString();
}

TEST_F(FormPreviewTest, TranslationsVisibilityAndTheFormsOwnTexts) {
  OpenDialogPreview();
  // Reading the form again replaces its controls instead of adding to them.
  const std::size_t components = Preview()->Components().size();
  ASSERT_TRUE(Preview()->LoadFormText());
  EXPECT_EQ(Preview()->Components().size(), components);
  EXPECT_EQ(Preview()->findChildren<QPushButton *>(QStringLiteral("btnOk")).size(), 1);
  EXPECT_TRUE(Control<QPushButton>("btnOk")->isVisible());
  Preview()->ApplyTexts(nullptr);
  Preview()->ApplyVisibility(
      BuildVisibilityStore(W->CurrentProject(), "TID_Dlg", Preview()->ComponentNames()));
  EXPECT_EQ(Control<QPushButton>("btnOk")->text(), QStringLiteral("Aceptar"));
  EXPECT_EQ(Control<QPushButton>("btnOk")->toolTip(), QStringLiteral("Confirm")); // untranslated hint
  EXPECT_EQ(Control<QLabel>("lblName")->text(), QStringLiteral("Nombre"));
  EXPECT_EQ(Control<QLabel>("lblFree")->text(), QStringLiteral("libre\nde verdad"));
  // A Unicode combo box takes the translated items and keeps its item index.
  auto *combo = Control<QComboBox>("cbMode");
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("Rápido"));
  EXPECT_EQ(combo->currentIndex(), 1);
  // A page of an inner page control, and an inline frame's child.
  EXPECT_EQ(Control<QTabWidget>("pcMain")->tabText(1), QStringLiteral("Bé"));
  EXPECT_EQ(Control<QLineEdit>("edInner")->text(), QStringLiteral("interior"));
  // A stored text that is not UTF-8 shows as the editor shows it (Windows-1252), not blank.
  EXPECT_EQ(Control<QPushButton>("btnInFrame")->text(), QStringLiteral("Interiór"));
  EXPECT_EQ(Control<QWidget>("frame1")->property("formClass").toString(), QStringLiteral("TFrameX"));
  // Tag -1 is left alone; an 8-bit button shows what Windows-1252 keeps; a hidden _vis entry hides.
  EXPECT_EQ(Control<QPushButton>("btnTagged")->text(), QStringLiteral("Tagged"));
  EXPECT_EQ(Control<QPushButton>("btn8")->text(), QStringLiteral("?mega"));
  EXPECT_FALSE(Control<QCheckBox>("chkHidden")->isVisibleTo(Preview()));
  // Tab captions of a tab set, its index kept.
  auto *tabs = Control<QTabBar>("tsTabs");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Uno"));
  EXPECT_EQ(tabs->currentIndex(), 1);
  // The combined hint of a tool button comes back from its two halves.
  auto *open = Control<TStaticHotBtn>("tbOpen");
  EXPECT_EQ(open->Caption(), QStringLiteral("Abrir el archivo"));
  EXPECT_EQ(open->ControlHint(), QStringLiteral("Abrir|Abre el archivo"));

  // "Show Original" reads the window anew with the form's own texts, and back.
  Child<QCheckBox>(*W, "cShowTrans")->click();
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(Control<QPushButton>("btnOk")->text(), QStringLiteral("OK"));
  EXPECT_EQ(Control<QComboBox>("cbMode")->itemText(0), QStringLiteral("Fast"));
  Child<QCheckBox>(*W, "cShowTrans")->click();
  EXPECT_EQ(Control<QPushButton>("btnOk")->text(), QStringLiteral("Aceptar"));
}

TEST_F(FormPreviewTest, EditsRefreshThePreviewAndAClearedTranslationShowsTheFormsText) {
  OpenDialogPreview();
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/btnOk.VC")));
  auto *memo = Child<QPlainTextEdit>(*W, "TntMemoLng");
  memo->setPlainText(QStringLiteral("Sí"));
  Child<QAction>(*W, "Update1")->trigger();
  EXPECT_EQ(Control<QPushButton>("btnOk")->text(), QStringLiteral("Sí"));
  Child<QAction>(*W, "ClearTranslation1")->trigger();
  Child<QAction>(*W, "Update1")->trigger();
  EXPECT_EQ(Control<QPushButton>("btnOk")->text(), QStringLiteral("OK"));
  // A committed edit (leaving the entry) refreshes too.
  memo->setPlainText(QStringLiteral("Bien"));
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/lblName.VC")));
  EXPECT_EQ(Control<QPushButton>("btnOk")->text(), QStringLiteral("Bien"));
}

TEST_F(FormPreviewTest, TheCurrentEntrysControlIsFramedInRed) {
  OpenDialogPreview();
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/btnOk.VC")));
  QWidget *frame = Preview()->Shape1xxx();
  auto *ok = Control<QPushButton>("btnOk");
  // Inside a windowed control.
  ASSERT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->parentWidget(), ok);
  EXPECT_EQ(frame->geometry(), ok->rect());
  EXPECT_TRUE(HasColor(ok->grab().toImage(), Qt::red));
  // One pixel around a graphic control, on its parent.
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/lblName.VC")));
  auto *label = Control<QLabel>("lblName");
  EXPECT_EQ(frame->parentWidget(), Preview());
  EXPECT_EQ(frame->geometry(), label->geometry().adjusted(-1, -1, 1, 1));
  EXPECT_TRUE(HasColor(Preview()->grab(frame->geometry()).toImage(), Qt::red));
  EXPECT_FALSE(HasColor(ok->grab().toImage(), Qt::red));
  // A control on an inner tab sheet: both pages come forward.
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/edInner.VT")));
  EXPECT_EQ(Control<QTabWidget>("pcMain")->currentWidget()->objectName(), QStringLiteral("pageB"));
  EXPECT_EQ(Control<QTabWidget>("pcInner")->currentWidget()->objectName(), QStringLiteral("inner2"));
  EXPECT_TRUE(frame->isVisible());
  // An entry of another section takes the frame away.
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Abc/btnOk.VC")));
  EXPECT_FALSE(Preview() && Preview()->Shape1xxx()->isVisible());
}

TEST_F(FormPreviewTest, APressMakesTheEntryOfThatFormCurrent) {
  // Under "[ALL]" another section has a control of the same name, listed first.
  ASSERT_TRUE(W->ChooseSection(QStringLiteral("[ALL]")));
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/lblName.VC")));
  W->vt1DblClick();
  ASSERT_NE(Preview(), nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Preview()));
  EXPECT_EQ(Preview()->Shape1xxx()->parentWidget(), Preview()); // the double-clicked entry is framed
  PressOn(Control<QPushButton>("btnOk"));
  ASSERT_NE(W->Current(), nullptr);
  EXPECT_EQ(W->Current()->FullId(), "TID_Dlg/btnOk.VC");
  EXPECT_EQ(Preview()->windowTitle(), QStringLiteral("btnOk"));
  EXPECT_EQ(Preview()->Shape1xxx()->parentWidget(), Control<QPushButton>("btnOk"));
  // A control no entry carries takes the frame away.
  PressOn(Control<QLabel>("lblA"));
  EXPECT_FALSE(Preview()->Shape1xxx()->isVisible());
  EXPECT_EQ(W->Current()->FullId(), "TID_Dlg/btnOk.VC");
  // A disabled control gives its panel, and a panel counts as none: the title stays.
  PressOn(Control<QPushButton>("btnOff"));
  EXPECT_EQ(Preview()->windowTitle(), QStringLiteral("lblA"));
  // A press inside a combo box is the combo box's, once.
  int notes = 0;
  auto previous = Preview()->OnControlClick;
  Preview()->OnControlClick = [&](QObject *owner, QObject *control) {
    ++notes;
    previous(owner, control);
  };
  PressOn(Control<QComboBox>("cbMode"));
  EXPECT_EQ(notes, 1);
  EXPECT_EQ(W->Current()->FullId(), "TID_Dlg/cbMode.VI");
  QApplication::processEvents();
  if (QWidget *popup = QApplication::activePopupWidget()) popup->close();
}

TEST_F(FormPreviewTest, ToolbarButtonsAreSizedAndLinedUp) {
  OpenDialogPreview();
  auto *save = Control<TStaticHotBtn>("tbSave");
  auto *open = Control<TStaticHotBtn>("tbOpen");
  const int saveWidth = std::min(CaptionWidth(save->font(), QStringLiteral("Save")) + 16, 250);
  const int openWidth = std::min(CaptionWidth(open->font(), QStringLiteral("Abrir el archivo")) + 16, 250);
  EXPECT_EQ(save->width(), saveWidth);
  EXPECT_EQ(open->width(), openWidth);
  // From x = 1: the bevel 2 further in and 2 further after, then 3 between the buttons.
  EXPECT_EQ(Control<QWidget>("bv1")->x(), 3);
  EXPECT_EQ(save->x(), 3 + 2 + 3 + 2);
  EXPECT_EQ(open->x(), save->x() + saveWidth + 3);
}

TEST_F(FormPreviewTest, TextsThatDoNotFitAreOutlinedAndCounted) {
  OpenDialogPreview();
  const QStringList flagged = Preview()->FlaggedControls();
  EXPECT_TRUE(flagged.contains(QStringLiteral("btnLong")));
  EXPECT_FALSE(flagged.contains(QStringLiteral("btnOk")));
  EXPECT_TRUE(flagged.contains(QStringLiteral("btn8"))); // loses the Omega
  EXPECT_FALSE(flagged.contains(QStringLiteral("chkHidden")));
  EXPECT_EQ(W->statusBar()->currentMessage(), QStringLiteral("%1 controls do not fit").arg(flagged.size()));
  // The dashed orange outline, not the red frame.
  const QRect around = Control<QWidget>("btnLong")->geometry().adjusted(-3, -3, 3, 3);
  EXPECT_TRUE(HasColor(Preview()->grab(around).toImage(), QColor(255, 140, 0)));
  EXPECT_FALSE(HasColor(Preview()->grab(around).toImage(), Qt::red));
  // Shortened, it fits.
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/btnLong.VC")));
  Child<QPlainTextEdit>(*W, "TntMemoLng")->setPlainText(QStringLiteral("Ir"));
  Child<QAction>(*W, "Update1")->trigger();
  EXPECT_FALSE(Preview()->FlaggedControls().contains(QStringLiteral("btnLong")));

  std::vector<std::string> lines;
  QString error;
  ASSERT_TRUE(W->FitReportLines(QStringLiteral("TID_Dlg"), lines, &error)) << error.toStdString();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "TID_Dlg/btn8.VC\t1\t0\tloses 1 character\tΩmega"),
            lines.end());
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string &line) { return line.rfind("TID_Dlg/btnLong.", 0) == 0; }),
            0);
  EXPECT_FALSE(W->FitReportLines(QStringLiteral("TID_NoForm"), lines, &error));
}

TEST_F(FormPreviewTest, TabCaptionsOfAnotherCountAndGrownLabels) {
  OpenDialogPreview();
  // A caption list of another length than the tabs keeps the tab set's own captions.
  ASSERT_TRUE(W->ChooseEntry(QStringLiteral("TID_Dlg/tsTabs.TS")));
  Child<QPlainTextEdit>(*W, "TntMemoLng")->setPlainText(QStringLiteral("Uno\nDos\nTres"));
  Child<QAction>(*W, "Update1")->trigger();
  auto *tabs = Control<QTabBar>("tsTabs");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("One"));
  EXPECT_EQ(tabs->currentIndex(), 1);
  // An auto-size label grown to two lines covers the combo box under it; the report names it.
  std::vector<std::string> lines;
  QString error;
  ASSERT_TRUE(W->FitReportLines(QStringLiteral("TID_Dlg"), lines, &error));
  const auto covers = std::find_if(lines.begin(), lines.end(), [](const std::string &line) {
    return line.rfind("TID_Dlg/lblFree.VC\t", 0) == 0;
  });
  ASSERT_NE(covers, lines.end());
  EXPECT_NE(covers->find("\tcovers cbMode\tlibre|de verdad"), std::string::npos) << *covers;
  // The one-line label of the same form does not.
  EXPECT_FALSE(Preview()->FlaggedControls().contains(QStringLiteral("lblName")));
}

} // namespace
} // namespace vt::test
