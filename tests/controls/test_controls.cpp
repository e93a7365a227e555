// The product controls: the tool button (images, clicks, layouts, accelerator, hints), the tool
// text helpers, the theme paint box, the hint window.
#include "controls/hint_ex32.h"
#include "controls/hot_button.h"
#include "controls/image_effects.h"
#include "controls/theme_painter.h"
#include "controls/tool_text.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <QApplication>
#include <QEnterEvent>
#include <QPainter>
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
  button.SetCaption(QStringLiteral("&Undo && redo"));
  EXPECT_EQ(button.accessibleName(), QStringLiteral("Undo & redo")); // read without accelerator marks
}

// Where the red of the icon shows up in a rendering of the button.
QRect RedBounds(const QImage &img) {
  QRect bounds;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 90 && c.blue() < 90) bounds |= QRect(x, y, 1, 1);
    }
  return bounds;
}

int DarkPixels(const QImage &img, const QRect &area) {
  int n = 0;
  const QRect r = area.intersected(img.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(img.pixel(x, y)) < 110 && qRed(img.pixel(x, y)) < 180) ++n; // the icon's red is no text
  return n;
}

TEST(HotButton, ToolIconOfAnySizeInEachLayout) {
  TStaticHotBtn button;
  button.SetCaption(QStringLiteral("Go"));
  button.SetToolIcon(RedSquare(), 40); // a 16-pixel picture drawn 40 pixels wide
  ASSERT_EQ(button.ToolIconSize(), 40);
  EXPECT_EQ(button.Layout(), TButtonLayout::GlyphTop); // the toolbar's layout by default
  const int textH = button.fontMetrics().height();
  const int textW = CaptionWidth(button.font(), button.Caption());
  EXPECT_EQ(button.sizeHint(), QSize(std::max(40, textW) + 8, 40 + 2 + textH + 8));

  button.resize(120, 70);
  QImage img = button.grab().toImage();
  QRect red = RedBounds(img);
  EXPECT_EQ(red.size(), QSize(40, 40));
  EXPECT_EQ(red.left(), 40);                                          // centred
  EXPECT_EQ(red.top(), (70 - (40 + 2 + textH)) / 2);                  // the block is centred
  EXPECT_GT(DarkPixels(img, QRect(0, red.bottom() + 1, 120, 20)), 5); // caption below

  button.SetLayout(TButtonLayout::GlyphLeft);
  img = button.grab().toImage();
  red = RedBounds(img);
  EXPECT_EQ(red.topLeft(), QPoint(6, 15));
  EXPECT_GT(DarkPixels(img, QRect(red.right() + 1, 0, 60, 70)), 5); // caption right of the icon
  EXPECT_EQ(DarkPixels(img, QRect(0, red.bottom() + 1, 120, 14)), 0);

  button.SetLayout(TButtonLayout::GlyphOnly);
  img = button.grab().toImage();
  EXPECT_EQ(RedBounds(img), QRect(40, 15, 40, 40));
  EXPECT_EQ(DarkPixels(img, button.rect()), 0); // no caption
  EXPECT_EQ(button.sizeHint(), QSize(48, 48));

  // Without a picture every layout shows the caption alone.
  button.SetToolIcon(RedSquare(), 0);
  EXPECT_EQ(button.ToolIconSize(), 0);
  EXPECT_TRUE(button.ToolIcon().isNull());
  img = button.grab().toImage();
  EXPECT_TRUE(RedBounds(img).isEmpty());
  EXPECT_GT(DarkPixels(img, button.rect()), 5);
}

TEST(HotButton, CaptionAcceleratorIsAShortcutUnlessTurnedOff) {
  QWidget window;
  auto *layout = new QVBoxLayout(&window);
  auto *button = new TStaticHotBtn;
  auto *other = new QPushButton(QStringLiteral("Other"));
  layout->addWidget(button);
  layout->addWidget(other);
  button->SetCaption(QStringLiteral("&Go"));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  other->setFocus();
  QSignalSpy spy(button, &TStaticHotBtn::SubmitData);
  QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
  EXPECT_TRUE(spy.wait(2000)); // a shortcut clicks after a short press animation

  button->SetCaptionShortcut(false);
  QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
  button->SetCaption(QStringLiteral("&Gone")); // a new caption does not take it back
  QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
  EXPECT_FALSE(spy.wait(400));
  EXPECT_EQ(spy.count(), 1);
  EXPECT_TRUE(button->shortcut().isEmpty());

  button->SetCaptionShortcut(true);
  QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
  EXPECT_TRUE(spy.wait(2000));
  EXPECT_EQ(spy.count(), 2);
}

TEST(HotButton, HintTextFollowsShowHintAndFallsBackToTheControlHint) {
  TStaticHotBtn button;
  button.SetToolText(QStringLiteral("Open"), QStringLiteral("Open"), QStringLiteral("Open a <file>"));
  EXPECT_EQ(button.Caption(), QStringLiteral("Open"));
  EXPECT_EQ(button.HintText(), QStringLiteral("<b>Open</b><br>Open a &lt;file&gt;"));
  button.SetControlHint(QStringLiteral("Short|Long"));
  EXPECT_EQ(button.HintText(), QStringLiteral("<b>Open</b><br>Open a &lt;file&gt;")); // the tool hint wins
  button.SetToolText(QStringLiteral("Open"), QString(), QString());
  EXPECT_EQ(button.HintText(), QStringLiteral("<b>Short</b><br>Long"));
  button.SetShowHint(false);
  EXPECT_EQ(button.HintText(), QString());
  button.SetControlHint(QString());
  // The window's hint window reads the tool tip: it carries the hints only while they show, and
  // never when the button shows its hints itself.
  button.SetHints(QStringLiteral("Save"), QStringLiteral("Save the file"));
  EXPECT_EQ(button.toolTip(), QString());
  button.SetShowHint(true);
  EXPECT_EQ(button.toolTip(), QStringLiteral("Save|Save the file"));
  button.SetHintByWindow(false);
  EXPECT_EQ(button.toolTip(), QString());
  EXPECT_EQ(button.HintText(), QStringLiteral("<b>Save</b><br>Save the file"));
  button.SetHints(QString(), QString());
  button.SetHintByWindow(true);
  button.SetShowHint(true);
  EXPECT_EQ(button.HintText(), QString()); // nothing to show
}

TEST(HotButton, LookDecidesSpacingAndHotFace) {
  TStaticHotBtn button;
  button.SetCaption(QStringLiteral("Go"));
  button.SetGlyph(RedSquare());
  const QSize plain = button.sizeHint();
  THotLook look;
  look.Spacing = 6;
  look.PadX = 10;
  look.HotFace = [](QPainter &p, const QRectF &r, bool) { p.fillRect(r, QColor(0, 200, 0)); };
  button.SetLook(look);
  EXPECT_EQ(button.sizeHint(), plain + QSize(12, 4));
  button.resize(button.sizeHint());
  EXPECT_NE(button.grab().toImage().pixelColor(1, 1), QColor(0, 200, 0));
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(&button, &enter);
  ASSERT_TRUE(button.IsHot());
  EXPECT_EQ(button.grab().toImage().pixelColor(1, 1), QColor(0, 200, 0));
  button.setEnabled(false); // no face while disabled
  EXPECT_NE(button.grab().toImage().pixelColor(1, 1), QColor(0, 200, 0));
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
