// The sample controls drawn offscreen: captions with accelerators, icons at the size asked, the
// hot button's three layouts, the hint texts, and the badge and icon pictures.
#include "controls/samples/sample_pictures.h"
#include "controls/samples/sample_text.h"
#include "controls/samples/sample_theme.h"
#include "controls/samples/static_buttons.h"
#include "controls/samples/static_edit_ctrl.h"
#include "controls/samples/static_group_box.h"
#include "controls/samples/static_hot_btn.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::samples;

namespace {

// Pixels clearly darker than the light faces and backgrounds: text and outlines.
int DarkPixels(const QImage &img, const QRect &area) {
  int n = 0;
  const QRect r = area.intersected(img.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(img.pixel(x, y)) < 110) ++n;
  return n;
}

int OpaquePixels(const QImage &img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qAlpha(img.pixel(x, y)) > 0) ++n;
  return n;
}

QImage Grab(QWidget &w) {
  return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where the icon's own colours (its sky blue) show up in a rendering.
QRect SkyBounds(const QImage &img) {
  QRect bounds;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.blue() > 200 && c.red() < 150 && c.green() > 140 && c.green() < 200) bounds |= QRect(x, y, 1, 1);
    }
  return bounds;
}

} // namespace

TEST(SamplePictures, BadgesAndIconsAreRealPicturesOfTheirSize) {
  std::vector<QImage> badges;
  for (const TPreviewBadge b : {TPreviewBadge::HintTF, TPreviewBadge::HintTH, TPreviewBadge::HintVH,
                                TPreviewBadge::HintTC, TPreviewBadge::Menu}) {
    const QImage img = BadgePicture(b).toImage();
    ASSERT_EQ(img.size(), QSize(16, 16));
    EXPECT_GT(OpaquePixels(img), 100); // fills most of its square
    for (const QImage &other : badges) EXPECT_NE(img, other);
    badges.push_back(img);
  }
  EXPECT_TRUE(BadgePicture(TPreviewBadge::None).isNull());
  for (const int size : kIconSizes) {
    const QImage img = IconPicture(size).toImage();
    ASSERT_EQ(img.size(), QSize(size, size));
    EXPECT_GT(OpaquePixels(img), size * size / 2);
    EXPECT_FALSE(SkyBounds(img.convertToFormat(QImage::Format_RGB32)).isEmpty());
  }
}

TEST(SampleText, AcceleratorsAndHints) {
  EXPECT_EQ(PlainCaption(QStringLiteral("&Open && Save")), QStringLiteral("Open & Save"));
  EXPECT_EQ(CaptionRichText(QStringLiteral("E&xit\tAlt+F4 <now>")),
            QStringLiteral("E<u>x</u>it&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Alt+F4 &lt;now&gt;"));
  EXPECT_EQ(ControlHintToolTip(QStringLiteral("Open|Opens a file|now")),
            QStringLiteral("<b>Open</b><br>Opens a file|now"));
  EXPECT_EQ(ControlHintToolTip(QStringLiteral("|")), QString());
  EXPECT_EQ(TwoPartToolTip(QString(), QStringLiteral("Only long")), QStringLiteral("Only long"));
}

TEST(StaticHotBtn, CaptionIconAndLayouts) {
  TStaticHotBtn b;
  DressAsSample(b);
  b.resize(90, 64);
  b.SetToolText(QStringLiteral("&Nuevo"), QStringLiteral("New"), QStringLiteral("Create a collection"));
  const QImage captionOnly = Grab(b);
  EXPECT_GT(DarkPixels(captionOnly, b.rect()), 20);
  EXPECT_TRUE(SkyBounds(captionOnly).isEmpty());

  b.SetToolIcon(IconPicture(32), 32);
  ASSERT_EQ(b.ToolIconSize(), 32);
  std::map<THotLayout, QImage> shots;
  for (const THotLayout l : {THotLayout::GlyphTop, THotLayout::GlyphLeft, THotLayout::GlyphOnly}) {
    b.SetLayout(l);
    shots[l] = Grab(b);
  }
  const QRect top = SkyBounds(shots[THotLayout::GlyphTop]);
  const QRect left = SkyBounds(shots[THotLayout::GlyphLeft]);
  const QRect only = SkyBounds(shots[THotLayout::GlyphOnly]);
  // The icon is drawn at its size: its sky spans most of 32 pixels in every layout.
  for (const QRect &sky : {top, left, only}) {
    EXPECT_GE(sky.width(), 20);
    EXPECT_LE(sky.width(), 32);
  }
  EXPECT_LT(top.top(), 20); // glyph on top: icon near the top...
  EXPECT_GT(DarkPixels(shots[THotLayout::GlyphTop], QRect(0, top.bottom() + 6, 90, 30)), 10); // caption below
  EXPECT_LT(left.left(), 14); // glyph left: icon at the left edge
  EXPECT_GT(DarkPixels(shots[THotLayout::GlyphLeft], QRect(left.right() + 6, 0, 60, 64)), 10);
  EXPECT_NEAR(only.center().x(), 45, 3); // glyph only: centred, no caption
  EXPECT_NEAR(only.center().y(), 32, 4);
  EXPECT_EQ(DarkPixels(shots[THotLayout::GlyphOnly], QRect(0, 32 + 16 + 2, 90, 14)), 0); // below the icon

  // A larger icon is drawn larger.
  b.SetToolIcon(IconPicture(48), 48);
  EXPECT_GT(SkyBounds(Grab(b)).width(), only.width() + 8);
  b.SetToolIcon(QPixmap(), 0);
  EXPECT_TRUE(SkyBounds(Grab(b)).isEmpty());
}

