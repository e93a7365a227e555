// The product controls: tool button images and clicks, the theme paint box, the hint window.
#include "controls/hint_ex32.h"
#include "controls/hot_button.h"
#include "controls/image_effects.h"
#include "controls/theme_painter.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vt {
namespace {

QPixmap RedSquare() {
  QPixmap pixmap(16, 16);
  pixmap.fill(QColor(220, 20, 20));
  return pixmap;
}

TEST(ImageEffects, DimmedKeepsHueButFades) {
  const QImage dimmed = DimmedImage(RedSquare()).toImage();
  const QColor c = dimmed.pixelColor(8, 8);
  EXPECT_LT(c.alpha(), 255);
  EXPECT_GT(c.alpha(), 80);
  EXPECT_GT(c.red(), c.green() + 60); // still red
  EXPECT_TRUE(DimmedImage(QPixmap()).isNull());
}

TEST(ImageEffects, GreyedHasNoColourLeft) {
  const QColor c = GreyedImage(RedSquare()).toImage().pixelColor(3, 3);
  EXPECT_EQ(c.red(), c.green());
  EXPECT_EQ(c.green(), c.blue());
  EXPECT_GT(c.red(), 100); // lighter than the dark source grey
}

TEST(HotButton, DerivesHoverAndDisabledImagesFromTheGlyph) {
  TStaticHotBtn button;
  button.SetGlyph(RedSquare());
  EXPECT_FALSE(button.HasHoverImage());
  EXPECT_EQ(button.CurrentImage().toImage(), RedSquare().toImage());
  button.DeriveHoverImage();
  ASSERT_TRUE(button.HasHoverImage());
  EXPECT_EQ(button.HoverImage().toImage(), RedSquare().toImage());
  EXPECT_EQ(button.CurrentImage().toImage(), DimmedImage(RedSquare()).toImage()); // not hot: dimmed
  button.DeriveDisabledImage();
  button.setEnabled(false);
  EXPECT_EQ(button.CurrentImage().toImage(), GreyedImage(RedSquare()).toImage());
}

TEST(HotButton, ClicksAndSpaceRaiseSubmitData) {
  TStaticHotBtn button;
  button.SetCaption(QStringLiteral("Open"));
  button.SetHints(QStringLiteral("Open"), QStringLiteral("Open a translation file"));
  EXPECT_EQ(button.toolTip(), QStringLiteral("Open|Open a translation file"));
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  QSignalSpy spy(&button, &TStaticHotBtn::SubmitData);
  QTest::mouseClick(&button, Qt::LeftButton);
  button.setFocus();
  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(spy.count(), 2);
  button.setEnabled(false);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(spy.count(), 2);
  EXPECT_GE(button.sizeHint().width(), button.fontMetrics().horizontalAdvance(QStringLiteral("Open")));
}

TEST(HotButton, IconOnlyButtonIsNamedByItsHint) {
  TStaticHotBtn button;
  button.SetHints(QStringLiteral("Undo"), QStringLiteral("Undo Changes to current Translation"));
  EXPECT_EQ(button.accessibleName(), QStringLiteral("Undo"));
}

TEST(ThemePaintBox, FollowsItsParentsSizeAndStaysBehind) {
  QWidget panel;
  panel.resize(300, 61);
  auto *child = new QWidget(&panel);
  auto *box = new TThemePaintBox(&panel);
  box->FillParent();
  EXPECT_EQ(box->geometry(), panel.rect());
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  panel.resize(500, 61);
  EXPECT_EQ(box->size(), QSize(500, 61));
  EXPECT_EQ(panel.children().indexOf(box), 0); // lowest in the stacking order
  (void)child;
  const QImage image = box->grab().toImage();
  EXPECT_NE(image.pixelColor(10, 1), image.pixelColor(10, 50)); // a gradient, not a flat fill
}

TEST(HintEx32, SplitsShortAndFullText) {
  EXPECT_EQ(THintEx32::ShortPart(QStringLiteral("Save|Save the file")), QStringLiteral("Save"));
  EXPECT_EQ(THintEx32::ShortPart(QStringLiteral("Plain")), QStringLiteral("Plain"));
  EXPECT_EQ(THintEx32::ShortPart(QStringLiteral("|Only long")), QString());
  THintEx32 hint;
  hint.SetTexts(QStringLiteral("Save"), QStringLiteral("Save|Save the file"));
  EXPECT_EQ(hint.FullText(), QStringLiteral("Save the file"));
  const QSize twoLines = hint.sizeHint();
  hint.SetTexts(QStringLiteral("Save"), QStringLiteral("Save"));
  EXPECT_TRUE(hint.FullText().isEmpty());
  EXPECT_LT(hint.sizeHint().height(), twoLines.height());
  hint.ActivateHint(QPoint(10, 10));
  EXPECT_TRUE(hint.isVisible());
}

} // namespace
} // namespace vt
