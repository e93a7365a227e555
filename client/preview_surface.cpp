#include "preview_surface.h"

#include "controls/samples/sample_pictures.h"
#include "controls/samples/sample_text.h"
#include "controls/samples/static_buttons.h"
#include "controls/samples/static_edit_ctrl.h"
#include "controls/samples/static_group_box.h"
#include "controls/samples/static_hot_btn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace vt::samples {

namespace {

// The plan's choices as the sample controls name them.
TPreviewBadge SampleBadge(vt::TPreviewBadge badge) {
  switch (badge) {
  case vt::TPreviewBadge::None:
    return TPreviewBadge::None;
  case vt::TPreviewBadge::HintTF:
    return TPreviewBadge::HintTF;
  case vt::TPreviewBadge::HintTH:
    return TPreviewBadge::HintTH;
  case vt::TPreviewBadge::HintVH:
    return TPreviewBadge::HintVH;
  case vt::TPreviewBadge::HintTC:
    return TPreviewBadge::HintTC;
  case vt::TPreviewBadge::Menu:
    return TPreviewBadge::Menu;
  }
  return TPreviewBadge::None;
}

THotLayout SampleLayout(vt::THotLayout layout) {
  switch (layout) {
  case vt::THotLayout::GlyphLeft:
    return THotLayout::GlyphLeft;
  case vt::THotLayout::GlyphOnly:
    return THotLayout::GlyphOnly;
  case vt::THotLayout::GlyphTop:
    break;
  }
  return THotLayout::GlyphTop;
}

// The tool text, the control hint and the show-hint switch, alike on every text-carrying sample.
template <class TControl>
void ApplyToolText(TControl &tool, const TPreviewPlan &plan, const QString &caption) {
  if (plan.HasToolText) tool.SetToolText(caption, ToQString(plan.ToolHint), ToQString(plan.ToolFullHint));
  if (plan.Hint) tool.SetControlHint(ToQString(*plan.Hint));
  tool.SetShowHint(plan.ShowHint);
}

// The dotted grey frame drawn around sized samples.
class TDottedBevel : public QWidget {
public:
  explicit TDottedBevel(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

QString QStr(std::string_view latin) {
  return QString::fromLatin1(latin.data(), static_cast<qsizetype>(latin.size()));
}

QColor ToQColor(const TRgb &c) {
  return QColor(c.R, c.G, c.B);
}

QLabel *NewLabel(QWidget *parent, const QColor &text, const QColor *back) {
  auto *label = new QLabel(parent);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, text);
  if (back) {
    pal.setColor(QPalette::Window, *back);
    label->setAutoFillBackground(true);
  }
  label->setPalette(pal);
  label->setTextFormat(Qt::RichText);
  return label;
}

// The hint of a standard control is its tool tip while hints are on.
void SetStandardHint(QWidget *w, const std::optional<std::u16string> &hint, bool showHint) {
  if (hint) w->setProperty("hint", ToQString(*hint));
  w->setProperty("showHint", showHint);
  w->setToolTip(showHint ? ControlHintToolTip(w->property("hint").toString()) : QString());
}

void SetLabelText(QLabel *label, const std::u16string &caption, TPreviewSample sample) {
  // Hint labels show the hint as it reads; other labels show their accelerator underlined.
  if (sample == TPreviewSample::LabelHint) {
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(caption));
  } else {
    label->setTextFormat(Qt::RichText);
    label->setText(CaptionRichText(ToQString(caption)));
  }
  label->setAccessibleDescription(PlainCaption(ToQString(caption)));
}

} // namespace