TEST(StaticHotBtn, SampleTakesNoKeyOrFocusOfItsWindow) {
  QWidget window;
  auto *layout = new QVBoxLayout(&window);
  TStaticHotBtn *sample = NewSampleHotBtn(nullptr);
  auto *next = new QPushButton(QStringLiteral("&Next"));
  layout->addWidget(sample);
  layout->addWidget(next);
  sample->SetToolText(QStringLiteral("&Nuevo"), QStringLiteral("New"), QStringLiteral("Create a collection"));
  EXPECT_EQ(sample->accessibleName(), QStringLiteral("Nuevo"));
  EXPECT_EQ(sample->HintText(), QString()); // hints off until a plan turns them on
  sample->SetShowHint(true);
  EXPECT_EQ(sample->HintText(), QStringLiteral("<b>New</b><br>Create a collection"));
  EXPECT_EQ(sample->focusPolicy(), Qt::NoFocus);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  // Alt+N belongs to the window's own button alone; were the sample to take it too, the key would be
  // ambiguous and only move the focus.
  QSignalSpy clicked(next, &QPushButton::clicked);
  QSignalSpy submitted(sample, &TStaticHotBtn::SubmitData);
  QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(clicked.wait(2000));
  EXPECT_EQ(submitted.count(), 0);
}

TEST(StaticHotBtn, SampleShowsTheThemesHotFace) {
  TStaticHotBtn b;
  DressAsSample(b);
  b.resize(90, 64);
  b.SetToolText(QStringLiteral("Go"), QString(), QString());
  b.SetToolIcon(IconPicture(32), 32);
  EXPECT_EQ(b.sizeHint(), QSize(std::max(32, CaptionWidth(b.font(), QStringLiteral("Go"))) + 16,
                                32 + kHotSpacing + b.fontMetrics().height() + 8));
  const QColor cold = Grab(b).pixelColor(45, 62);
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(&b, &enter);
  const QImage hot = Grab(b);
  EXPECT_NE(hot.pixelColor(45, 62), cold);
  EXPECT_GT(hot.pixelColor(45, 62).blue(), hot.pixelColor(45, 62).red() + 20); // the theme's blue face
  EXPECT_EQ(hot.pixelColor(45, 0), theme::kFrameHot);                          // and its frame
}

TEST(StaticToolControl, HintFollowsShowHint) {
  TStaticPushBtn b;
  b.SetToolText(QStringLiteral("OK"), QStringLiteral("Accept"), QStringLiteral("Accept the changes"));
  EXPECT_EQ(b.HintText(), QString());
  b.SetShowHint(true);
  EXPECT_EQ(b.HintText(), QStringLiteral("<b>Accept</b><br>Accept the changes"));
  b.SetToolText(QStringLiteral("OK"), QString(), QString());
  b.SetControlHint(QStringLiteral("Short|Long"));
  EXPECT_EQ(b.HintText(), QStringLiteral("<b>Short</b><br>Long"));
  EXPECT_GT(DarkPixels(Grab(b), b.rect().adjusted(4, 4, -4, -4)), 10);
}

TEST(StaticControls, EditCheckRadioAndGroupDrawTheirParts) {
  TStaticEditCtrl e;
  e.resize(200, 24);
  e.SetToolText(QStringLiteral("Buscar"), QString(), QString());
  e.SetMetrics(18, 120, 3);
  EXPECT_EQ(e.sizeHint().width(), 120); // the default width
  EXPECT_EQ(e.TextRect(), QRect(4, 0, 200 - 4 - 18, 24));
  QImage img = Grab(e);
  EXPECT_GT(DarkPixels(img, QRect(4, 0, 60, 24)), 10);       // the caption
  EXPECT_EQ(DarkPixels(img, QRect(200 - 18, 3, 15, 18)), 0); // the margin stays free
  EXPECT_EQ(img.pixelColor(150, 12), QColor(255, 255, 255)); // a white field
  e.SetToolIcon(IconPicture(16), 16);
  EXPECT_EQ(e.TextRect().left(), 4 + 16 + 3);
  const QRect sky = SkyBounds(Grab(e));
  EXPECT_GE(sky.left(), 4);
  EXPECT_LT(sky.right(), 4 + 16);

  TStaticCheckBox c;
  c.resize(120, 17);
  c.SetToolText(QStringLiteral("&Remember"), QString(), QString());
  const QImage checked = Grab(c);
  c.SetChecked(false);
  EXPECT_NE(checked, Grab(c)); // the tick is drawn
  EXPECT_GT(DarkPixels(checked, QRect(18, 0, 100, 17)), 15);

  TStaticRadioBtn r;
  r.resize(120, 17);
  r.SetToolText(QStringLiteral("One"), QString(), QString());
  EXPECT_NE(Grab(r), checked);

  TStaticGroupBox g;
  g.resize(200, 80);
  g.SetCaption(QStringLiteral("&Options"));
  g.SetHint(QStringLiteral("Grouped|All options"));
  EXPECT_EQ(g.HintText(), QString());
  g.SetShowHint(true);
  EXPECT_EQ(g.HintText(), QStringLiteral("<b>Grouped</b><br>All options"));
  EXPECT_EQ(g.accessibleName(), QStringLiteral("Options"));
}
