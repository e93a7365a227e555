// The fit check of the form preview: every visible control's texts measured in its own font,
// with what the control draws beside them, judged by the fit rules; the flagged controls get a
// dashed orange outline.
#include "client/core/fit_rules.h"
#include "controls/hot_button.h"
#include "controls/samples/static_buttons.h"
#include "controls/samples/static_edit_ctrl.h"
#include "prev_dfm_frm.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>

namespace vt {

namespace {

using K = TFormWidgetKind;
using P = TFormTextProp;

std::u16string ToU16(const QString &text) {
  return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

TFitRect RectOf(const QRect &r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

// Room the controls draw beside their texts, in pixels.
constexpr int kButtonMargin = 8;     // both sides of a push button's caption
constexpr int kMarkRoom = 13 + 4;    // check mark or radio circle and the gap after it
constexpr int kEditMargin = 6;       // frame and inner margins of an edit field
constexpr int kComboArrow = 17;      // drop-down button
constexpr int kGroupIndent = 16;     // caption set into a group box's top edge
constexpr int kTabPadding = 12;      // both sides of a tab's caption
constexpr int kHotCaptionMargin = 6; // a tool button's caption without an icon
constexpr int kHotSideRoom = 6;      // left of the icon beside the caption
constexpr int kHotTopRoom = 2;       // above the icon over the caption

} // namespace

std::vector<TControlFit> TPrevDfmFrm::CheckFit() {
  std::vector<TControlFit> out;
  QStringList flagged;
  std::vector<QPointer<QWidget>> outlined;
  const auto flag = [&](const TFormComponent &c, const char *kind, const QString &text,
                        const std::vector<TFitFinding> &findings) {
    for (const TFitFinding &f : findings) out.push_back({c.Name, kind, f, text});
    if (!findings.empty() && !flagged.contains(c.Name)) {
      flagged << c.Name;
      outlined.emplace_back(c.Widget.data());
    }
  };
  const auto widths = [](const QFontMetrics &fm, const std::vector<std::u16string> &lines) {
    std::vector<int> px;
    px.reserve(lines.size());
    for (const auto &line : lines)
      px.push_back(
          fm.horizontalAdvance(QString::fromUtf16(line.data(), static_cast<qsizetype>(line.size()))));
    return px;
  };

  for (const TFormComponent &c : FComponents) {
    QWidget *w = c.Widget;
    if (!w || c.Name.isEmpty() || c.Tag == -1 || !ShownInForm(w)) continue;
    QWidget *parent = w->parentWidget();
    const QFontMetrics fm(w->font());
    TFitMeasure m;
    m.Bounds = RectOf(w->geometry());
    if (parent) {
      m.ParentWidth = parent->width();
      m.ParentHeight = parent->height();
    }
    m.LineHeight = fm.height();
    const auto textOf = [&](P prop) { return ComponentText(c, prop); };
    // What the control shows: an 8-bit control loses the characters its code page lacks.
    const auto shown = [&](P prop) { return ShownText(c, textOf(prop)); };
    const auto lost = [&](P prop, const char *kind) {
      if (!c.Original[static_cast<int>(prop)]) return;
      if (auto finding = CheckLostCharacters(c.ClassName, ToU16(textOf(prop))))
        flag(c, kind, textOf(prop), {*finding});
    };
    switch (c.Kind) {
    case K::Label: {
      const QString caption = shown(P::Caption);
      m.Shape = c.AutoSize && !c.WordWrap ? TFitShape::AutoSizeText : TFitShape::Text;
      if (m.Shape == TFitShape::AutoSizeText) {
        // Grown from where the form put it; a line as high as the form's own caption had.
        m.Bounds = RectOf(c.Design);
        if (c.Design.height() > 0) m.LineHeight = std::min(m.LineHeight, c.Design.height() / c.DesignLines);
      }
      m.LineWidths = widths(fm, MeasureLines(ToU16(caption)));
      m.CheckHeight = true;
      m.WordWrap = c.WordWrap;
      if (m.Shape == TFitShape::AutoSizeText && parent)
        for (QWidget *sibling : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
          const TFormComponent *s = ComponentOf(sibling);
          if (sibling == w || !s || !ShownInForm(sibling)) continue;
          m.Siblings.push_back({s->Name.toStdString(), RectOf(sibling->geometry())});
        }
      if (!caption.isEmpty()) flag(c, "VC", textOf(P::Caption), vt::CheckFit(m));
      lost(P::Caption, "VC");
      break;
    }
    case K::PushButton:
    case K::SpeedButton:
    case K::CheckBox:
    case K::RadioButton: {
      const QString caption = shown(P::Caption);
      m.LineWidths = widths(fm, MeasureLines(ToU16(caption)));
      m.ChromeWidth = c.Kind == K::CheckBox || c.Kind == K::RadioButton ? kMarkRoom : kButtonMargin;
      m.CheckHeight = m.LineWidths.size() > 1;
      if (!caption.isEmpty()) flag(c, "VC", textOf(P::Caption), vt::CheckFit(m));
      lost(P::Caption, "VC");
      break;
    }
    case K::GroupBox:
    case K::ToolGroup: {
      const QString caption = shown(P::Caption);
      m.LineWidths = widths(fm, MeasureLines(ToU16(caption)));
      m.ChromeWidth = kGroupIndent;
      if (!caption.isEmpty()) flag(c, "VC", textOf(P::Caption), vt::CheckFit(m));
      lost(P::Caption, "VC");
      break;
    }
    case K::Edit: {
      const QString text = shown(P::Text);
      m.LineWidths = widths(fm, MeasureLines(ToU16(text), false));
      m.ChromeWidth = kEditMargin;
      if (!text.isEmpty()) flag(c, "VT", textOf(P::Text), vt::CheckFit(m));
      lost(P::Text, "VT");
      break;
    }
    case K::ComboBox:
    case K::ListBox: {
      QStringList items;
      if (auto *combo = qobject_cast<QComboBox *>(w))
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
      else if (auto *list = qobject_cast<QListWidget *>(w))
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
      for (const QString &item : items) m.LineWidths.push_back(fm.horizontalAdvance(item));
      m.ChromeWidth = kEditMargin + (c.Kind == K::ComboBox ? kComboArrow : 0);
      if (!items.isEmpty()) flag(c, "VI", items.join(QLatin1Char('|')), vt::CheckFit(m));
      if (c.Original[static_cast<int>(P::Items)]) lost(P::Items, "VI");
      break;
    }
    case K::PageControl: {
      auto *pages = qobject_cast<QTabWidget *>(w);
      if (!pages) break;
      m.Shape = TFitShape::Tabs;
      QStringList captions;
      const QFontMetrics tabFm(pages->tabBar()->font());
      for (int i = 0; i < pages->count(); ++i) {
        if (!pages->isTabVisible(i)) continue;
        captions << pages->tabText(i);
        const auto lines = MeasureLines(ToU16(pages->tabText(i)));
        m.LineWidths.push_back(lines.empty() ? 0 : widths(tabFm, {lines.front()}).front());
      }
      m.ChromeWidth = kTabPadding;
      if (!captions.isEmpty()) flag(c, "VC", captions.join(QLatin1Char('|')), vt::CheckFit(m));
      break;
    }
    case K::TabSet: {
      auto *tabs = qobject_cast<QTabBar *>(w);
      if (!tabs) break;
      m.Shape = TFitShape::Tabs;
      QStringList captions;
      for (int i = 0; i < tabs->count(); ++i) {
        captions << tabs->tabText(i);
        m.LineWidths.push_back(fm.horizontalAdvance(tabs->tabText(i)));
      }
      m.ChromeWidth = kTabPadding;
      if (!captions.isEmpty()) flag(c, "TS", textOf(P::Tabs), vt::CheckFit(m));
      break;
    }
    case K::HotButton: {
      auto *hot = qobject_cast<TStaticHotBtn *>(w);
      if (!hot || hot->Caption().isEmpty()) break;
      m.LineWidths = widths(fm, MeasureLines(ToU16(hot->Caption())));
      // As the button draws its caption: beside the icon, under it, or alone between small margins.
      const int icon = hot->ToolIconSize();
      if (icon <= 0) {
        m.ChromeWidth = kHotCaptionMargin;
      } else if (hot->Layout() == TButtonLayout::GlyphLeft) {
        m.ChromeWidth = kHotSideRoom + icon + hot->Look().Spacing + 4;
      } else {
        m.ChromeWidth = 4;
        m.CheckHeight = true;
        m.ChromeHeight = kHotTopRoom + icon + hot->Look().Spacing;
      }
      if (hot->Layout() != TButtonLayout::GlyphOnly) flag(c, "TC", textOf(P::ToolCaption), vt::CheckFit(m));
      lost(P::ToolCaption, "TC");
      break;
    }
    case K::ToolControl: {
      auto *tool = qobject_cast<samples::TStaticToolControl *>(w);
      if (!tool || tool->Caption().isEmpty()) break;
      m.LineWidths = widths(fm, MeasureLines(ToU16(tool->Caption())));
      const int icon = tool->ToolIconSize();
      if (qobject_cast<samples::TStaticMarkControl *>(w))
        m.ChromeWidth = samples::TStaticMarkControl::kMarkSize + samples::TStaticMarkControl::kMarkGap;
      else if (auto *edit = qobject_cast<samples::TStaticEditCtrl *>(w))
        m.ChromeWidth = icon + edit->IconGap() + edit->Margin() + 2 * samples::TStaticEditCtrl::kPadding;
      else
        m.ChromeWidth = kButtonMargin + (icon > 0 ? icon + 4 : 0);
      flag(c, "TC", textOf(P::ToolCaption), vt::CheckFit(m));
      lost(P::ToolCaption, "TC");
      break;
    }
    case K::Panel: {
      if (c.Tag != 1234) break;
      m.Shape = TFitShape::Toolbar;
      for (QWidget *child : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const TFormComponent *s = ComponentOf(child);
        if (s && !s->Aligned && ShownInForm(child)) m.Children.push_back(RectOf(child->geometry()));
      }
      m.ParentWidth = w->width();
      m.ParentHeight = w->height();
      if (!m.Children.empty()) flag(c, "VC", QString(), vt::CheckFit(m));
      break;
    }
    case K::TabSheet:
      lost(P::Caption, "VC");
      break;
    default:
      break;
    }
  }
  FFlagged = flagged;
  ShowFitOutlines(std::move(outlined));
  return out;
}

} // namespace vt