TPreviewSurface::TPreviewSurface(QWidget *panelPreview, QWidget *panelHidden)
    : FPanelPreview(panelPreview), FPanelHidden(panelHidden) {
  FBevel = new TDottedBevel(panelPreview);
  FBevel->setObjectName(QStringLiteral("Bevel1"));
  FBevel->move(kBevelLeft, kBevelTop);
  FBevel->hide();
  FHintImage = new QLabel(panelPreview);
  FHintImage->setObjectName(QStringLiteral("image_Hint"));
  FHintImage->setGeometry(kHintLeft, kHintTop, kBadgeSize, kBadgeSize);
  FHintImage->hide();

  for (const vt::TPreviewBadge b :
       {vt::TPreviewBadge::HintTF, vt::TPreviewBadge::HintTH, vt::TPreviewBadge::HintVH,
        vt::TPreviewBadge::HintTC, vt::TPreviewBadge::Menu}) {
    auto *picture = new QLabel(panelHidden);
    picture->setObjectName(QStr(PreviewBadgeName(b)));
    picture->setPixmap(BadgePicture(SampleBadge(b)));
    picture->setFixedSize(kBadgeSize, kBadgeSize);
  }
  for (const int size : kIconSizes) {
    auto *picture = new QLabel(panelHidden);
    picture->setObjectName(QStringLiteral("im_%1").arg(size));
    picture->setPixmap(IconPicture(size));
    picture->setFixedSize(size, size);
  }

  const QColor black(0, 0, 0), white(255, 255, 255), hintBack = ToQColor(kRgbHintLabelBack);
  const auto put = [&](TPreviewSample s, QWidget *w) {
    w->setObjectName(QStr(PreviewSampleName(s)));
    FSamples[static_cast<int>(s)] = w;
  };
  put(TPreviewSample::StaticHotBtn, NewSampleHotBtn(panelHidden));
  put(TPreviewSample::StaticEditCtrl, new TStaticEditCtrl(panelHidden));
  put(TPreviewSample::StaticPushBtn, new TStaticPushBtn(panelHidden));
  put(TPreviewSample::StaticCheckBox, new TStaticCheckBox(panelHidden));
  put(TPreviewSample::StaticRadioBtn, new TStaticRadioBtn(panelHidden));
  put(TPreviewSample::StaticGroupBox, new TStaticGroupBox(panelHidden));
  put(TPreviewSample::TntButton, new QPushButton(panelHidden));
  put(TPreviewSample::TntLabel, NewLabel(panelHidden, black, nullptr));
  put(TPreviewSample::TntCheckBox, new QCheckBox(panelHidden));
  put(TPreviewSample::TntRadioButton, new QRadioButton(panelHidden));
  put(TPreviewSample::TntComboBox, new QComboBox(panelHidden));
  put(TPreviewSample::Menu, NewLabel(panelHidden, black, &white));
  put(TPreviewSample::LabelHint, NewLabel(panelHidden, black, &hintBack));
  put(TPreviewSample::Generic, NewLabel(panelHidden, black, nullptr));
  for (QWidget *w : FSamples)
    if (w) w->adjustSize();
  FSamples[static_cast<int>(TPreviewSample::Menu)]->setContentsMargins(4, 1, 4, 1);
  FSamples[static_cast<int>(TPreviewSample::LabelHint)]->setContentsMargins(3, 2, 3, 2);
}

void TPreviewSurface::SetInfoLabels(QLabel *labelStInfo, QLabel *label2) {
  FStInfo = labelStInfo;
  FLabel2 = label2;
}

QWidget *TPreviewSurface::Sample(TPreviewSample sample) const {
  return FSamples[static_cast<int>(sample)];
}

void TPreviewSurface::SetPreviewControl(QWidget *control) {
  if (control == FPreviewControl) return;
  if (FPreviewControl) {
    FPreviewControl->setParent(FPanelHidden);
    FPreviewControl->show();
  }
  if (!control) {
    FBevel->hide();
  } else {
    control->setParent(FPanelPreview);
    control->show();
  }
  FPreviewControl = control;
}

void TPreviewSurface::PlacePreviewControl(QWidget *control, int width, int height) {
  control->move(FBevel->x() + 2, FBevel->y() + 2);
  if (width > 0) control->setFixedWidth(width);
  if (height > 0) control->setFixedHeight(height);
  FBevel->resize(width + 4, height + 4);
  FBevel->setVisible(width > 0 && height > 0);
}

void TPreviewSurface::ApplyPreviewFont(QWidget *control, const TPreviewFont &font) {
  QFont f(ToQString(font.Name));
  // A negative height is the character height in pixels; a positive one the cell height.
  if (font.Height != 0) f.setPixelSize(std::abs(font.Height));
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  control->setFont(f);
}

QPixmap TPreviewSurface::HeldIcon(int iconSize) const {
  const auto *picture = FPanelHidden->findChild<QLabel *>(QStringLiteral("im_%1").arg(iconSize));
  return picture && iconSize > 0 ? picture->pixmap() : QPixmap();
}

void TPreviewSurface::ApplyPreviewIcon(TStaticToolControl *control, int iconSize) const {
  control->SetToolIcon(HeldIcon(iconSize), iconSize);
}

void TPreviewSurface::ApplyPreviewIcon(TStaticHotBtn *control, int iconSize) const {
  control->SetToolIcon(HeldIcon(iconSize), iconSize);
}

