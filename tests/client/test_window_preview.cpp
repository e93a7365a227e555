// The control preview in the main window: the sample of the entry's class at the object's size,
// its fallbacks, the hint labels, the information lines and typing that redraws the sample.
#include "band_fixture.h"
#include "client/preview_surface.h"
#include "controls/hint_ex32.h"
#include "controls/samples/static_hot_btn.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QToolTip>

namespace vt::test {

class PreviewTest : public BandTest {
protected:
  QWidget *Shown() const { return W->PreviewControl(); }
  QWidget *SampleOf(TPreviewSample s) const { return W->PreviewSurface().Sample(s); }
  TStaticHotBtn *HotButton() const {
    return qobject_cast<TStaticHotBtn *>(SampleOf(TPreviewSample::StaticHotBtn));
  }
};

TEST_F(PreviewTest, HotButtonShowsTheTranslationAtTheObjectsSize) {
  Pick("TID_Main/btnHot.TC");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::StaticHotBtn));
  TStaticHotBtn *hot = HotButton();
  EXPECT_EQ(hot->parentWidget(), Child<QWidget>(*W, "PanelPreview"));
  EXPECT_EQ(hot->size(), QSize(96, 64));
  EXPECT_EQ(hot->Caption(), QStringLiteral("Imprimir"));
  EXPECT_EQ(hot->ToolHint(), QStringLiteral("Print page"));
  EXPECT_EQ(hot->ToolFullHint(), QStringLiteral("Prints the page"));
  EXPECT_EQ(hot->ControlHint(), QStringLiteral("Print page|Prints the page"));
  EXPECT_TRUE(hot->ShowHint());
  EXPECT_EQ(hot->Layout(), TButtonLayout::GlyphLeft);
  EXPECT_EQ(hot->ToolIconSize(), 32);
  EXPECT_FALSE(hot->ToolIcon().isNull());
  QWidget *bevel = W->PreviewSurface().Bevel();
  EXPECT_TRUE(bevel->isVisibleTo(Child<QWidget>(*W, "PanelPreview")));
  EXPECT_EQ(bevel->size(), QSize(100, 68));
  EXPECT_EQ(hot->pos(), bevel->pos() + QPoint(2, 2));
  EXPECT_EQ(Child<QLabel>(*W, "labelStInfo")->text(), QStringLiteral("[TID_Main]  btnHot  (TStaticHotBtn)"));

  // Typing redraws the sample at once.
  Child<QPlainTextEdit>(*W, "TntMemoLng")->setFocus();
  QTest::keyClick(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(Child<QPlainTextEdit>(*W, "TntMemoLng"), QStringLiteral("!"));
  EXPECT_EQ(hot->Caption(), QStringLiteral("Imprimir!"));
  // Moving to an entry of another object puts the sample back into hiding.
  Pick("TID_A/btnOpen.TC");
  EXPECT_NE(Shown(), hot);
  EXPECT_EQ(hot->parentWidget(), Child<QWidget>(*W, "PanelHidden"));
}

TEST_F(PreviewTest, HotButtonSampleLeavesTheWindowsAltKeysAlone) {
  Pick("TID_Main/btnHot.TC");
  TStaticHotBtn *hot = HotButton();
  auto *memo = Child<QPlainTextEdit>(*W, "TntMemoLng");
  memo->setFocus();
  memo->selectAll();
  QTest::keyClicks(memo, QStringLiteral("&Edit"));
  ASSERT_EQ(hot->Caption(), QStringLiteral("&Edit")); // the sample underlines E, as the program will
  EXPECT_EQ(hot->focusPolicy(), Qt::NoFocus);
  W->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(W.get()));
  // Alt+E still opens the window's Edit menu, every time: the sample takes no shortcut of its own
  // (a shared key would alternate between the two).
  QSignalSpy submitted(hot, &TStaticHotBtn::SubmitData);
  auto *edit = Child<QMenu>(*W, "Edit1");
  for (int press = 0; press < 2; ++press) {
    QTest::keyClick(W.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([edit] { return edit->isVisible(); }, 2000)) << "press " << press;
    edit->close();
  }
  EXPECT_EQ(submitted.count(), 0);
}

