// The control preview in the main window: the sample of the entry's class at the object's size,
// its fallbacks, the hint labels, the information lines and typing that redraws the sample.
#include "band_fixture.h"
#include "client/preview_surface.h"
#include "controls/samples/static_hot_btn.h"

#include <QLabel>

namespace vt::test {

class PreviewTest : public BandTest {
protected:
  QWidget *Shown() const { return W->PreviewControl(); }
  QWidget *SampleOf(TPreviewSample s) const { return W->PreviewSurface().Sample(s); }
  samples::TStaticHotBtn *HotButton() const {
    return qobject_cast<samples::TStaticHotBtn *>(SampleOf(TPreviewSample::StaticHotBtn));
  }
};

TEST_F(PreviewTest, HotButtonShowsTheTranslationAtTheObjectsSize) {
  Pick("TID_Main/btnHot.TC");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::StaticHotBtn));
  samples::TStaticHotBtn *hot = HotButton();
  EXPECT_EQ(hot->parentWidget(), Child<QWidget>(*W, "PanelPreview"));
  EXPECT_EQ(hot->size(), QSize(96, 64));
  EXPECT_EQ(hot->Caption(), QStringLiteral("Imprimir"));
  EXPECT_EQ(hot->ToolHint(), QStringLiteral("Print page"));
  EXPECT_EQ(hot->ToolFullHint(), QStringLiteral("Prints the page"));
  EXPECT_EQ(hot->ControlHint(), QStringLiteral("Print page|Prints the page"));
  EXPECT_TRUE(hot->ShowHint());
  EXPECT_EQ(hot->Layout(), samples::THotLayout::GlyphLeft);
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
  ASSERT_EQ(HotButton()->Layout(), samples::THotLayout::GlyphLeft);
  Pick("TID_Main/btnOdd.TC");
  ASSERT_EQ(Shown(), SampleOf(TPreviewSample::StaticHotBtn));
  EXPECT_FALSE(HotButton()->ShowHint());     // "true" is not "True"
  EXPECT_EQ(HotButton()->ToolIconSize(), 0); // 20 is no picture size
  EXPECT_TRUE(HotButton()->ToolIcon().isNull());
  EXPECT_EQ(HotButton()->Layout(), samples::THotLayout::GlyphLeft); // unknown layout keeps the last one
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