void TPreviewSurface::ShowPlan(const TPreviewPlan &plan) {
  if (FLabel2) FLabel2->setText(QString());
  FHintImage->hide();
  SetPreviewControl(nullptr);
  if (FLabel2) FLabel2->setText(ToQString(plan.Label2));
  if (FStInfo && plan.StInfo) FStInfo->setText(ToQString(*plan.StInfo));
  QWidget *w = Sample(plan.Sample);
  if (!w) return;
  auto *label = qobject_cast<QLabel *>(w);

  // Label behaviour first, then font and size, as the labels measure themselves with them.
  if (label && plan.Look) label->setWordWrap(plan.Look->WordWrap);
  if (plan.Font && !plan.FontAfterTexts) ApplyPreviewFont(w, *plan.Font);
  if (label && plan.Look) {
    QFont f = label->font();
    f.setBold(plan.Look->Bold);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, plan.Look->Color
                                           ? ToQColor(*plan.Look->Color)
                                           : FPanelPreview->palette().color(QPalette::WindowText));
    label->setPalette(pal);
  }
  // Sizes set earlier for another object must not stick to a sample that keeps its own size.
  w->setMinimumSize(0, 0);
  w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (plan.Place == TPreviewPlace::AtFrame) {
    PlacePreviewControl(w, plan.Width, plan.Height);
  } else {
    w->move(FHintImage->x() + kBesideBadgeOffset, FHintImage->y());
  }

  const QString caption = ToQString(plan.Caption);
  if (auto *hot = qobject_cast<TStaticHotBtn *>(w)) {
    ApplyToolText(*hot, plan, caption);
  } else if (auto *tool = qobject_cast<TStaticToolControl *>(w)) {
    ApplyToolText(*tool, plan, caption);
  } else if (auto *group = qobject_cast<TStaticGroupBox *>(w)) {
    group->SetCaption(caption);
    if (plan.Hint) group->SetHint(ToQString(*plan.Hint));
    group->SetShowHint(plan.ShowHint);
  } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
    combo->clear();
    for (const auto &item : plan.Items) combo->addItem(ToQString(item));
    combo->setCurrentIndex(plan.Items.empty() ? -1 : 0);
    SetStandardHint(w, plan.Hint, plan.ShowHint);
  } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
    button->setText(caption);
    SetStandardHint(w, plan.Hint, plan.ShowHint);
  } else if (label) {
    SetLabelText(label, plan.Caption, plan.Sample);
    SetStandardHint(w, plan.Hint, plan.ShowHint);
  }
  if (plan.Font && plan.FontAfterTexts) ApplyPreviewFont(w, *plan.Font);

  if (auto *hot = qobject_cast<TStaticHotBtn *>(w); hot && plan.Layout)
    hot->SetLayout(SampleLayout(*plan.Layout));
  if (auto *edit = qobject_cast<TStaticEditCtrl *>(w); edit && plan.HasEditMetrics)
    edit->SetMetrics(plan.Margin, plan.DefWidth, plan.IconGap);
  if (plan.ApplyIcon) {
    if (auto *hot = qobject_cast<TStaticHotBtn *>(w))
      ApplyPreviewIcon(hot, plan.IconSize);
    else if (auto *tool = qobject_cast<TStaticToolControl *>(w))
      ApplyPreviewIcon(tool, plan.IconSize);
  }

  if (plan.Place == TPreviewPlace::BesideBadge && plan.Look) {
    if (plan.Look->Sizing == TLabelSizing::FixedToPanel) {
      w->setFixedSize(std::max(0, FPanelPreview->width() - w->x() - kFixedLabelMargin),
                      std::max(0, FPanelPreview->height() - w->y() - kFixedLabelMargin));
      if (label) label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
  }
  if (label && plan.Look && plan.Look->Sizing == TLabelSizing::Auto) label->adjustSize();
  if (label && !plan.Look && plan.Place == TPreviewPlace::AtFrame && plan.Width <= 0) label->adjustSize();
  if (plan.Place == TPreviewPlace::BesideBadge && !plan.Look) w->adjustSize();
  if (plan.Place == TPreviewPlace::AtFrame && (plan.Width <= 0 || plan.Height <= 0) && !label) {
    // A member sized by width only keeps its design height (standard controls: their size hint).
    QSize size = w->sizeHint().isValid() ? w->sizeHint() : w->size();
    if (plan.Width > 0) size.setWidth(plan.Width);
    if (plan.Height > 0) size.setHeight(plan.Height);
    w->resize(size);
  }

  const QPixmap badge = BadgePicture(SampleBadge(plan.Badge));
  if (!badge.isNull()) {
    const auto *picture = FPanelHidden->findChild<QLabel *>(QStr(PreviewBadgeName(plan.Badge)));
    FHintImage->setPixmap(picture ? picture->pixmap() : badge);
    FHintImage->show();
  }
  SetPreviewControl(w);
}

} // namespace vt::samples