TEST_F(PreviewTest, HotButtonSampleShowsItsOwnHintOnlyWhenAsked) {
  auto *hintWindow = W->findChild<THintEx32 *>();
  ASSERT_NE(hintWindow, nullptr);
  Pick("TID_Main/btnOdd.TC"); // hints off
  TStaticHotBtn *hot = HotButton();
  ASSERT_EQ(Shown(), hot);
  QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), hot->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(hot, &help);
  EXPECT_FALSE(hintWindow->isVisible());
  EXPECT_FALSE(QToolTip::isVisible());

  Pick("TID_Main/btnHot.TC"); // hints on: the sample's own two-part hint, not the window's
  ASSERT_EQ(Shown(), hot);
  QApplication::sendEvent(hot, &help);
  EXPECT_FALSE(hintWindow->isVisible());
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("<b>Print page</b><br>Prints the page"));
  QToolTip::hideText();

  // The window's own tool buttons keep the window's hint window.
  auto *open = Child<TStaticHotBtn>(*W, "StaticHotBtn18");
  QHelpEvent onOpen(QEvent::ToolTip, QPoint(5, 5), open->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(open, &onOpen);
  EXPECT_TRUE(hintWindow->isVisible());
  EXPECT_EQ(hintWindow->FullText(), QStringLiteral("Open a translation file"));
  hintWindow->hide();
}

TEST_F(PreviewTest, HotButtonWithoutHeightFallsBackToTheCaptionLabel) {
  Pick("TID_Main/btnFlat.TC");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::Generic));
  EXPECT_EQ(static_cast<QLabel *>(Shown())->accessibleDescription(), QStringLiteral("Save"));
  EXPECT_TRUE(
      W->PreviewSurface().HintImage()->isVisibleTo(Child<QWidget>(*W, "PanelPreview"))); // the caption badge
  EXPECT_FALSE(W->PreviewSurface().Bevel()->isVisibleTo(Child<QWidget>(*W, "PanelPreview")));
}

TEST_F(PreviewTest, OddValuesLeaveHintsOffIconClearedAndLayoutAsItWas) {
  Pick("TID_Main/btnHot.TC");
  ASSERT_EQ(HotButton()->Layout(), TButtonLayout::GlyphLeft);
  Pick("TID_Main/btnOdd.TC");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::StaticHotBtn));
  EXPECT_FALSE(HotButton()->ShowHint());     // "true" is not "True"
  EXPECT_EQ(HotButton()->ToolIconSize(), 0); // 20 is no picture size
  EXPECT_TRUE(HotButton()->ToolIcon().isNull());
  EXPECT_EQ(HotButton()->Layout(), TButtonLayout::GlyphLeft); // unknown layout keeps the last one
  EXPECT_EQ(HotButton()->size(), QSize(70, 50));
}

TEST_F(PreviewTest, HintKindsShowHintLabels) {
  Pick("TID_Main/btnPair.THF");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::LabelHint));
  auto *label = static_cast<QLabel *>(Shown());
  EXPECT_EQ(label->text(), QStringLiteral("Load")); // empty long hint: no line break
  EXPECT_TRUE(W->PreviewSurface().HintImage()->isVisibleTo(Child<QWidget>(*W, "PanelPreview")));
  EXPECT_EQ(label->pos(), W->PreviewSurface().HintImage()->pos() + QPoint(24, 0));

  Pick("TID_Main/lblName.VH");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::LabelHint));
  EXPECT_EQ(label->text(), QStringLiteral("Your name\nThe name shown to others"));
  EXPECT_EQ(Child<QLabel>(*W, "labelStInfo")->text(), QStringLiteral("[TID_Main]  lblName  (TTntLabel)"));
}

TEST_F(PreviewTest, LabelClassAndObjectsWithoutClass) {
  Pick("TID_Main/lblName.VC");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::TntLabel));
  EXPECT_EQ(Shown()->size(), QSize(120, 20));
  Pick("TID_Main/lblPlain.TC");
  EXPECT_EQ(Child<QLabel>(*W, "labelStInfo")->text(), QStringLiteral("[TID_Main]  lblPlain  ()"));
  EXPECT_EQ(Shown(), SampleOf(TPreviewSample::Generic));
  // Without a current entry nothing is shown.
  ClickSection(QStringLiteral("TID_A"));
  EXPECT_EQ(Shown(), nullptr);
  EXPECT_TRUE(Child<QLabel>(*W, "Label2")->text().isEmpty());
}

} // namespace vt::test
