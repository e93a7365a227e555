// From the objects of a form text to real widgets: one widget kind per listed class, bounds,
// alignment, visibility, fonts, colours, pages, item and tab indexes, check marks, and the texts
// each class carries. A class the preview does not know becomes a framed placeholder.
#include "client/core/fit_rules.h"
#include "client/core/preview_plan.h"
#include "client/preview_surface.h"
#include "controls/hot_button.h"
#include "controls/samples/sample_pictures.h"
#include "controls/samples/static_buttons.h"
#include "controls/samples/static_edit_ctrl.h"
#include "controls/samples/static_group_box.h"
#include "controls/samples/static_hot_btn.h"
#include "controls/tool_text.h"
#include "prev_dfm_frm.h"
#include "support/text_codec.h"
#include "tools/form_text_reader.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vt {

namespace {

using K = TFormWidgetKind;
using P = TFormTextProp;

struct TClassInfo {
  std::string_view Name;
  K Kind;
  bool Graphic;
};

// The classes a form text may name and what each becomes.
constexpr TClassInfo kClasses[] = {
    {"TSpeedButton", K::SpeedButton, true},
    {"TLabel", K::Label, true},
    {"TTntButton", K::PushButton, false},
    {"TPaintBox", K::PaintBox, true},
    {"TStaticGroupBox", K::ToolGroup, false},
    {"TTntLabel", K::Label, true},
    {"TProgressBar", K::ProgressBar, false},
    {"TShape", K::Shape, true},
    {"TTntPageControl", K::PageControl, false},
    {"TTntTabSheet", K::TabSheet, false},
    {"TStaticHotBtn", K::HotButton, false},
    {"TBevel", K::Bevel, true},
    {"TStaticCheckBox", K::ToolControl, false},
    {"TStaticEditCtrl", K::ToolControl, false},
    {"TStaticRadioBtn", K::ToolControl, false},
    {"TCheckBox", K::CheckBox, false},
    {"TComboBox", K::ComboBox, false},
    {"TPanel", K::Panel, false},
    {"TTntMemo", K::Memo, false},
    {"TThemePageControl", K::PageControl, false},
    {"TThemeTabSheet", K::TabSheet, false},
    {"TRxSpinEdit", K::SpinEdit, false},
    {"TTntEdit", K::Edit, false},
    {"TButton", K::PushButton, false},
    {"TmmNumEdit", K::SpinEdit, false},
    {"TImage", K::Image, true},
    {"TTabSet", K::TabSet, false},
    {"TTntImage", K::Image, true},
    {"TTntCheckBox", K::CheckBox, false},
    {"TTntGroupBox", K::GroupBox, false},
    {"TSpinButton", K::SpinButton, false},
    {"TStaticGrid", K::Grid, false},
    {"TListBox", K::ListBox, false},
    {"TEdit", K::Edit, false},
    {"TTntSpeedButton", K::SpeedButton, true},
    {"TMemo", K::Memo, false},
    {"TRxSplitter", K::Splitter, false},
    {"TTntStatusBar", K::StatusBar, false},
    {"TImageList", K::None, false},
    {"TTntMainMenu", K::MainMenu, false},
    {"TTntMenuItem", K::MenuItem, false},
    {"TStaticPushBtn", K::ToolControl, false},
    {"TTntRadioButton", K::RadioButton, false},
    {"TTrackBar", K::TrackBar, false},
    {"TStaticBtn", K::ToolControl, false},
    {"TSpinEdit", K::SpinEdit, false},
    {"TScrollBar", K::ScrollBar, false},
    {"TStatusBar", K::StatusBar, false},
    {"TPageControl", K::PageControl, false},
    {"TTabSheet", K::TabSheet, false},
    {"TGroupBox", K::GroupBox, false},
    {"TGeneralEdit", K::Edit, false},
    {"TStaticPreviewBox", K::PreviewBox, false},
    {"TTntComboBox", K::ComboBox, false},
    {"TBMSpinEdit", K::SpinEdit, false},
    {"TFontComboBox", K::ComboBox, false},
    {"TColorComboBox", K::ComboBox, false},
};
static_assert(std::size(kClasses) == 57);

const TClassInfo *FindClass(std::string_view name) {
  for (const TClassInfo &info : kClasses)
    if (info.Name == name) return &info;
  return nullptr;
}

QString ToQ(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
std::u16string ToU16(const QString &text) {
  return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}
// Form texts break lines with CR LF; widgets with LF.
QString WidgetLines(const QString &text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}
QStringList SplitLines(const QString &text) {
  if (text.isEmpty()) return {};
  return WidgetLines(text).split(QLatin1Char('\n'));
}
// The short part of a hint "short|long", as a tool tip shows it.
QString ShortHint(const QString &hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.left(bar);
}

int Clamp(std::int64_t v, int lo, int hi) {
  return static_cast<int>(std::clamp<std::int64_t>(v, lo, hi));
}

// Colours as form texts write them: $00BBGGRR numbers and a few names.
std::optional<QColor> FormColor(const TFormObject &obj, std::string_view prop) {
  if (const auto v = obj.Int(prop)) {
    if (*v < 0) return std::nullopt; // system colours
    return QColor(static_cast<int>(*v & 0xFF), static_cast<int>((*v >> 8) & 0xFF),
                  static_cast<int>((*v >> 16) & 0xFF));
  }
  static const std::pair<std::string_view, QColor> kNames[] = {{"clBlack", Qt::black},
                                                               {"clMaroon", QColor(128, 0, 0)},
                                                               {"clGreen", QColor(0, 128, 0)},
                                                               {"clOlive", QColor(128, 128, 0)},
                                                               {"clNavy", QColor(0, 0, 128)},
                                                               {"clPurple", QColor(128, 0, 128)},
                                                               {"clTeal", QColor(0, 128, 128)},
                                                               {"clGray", QColor(128, 128, 128)},
                                                               {"clSilver", QColor(192, 192, 192)},
                                                               {"clRed", Qt::red},
                                                               {"clLime", Qt::green},
                                                               {"clYellow", Qt::yellow},
                                                               {"clBlue", Qt::blue},
                                                               {"clFuchsia", Qt::magenta},
                                                               {"clAqua", Qt::cyan},
                                                               {"clWhite", Qt::white},
                                                               {"clWindow", Qt::white},
                                                               {"clBtnFace", QColor(240, 240, 240)},
                                                               {"clGrayText", QColor(109, 109, 109)}};
  if (const auto id = obj.Ident(prop))
    for (const auto &[name, color] : kNames)
      if (name == *id) return color;
  return std::nullopt;
}

// The font of an object that has its own (ParentFont off or any Font property): the preview's
// mapping of name, height and style; an object without one inherits its parent's.
void ApplyFont(QWidget *w, const TFormObject &obj) {
  const bool own = obj.Find("Font.Name") || obj.Find("Font.Height") || obj.Find("Font.Style") ||
                   obj.Find("Font.Color") || obj.Find("Font.Size");
  if (!own || obj.Bool("ParentFont", false)) return;
  TPreviewFont font;
  if (const auto name = obj.Text("Font.Name"); name && !name->empty()) font.Name = *name;
  if (const auto height = obj.Int("Font.Height"))
    font.Height = Clamp(*height, -200, 200);
  else if (const auto size = obj.Int("Font.Size"))
    font.Height = -Clamp(*size * 96 / 72, 1, 200);
  bool underline = false, strike = false;
  if (const auto style = obj.Set("Font.Style")) {
    for (const std::string &s : *style) {
      font.Bold = font.Bold || s == "fsBold";
      font.Italic = font.Italic || s == "fsItalic";
      underline = underline || s == "fsUnderline";
      strike = strike || s == "fsStrikeOut";
    }
  }
  samples::TPreviewSurface::ApplyPreviewFont(w, font);
  if (underline || strike) {
    QFont f = w->font();
    f.setUnderline(underline);
    f.setStrikeOut(strike);
    w->setFont(f);
  }
  if (const auto color = FormColor(obj, "Font.Color")) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, *color);
    pal.setColor(QPalette::Text, *color);
    pal.setColor(QPalette::ButtonText, *color);
    w->setPalette(pal);
  }
}

// A panel: a raised frame with its caption in the middle.
class TFormPanel : public QFrame {
public:
  using QFrame::QFrame;
  QString Caption;

protected:
  void paintEvent(QPaintEvent *event) override {
    QFrame::paintEvent(event);
    if (Caption.isEmpty()) return;
    QPainter p(this);
    p.drawText(contentsRect(), Qt::AlignCenter, Caption);
  }
};

// A class the preview does not know: a dashed grey frame that keeps name, bounds and children.
class TFormPlaceholder : public QFrame {
public:
  using QFrame::QFrame;

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

// A shape: a rectangle of the form's pen and brush colours.
class TFormShape : public QWidget {
public:
  using QWidget::QWidget;
  QColor Pen = Qt::black, Brush = Qt::white;

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.setPen(Pen);
    p.setBrush(Brush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

// The form's own items of a list, as an 8-bit control shows them.
QStringList FormItems(const TFormObject &obj) {
  QStringList out;
  for (const auto &line : obj.Strings("Items.Strings").value_or(std::vector<std::u16string>{}))
    out << ToQ(Cp1252ToUtf16(Utf16ToCp1252(line)));
  return out;
}

QWidget *MakeWidget(K kind, const TFormObject &obj, QWidget *parent) {
  switch (kind) {
  case K::Label: {
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(obj.Bool("WordWrap", false));
    Qt::Alignment align = Qt::AlignTop;
    const auto a = obj.Ident("Alignment").value_or("taLeftJustify");
    align |= a == "taCenter" ? Qt::AlignHCenter : a == "taRightJustify" ? Qt::AlignRight : Qt::AlignLeft;
    label->setAlignment(align);
    return label;
  }
  case K::PushButton:
    return new QPushButton(parent);
  case K::SpeedButton: {
    auto *button = new QToolButton(parent);
    button->setAutoRaise(obj.Bool("Flat", false));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
  }
  case K::CheckBox:
    return new QCheckBox(parent);
  case K::RadioButton: {
    auto *radio = new QRadioButton(parent);
    radio->setAutoExclusive(false); // the form text says which are checked
    return radio;
  }
  case K::Edit: {
    auto *edit = new QLineEdit(parent);
    edit->setReadOnly(obj.Bool("ReadOnly", false));
    return edit;
  }
  case K::Memo: {
    auto *memo = new QPlainTextEdit(parent);
    memo->setReadOnly(obj.Bool("ReadOnly", false));
    memo->setLineWrapMode(obj.Bool("WordWrap", true) ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    return memo;
  }
  case K::ComboBox: {
    auto *combo = new QComboBox(parent);
    const auto style = obj.Ident("Style").value_or("csDropDown");
    combo->setEditable(style == "csDropDown" || style == "csSimple");
    // An 8-bit list keeps the form's items; a Unicode one takes them with its texts.
    if (!HoldsWideText(obj.ClassName)) combo->addItems(FormItems(obj));
    return combo;
  }
  case K::ListBox: {
    auto *list = new QListWidget(parent);
    list->addItems(FormItems(obj));
    return list;
  }
  case K::GroupBox:
    return new QGroupBox(parent);
  case K::Panel: {
    auto *panel = new TFormPanel(parent);
    const auto outer = obj.Ident("BevelOuter").value_or("bvRaised");
    panel->setFrameShape(outer == "bvNone" ? QFrame::NoFrame : QFrame::Panel);
    panel->setFrameShadow(outer == "bvLowered" ? QFrame::Sunken : QFrame::Raised);
    return panel;
  }
  case K::Bevel: {
    auto *bevel = new QFrame(parent);
    const auto shape = obj.Ident("Shape").value_or("bsBox");
    bevel->setFrameShape(shape == "bsTopLine" || shape == "bsBottomLine"   ? QFrame::HLine
                         : shape == "bsLeftLine" || shape == "bsRightLine" ? QFrame::VLine
                         : shape == "bsSpacer"                             ? QFrame::NoFrame
                                                                           : QFrame::Box);
    bevel->setFrameShadow(obj.Ident("Style").value_or("bsLowered") == "bsRaised" ? QFrame::Raised
                                                                                 : QFrame::Sunken);
    return bevel;
  }
  case K::Shape: {
    auto *shape = new TFormShape(parent);
    if (const auto c = FormColor(obj, "Pen.Color")) shape->Pen = *c;
    if (const auto c = FormColor(obj, "Brush.Color")) shape->Brush = *c;
    return shape;
  }
  case K::PaintBox:
  case K::Image:
  case K::PreviewBox:
    return new QWidget(parent);
  case K::ProgressBar: {
    auto *bar = new QProgressBar(parent);
    bar->setRange(Clamp(obj.Int("Min").value_or(0), 0, 1 << 30),
                  Clamp(obj.Int("Max").value_or(100), 0, 1 << 30));
    bar->setValue(Clamp(obj.Int("Position").value_or(0), 0, 1 << 30));
    bar->setTextVisible(false);
    return bar;
  }
  case K::TrackBar: {
    auto *slider = new QSlider(
        obj.Ident("Orientation").value_or("trHorizontal") == "trVertical" ? Qt::Vertical : Qt::Horizontal,
        parent);
    slider->setRange(Clamp(obj.Int("Min").value_or(0), -(1 << 30), 1 << 30),
                     Clamp(obj.Int("Max").value_or(10), -(1 << 30), 1 << 30));
    slider->setValue(Clamp(obj.Int("Position").value_or(0), -(1 << 30), 1 << 30));
    return slider;
  }
  case K::ScrollBar:
    return new QScrollBar(
        obj.Ident("Kind").value_or("sbHorizontal") == "sbVertical" ? Qt::Vertical : Qt::Horizontal, parent);
  case K::SpinEdit: {
    auto *spin = new QSpinBox(parent);
    spin->setRange(-(1 << 30), 1 << 30);
    spin->setValue(Clamp(obj.Int("Value").value_or(0), -(1 << 30), 1 << 30));
    return spin;
  }
  case K::SpinButton: {
    auto *box = new QWidget(parent);
    auto *col = new QVBoxLayout(box);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);
    for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
      auto *b = new QToolButton(box);
      b->setArrowType(arrow);
      b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
      col->addWidget(b);
    }
    return box;
  }
  case K::Splitter: {
    auto *bar = new QFrame(parent);
    bar->setFrameShape(QFrame::StyledPanel);
    return bar;
  }
  case K::StatusBar: {
    auto *bar = new QStatusBar(parent);
    bar->setSizeGripEnabled(false);
    if (const auto text = obj.Text("SimpleText")) bar->showMessage(ToQ(*text));
    return bar;
  }
  case K::PageControl:
    return new QTabWidget(parent);
  case K::TabSheet:
    return new QWidget(parent);
  case K::TabSet: {
    auto *tabs = new QTabBar(parent);
    tabs->setDrawBase(false);
    tabs->setShape(QTabBar::RoundedSouth);
    tabs->setExpanding(false);
    return tabs;
  }
  case K::Grid: {
    auto *grid = new QTableWidget(Clamp(obj.Int("RowCount").value_or(5), 0, 1000),
                                  Clamp(obj.Int("ColCount").value_or(5), 0, 1000), parent);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    return grid;
  }
  case K::HotButton: {
    auto *hot = samples::NewSampleHotBtn(parent);
    const auto layout = obj.Ident("Layout").value_or("blGlyphTop");
    hot->SetLayout(layout == "blGlyphLeft"   ? TButtonLayout::GlyphLeft
                   : layout == "blGlyphOnly" ? TButtonLayout::GlyphOnly
                                             : TButtonLayout::GlyphTop);
    const auto icon = obj.Int("ToolIconSize").value_or(obj.Int("ToolIcon.Size").value_or(0));
    if (icon > 0 && icon <= 256)
      hot->SetToolIcon(samples::IconPicture(static_cast<int>(icon)), static_cast<int>(icon));
    return hot;
  }
  case K::ToolControl: {
    const std::string cls = obj.ClassName;
    samples::TStaticToolControl *tool = nullptr;
    if (cls == "TStaticCheckBox" || cls == "TStaticRadioBtn") {
      samples::TStaticMarkControl *mark =
          cls == "TStaticCheckBox"
              ? static_cast<samples::TStaticMarkControl *>(new samples::TStaticCheckBox(parent))
              : new samples::TStaticRadioBtn(parent);
      mark->SetChecked(obj.Bool("Checked", false));
      tool = mark;
    } else if (cls == "TStaticEditCtrl") {
      tool = new samples::TStaticEditCtrl(parent);
    } else {
      tool = new samples::TStaticPushBtn(parent);
    }
    const auto icon = obj.Int("ToolIconSize").value_or(obj.Int("ToolIcon.Size").value_or(0));
    if (icon > 0 && icon <= 256)
      tool->SetToolIcon(samples::IconPicture(static_cast<int>(icon)), static_cast<int>(icon));
    return tool;
  }
  case K::ToolGroup:
    return new samples::TStaticGroupBox(parent);
  case K::Placeholder: {
    auto *frame = new TFormPlaceholder(parent);
    return frame;
  }
  case K::None:
  case K::MainMenu:
  case K::MenuItem:
    break;
  }
  return nullptr;
}

// The texts a kind of component carries.
std::vector<P> PropsOf(K kind, bool wide) {
  switch (kind) {
  case K::Label:
  case K::PushButton:
  case K::SpeedButton:
  case K::CheckBox:
  case K::RadioButton:
  case K::GroupBox:
  case K::Panel:
  case K::TabSheet:
  case K::MenuItem:
  case K::ToolGroup:
    return {P::Caption, P::Hint};
  case K::Edit:
  case K::Memo:
    return {P::Text, P::Hint};
  case K::ComboBox:
    // Only a Unicode list takes translated items; an 8-bit list keeps the form's.
    return wide ? std::vector<P>{P::Text, P::Items, P::Hint} : std::vector<P>{P::Text, P::Hint};
  case K::HotButton:
  case K::ToolControl:
    return {P::ToolCaption, P::ToolName, P::ToolCmdDesc, P::ToolFullHint, P::ToolHint, P::Hint};
  case K::TabSet:
    return {P::Tabs};
  case K::ListBox:
  case K::Bevel:
  case K::Shape:
  case K::PaintBox:
  case K::Image:
  case K::ProgressBar:
  case K::TrackBar:
  case K::ScrollBar:
  case K::SpinEdit:
  case K::SpinButton:
  case K::Splitter:
  case K::StatusBar:
  case K::PageControl:
  case K::Grid:
  case K::PreviewBox:
    return {P::Hint};
  case K::None:
  case K::MainMenu:
  case K::Placeholder:
    break;
  }
  return {};
}

// The form text's own value of a text property.
QString OriginalText(const TFormObject &obj, P prop) {
  const auto text = [&](std::string_view name) { return ToQ(obj.Text(name).value_or(std::u16string())); };
  const auto lines = [&](std::string_view name) {
    QStringList out;
    for (const auto &line : obj.Strings(name).value_or(std::vector<std::u16string>{})) out << ToQ(line);
    return out.join(QStringLiteral("\r\n"));
  };
  const auto tool = [&](std::string_view part) {
    const std::string a = "ToolText." + std::string(part), b = "TextData." + std::string(part);
    return obj.Find(a) ? text(a) : text(b);
  };
  switch (prop) {
  case P::Caption:
    return text("Caption");
  case P::Hint:
    return text("Hint");
  case P::Text:
    return obj.Find("Lines.Strings") ? lines("Lines.Strings") : text("Text");
  case P::Items:
    return lines("Items.Strings");
  case P::ToolCaption:
    return tool("Caption");
  case P::ToolName:
    return tool("Name");
  case P::ToolCmdDesc:
    return tool("FullCmdDesc");
  case P::ToolFullHint:
    return tool("FullHint");
  case P::ToolHint:
    return tool("Hint");
  case P::ItemText:
    return text("ItemText");
  case P::Tabs:
    return lines("Tabs.Strings");
  case P::Count:
    break;
  }
  return {};
}

// The form's alignment of a container's children, in its order: top, bottom, left, right,
// then the client.
void AlignChildren(QWidget *container, const std::vector<std::pair<QWidget *, std::string>> &aligned,
                   int top) {
  QRect free(0, top, container->width(), container->height() - top);
  if (auto *frame = qobject_cast<QFrame *>(container); frame && frame->frameShape() != QFrame::NoFrame) {
    const int m = frame->frameWidth();
    free.adjust(m, m, -m, -m);
  }
  for (const char *pass : {"alTop", "alBottom", "alLeft", "alRight", "alClient"}) {
    for (const auto &[w, align] : aligned) {
      if (align != pass || w->isHidden()) continue;
      if (align == "alTop") {
        w->setGeometry(free.left(), free.top(), free.width(), w->height());
        free.setTop(free.top() + w->height());
      } else if (align == "alBottom") {
        w->setGeometry(free.left(), free.bottom() + 1 - w->height(), free.width(), w->height());
        free.setBottom(free.bottom() - w->height());
      } else if (align == "alLeft") {
        w->setGeometry(free.left(), free.top(), w->width(), free.height());
        free.setLeft(free.left() + w->width());
      } else if (align == "alRight") {
        w->setGeometry(free.right() + 1 - w->width(), free.top(), w->width(), free.height());
        free.setRight(free.right() - w->width());
      } else {
        w->setGeometry(free);
      }
    }
  }
}

class TBuilder {
public:
  TBuilder(TPrevDfmFrm &window) : FWindow(window) {}

  bool Build(const TFormObject &root, QString *error) {
    const int width = Clamp(
        root.Int("Width").value_or(root.Int("ClientWidth").value_or(TPrevDfmFrm::kDesignWidth)), 1, 8000);
    const int height = Clamp(
        root.Int("Height").value_or(root.Int("ClientHeight").value_or(TPrevDfmFrm::kDesignHeight)), 1, 8000);
    FWindow.setFixedSize(width + 1, height + 1);
    ApplyFont(&FWindow, root);
    if (const auto color = FormColor(root, "Color")) {
      QPalette pal = FWindow.palette();
      pal.setColor(QPalette::Window, *color);
      FWindow.setPalette(pal);
    }
    // The main menu first: the form's client area starts below it.
    int top = 0;
    for (const auto &child : root.Children)
      if (child->ClassName == "TTntMainMenu") top = BuildMenu(*child);
    Children(root, &FWindow, top);
    SetBuddies();
    if (FTooMany) {
      if (error) *error = QStringLiteral("too many controls");
      return false;
    }
    return true;
  }

private:
  // The menu bar and its items; returns its height.
  int BuildMenu(const TFormObject &menu) {
    auto *bar = new QMenuBar(&FWindow);
    TFormComponent c = Component(menu, K::MainMenu, false);
    c.Widget = bar;
    FWindow.AddComponent(std::move(c));
    FWindow.SetMenuBar(bar);
    for (const auto &item : menu.Children) MenuItem(*item, bar, nullptr);
    bar->setGeometry(0, 0, FWindow.width(), bar->sizeHint().height());
    return bar->sizeHint().height();
  }

  void MenuItem(const TFormObject &obj, QMenuBar *bar, QMenu *menu) {
    if (++FCount > kMaxComponents) {
      FTooMany = true;
      return;
    }
    TFormComponent c = Component(obj, K::MenuItem, false);
    const QString caption = c.Original[static_cast<int>(P::Caption)].value_or(QString());
    QAction *action = nullptr;
    if (!obj.Children.empty()) {
      QMenu *sub = bar ? bar->addMenu(caption) : menu->addMenu(caption);
      sub->installEventFilter(&FWindow);
      action = sub->menuAction();
      for (const auto &child : obj.Children) MenuItem(*child, nullptr, sub);
    } else if (caption == QLatin1String("-")) {
      action = bar ? bar->addSeparator() : menu->addSeparator();
    } else {
      action = bar ? bar->addAction(caption) : menu->addAction(caption);
    }
    action->setVisible(obj.Bool("Visible", true));
    action->setEnabled(obj.Bool("Enabled", true));
    if (obj.Bool("Checked", false)) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    c.Action = action;
    Finish(c);
  }

  TFormComponent Component(const TFormObject &obj, K kind, bool graphic) {
    TFormComponent c;
    c.Name = QString::fromStdString(obj.Name);
    c.ClassName = obj.ClassName;
    c.Kind = kind;
    c.Graphic = graphic;
    c.Tag = Clamp(obj.Int("Tag").value_or(0), INT32_MIN, INT32_MAX);
    c.Wide = HoldsWideText(obj.ClassName);
    for (P prop : PropsOf(kind, c.Wide)) c.Original[static_cast<int>(prop)] = OriginalText(obj, prop);
    return c;
  }

  // Puts the form's own texts on the component and registers it.
  void Finish(TFormComponent &c) {
    for (int i = 0; i < kFormTextPropCount; ++i)
      if (c.Original[i]) SetComponentText(c, static_cast<P>(i), *c.Original[i]);
    FWindow.AddComponent(std::move(c));
  }

  void Children(const TFormObject &obj, QWidget *parent, int top) {
    std::vector<std::pair<QWidget *, std::string>> aligned;
    auto *pages = qobject_cast<QTabWidget *>(parent);
    for (const auto &child : obj.Children) {
      if (child->ClassName == "TTntMainMenu" && parent == &FWindow) continue;
      if (FTooMany) return;
      QWidget *w = Object(*child, parent, pages, top);
      if (!w) continue;
      if (const auto align = child->Ident("Align"); align && *align != "alNone" && !pages) {
        aligned.emplace_back(w, *align);
        if (auto *c = const_cast<TFormComponent *>(FWindow.ComponentOf(w))) c->Aligned = true;
      }
    }
    if (!aligned.empty()) AlignChildren(parent, aligned, top);
    if (pages) {
      if (const auto active = obj.Ident("ActivePage"))
        if (QWidget *page = parent->findChild<QWidget *>(QString::fromStdString(*active)))
          pages->setCurrentWidget(page);
    }
  }

  QWidget *Object(const TFormObject &obj, QWidget *parent, QTabWidget *pages, int top) {
    if (++FCount > kMaxComponents) {
      FTooMany = true;
      return nullptr;
    }
    const TClassInfo *info = FindClass(obj.ClassName);
    const K kind = info ? info->Kind : K::Placeholder;
    TFormComponent c = Component(obj, kind, info && info->Graphic);
    if (kind == K::None) {
      FWindow.AddComponent(std::move(c));
      return nullptr;
    }
    if (kind == K::MainMenu || kind == K::MenuItem) {
      // A menu that is not the form's main menu (a pop-up menu's items) makes no control.
      FWindow.AddComponent(std::move(c));
      return nullptr;
    }
    // A tab sheet lives on its page control; one elsewhere is shown as a plain container.
    const bool page = kind == K::TabSheet && pages;
    QWidget *w = MakeWidget(kind, obj, page ? nullptr : parent);
    c.Widget = w;
    if (page) {
      const int index = pages->addTab(w, QString());
      pages->setTabVisible(index, obj.Bool("TabVisible", true));
      c.Hidden = !obj.Bool("TabVisible", true);
    } else {
      const int left = Clamp(obj.Int("Left").value_or(0), -20000, 20000);
      const int y = Clamp(obj.Int("Top").value_or(0), -20000, 20000) + top;
      const QSize hint = w->sizeHint();
      const int width = Clamp(obj.Int("Width").value_or(hint.width() > 0 ? hint.width() : 75), 0, 20000);
      const int height = Clamp(obj.Int("Height").value_or(hint.height() > 0 ? hint.height() : 25), 0, 20000);
      w->setGeometry(left, y, width, height);
    }
    ApplyFont(w, obj);
    if (const auto color = FormColor(obj, "Color"); color && kind != K::Label) {
      QPalette pal = w->palette();
      pal.setColor(QPalette::Window, *color);
      pal.setColor(QPalette::Base, *color);
      w->setPalette(pal);
      w->setAutoFillBackground(true);
    }
    c.AutoSize = kind == K::Label && obj.Bool("AutoSize", true);
    if (const auto focus = obj.Ident("FocusControl"); focus && kind == K::Label)
      FFocusControls.emplace_back(w, QString::fromStdString(*focus));
    c.Design = w->geometry();
    if (const auto &caption = c.Original[static_cast<int>(P::Caption)])
      c.DesignLines = std::max<int>(1, static_cast<int>(SplitLines(*caption).size()));
    c.WordWrap = obj.Bool("WordWrap", false);
    if (kind == K::StatusBar && !obj.Find("Align")) c.Aligned = true;
    w->setEnabled(obj.Bool("Enabled", true));
    if (!obj.Bool("Visible", true)) {
      w->hide();
      c.Hidden = true;
    } else if (!page) {
      // Controls made on a window that already shows stay hidden unless told.
      w->show();
    }
    if (obj.Find("Hint") && obj.Bool("ShowHint", false)) w->setProperty("showHint", true);
    Describe(w, kind, c);
    QWidget *const made = w;
    // Children before the states that depend on them (the active page, the item index).
    if (kind != K::ComboBox && kind != K::ListBox && kind != K::Memo && kind != K::Edit) Children(obj, w, 0);
    Finish(c);
    SetState(made, kind, obj);
    // A status bar sits at the bottom unless the form text places it.
    if (kind == K::StatusBar && !obj.Find("Align") && !page) AlignChildren(parent, {{made, "alBottom"}}, 0);
    return made;
  }

  // Names for assistive tools: a control that shows no text of its own is called by its component
  // name; a label gives its text to the control it focuses (FocusControl, set once all exist).
  void Describe(QWidget *w, K kind, const TFormComponent &c) {
    w->setAccessibleDescription(c.Name);
    switch (kind) {
    case K::Edit:
    case K::Memo:
    case K::ComboBox:
    case K::ListBox:
    case K::SpinEdit:
    case K::TrackBar:
    case K::Grid:
    case K::TabSet:
      w->setAccessibleName(c.Name);
      break;
    case K::SpinButton: {
      const auto arrows = w->findChildren<QToolButton *>();
      for (int i = 0; i < arrows.size(); ++i)
        arrows[i]->setAccessibleName(c.Name + (i == 0 ? QStringLiteral(" up") : QStringLiteral(" down")));
      break;
    }
    case K::PushButton:
    case K::SpeedButton:
    case K::CheckBox:
    case K::RadioButton:
      if (c.Original[static_cast<int>(P::Caption)].value_or(QString()).isEmpty())
        w->setAccessibleName(c.Name);
      break;
    case K::HotButton:
      // The preview's tool buttons are reached with Tab like the product's.
      w->setFocusPolicy(Qt::TabFocus);
      break;
    default:
      break;
    }
  }

  void SetBuddies() {
    for (const auto &[label, target] : FFocusControls) {
      auto *l = qobject_cast<QLabel *>(label.data());
      QWidget *buddy = FWindow.FindControl(target);
      if (l && buddy) l->setBuddy(buddy);
    }
  }

  static void SetState(QWidget *w, K kind, const TFormObject &obj) {
    switch (kind) {
    case K::CheckBox:
      static_cast<QCheckBox *>(w)->setChecked(obj.Bool("Checked", false) ||
                                              obj.Ident("State") == "cbChecked");
      break;
    case K::RadioButton:
      static_cast<QRadioButton *>(w)->setChecked(obj.Bool("Checked", false));
      break;
    case K::ComboBox:
      if (const auto index = obj.Int("ItemIndex"))
        static_cast<QComboBox *>(w)->setCurrentIndex(Clamp(*index, -1, 1 << 30));
      break;
    case K::ListBox:
      if (const auto index = obj.Int("ItemIndex"))
        static_cast<QListWidget *>(w)->setCurrentRow(Clamp(*index, -1, 1 << 30));
      break;
    case K::TabSet:
      if (const auto index = obj.Int("TabIndex"))
        static_cast<QTabBar *>(w)->setCurrentIndex(Clamp(*index, -1, 1 << 30));
      break;
    default:
      break;
    }
  }

  static constexpr int kMaxComponents = 20000;
  TPrevDfmFrm &FWindow;
  std::vector<std::pair<QPointer<QWidget>, QString>> FFocusControls;
  int FCount = 0;
  bool FTooMany = false;
};

} // namespace

bool IsListedFormClass(std::string_view className) {
  return FindClass(className) != nullptr;
}

QString ShownText(const TFormComponent &c, const QString &text) {
  if (c.Wide) return text;
  return ToQ(Cp1252ToUtf16(Utf16ToCp1252(ToU16(text))));
}

QString ComponentText(const TFormComponent &c, TFormTextProp prop) {
  return c.Current[static_cast<int>(prop)];
}

void SetComponentText(TFormComponent &c, TFormTextProp prop, const QString &text) {
  if (!c.Original[static_cast<int>(prop)]) return;
  c.Current[static_cast<int>(prop)] = text;
  const QString shown = ShownText(c, text);
  QWidget *w = c.Widget;
  if (c.Kind == K::MenuItem) {
    if (!c.Action) return;
    if (prop == P::Caption && !c.Action->isSeparator()) c.Action->setText(WidgetLines(shown));
    if (prop == P::Hint) c.Action->setStatusTip(ShortHint(shown));
    return;
  }
  if (!w) return;
  switch (prop) {
  case P::Hint:
    if (c.Kind != K::HotButton && c.Kind != K::ToolControl)
      w->setToolTip(ShortHint(shown));
    else if (auto *hot = qobject_cast<TStaticHotBtn *>(w))
      hot->SetControlHint(shown);
    else if (auto *tool = qobject_cast<samples::TStaticToolControl *>(w))
      tool->SetControlHint(shown);
    break;
  case P::Caption:
    switch (c.Kind) {
    case K::Label: {
      auto *label = static_cast<QLabel *>(w);
      label->setText(PlainCaption(WidgetLines(shown)));
      if (c.AutoSize && !c.WordWrap) label->resize(label->sizeHint());
      break;
    }
    case K::PushButton:
    case K::CheckBox:
    case K::RadioButton:
    case K::SpeedButton:
      static_cast<QAbstractButton *>(w)->setText(WidgetLines(shown));
      break;
    case K::GroupBox:
      static_cast<QGroupBox *>(w)->setTitle(shown);
      break;
    case K::Panel:
      static_cast<TFormPanel *>(w)->Caption = PlainCaption(shown);
      w->update();
      break;
    case K::ToolGroup:
      static_cast<samples::TStaticGroupBox *>(w)->SetCaption(shown);
      break;
    case K::TabSheet:
      for (QWidget *up = w->parentWidget(); up; up = up->parentWidget())
        if (auto *pages = qobject_cast<QTabWidget *>(up)) {
          pages->setTabText(pages->indexOf(w), shown);
          break;
        }
      break;
    default:
      break;
    }
    break;
  case P::Text:
    if (auto *edit = qobject_cast<QLineEdit *>(w))
      edit->setText(WidgetLines(shown));
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
      memo->setPlainText(WidgetLines(shown));
    else if (auto *combo = qobject_cast<QComboBox *>(w);
             combo && combo->isEditable() && combo->currentIndex() < 0)
      combo->setEditText(shown);
    break;
  case P::Items:
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
      const int index = combo->currentIndex();
      const QString edit = combo->isEditable() ? combo->currentText() : QString();
      combo->clear();
      combo->addItems(SplitLines(shown));
      combo->setCurrentIndex(index < combo->count() ? index : -1);
      if (index < 0 && combo->isEditable()) combo->setEditText(edit);
    } else if (auto *list = qobject_cast<QListWidget *>(w)) {
      const int row = list->currentRow();
      list->clear();
      list->addItems(SplitLines(shown));
      list->setCurrentRow(row < list->count() ? row : -1);
    }
    break;
  case P::ToolCaption:
  case P::ToolHint:
  case P::ToolFullHint: {
    const QString caption = ShownText(c, c.Current[static_cast<int>(P::ToolCaption)]);
    const QString hint = ShownText(c, c.Current[static_cast<int>(P::ToolHint)]);
    const QString full = ShownText(c, c.Current[static_cast<int>(P::ToolFullHint)]);
    if (auto *hot = qobject_cast<TStaticHotBtn *>(w))
      hot->SetToolText(caption, hint, full);
    else if (auto *tool = qobject_cast<samples::TStaticToolControl *>(w))
      tool->SetToolText(caption, hint, full);
    break;
  }
  case P::ToolName:
    w->setProperty("toolName", shown);
    break;
  case P::ToolCmdDesc:
    w->setProperty("fullCmdDesc", shown);
    break;
  case P::ItemText:
    w->setProperty("itemText", shown);
    break;
  case P::Tabs:
    if (auto *tabs = qobject_cast<QTabBar *>(w)) {
      const QStringList lines = SplitLines(text);
      if (lines.size() == tabs->count() && tabs->count() > 0) {
        const int index = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) tabs->setTabText(i, lines[i]);
        tabs->setCurrentIndex(index);
      } else if (tabs->count() == 0) {
        // The form's own tabs, when the tab set is made.
        for (const QString &line : lines) tabs->addTab(line);
      }
    }
    break;
  case P::Count:
    break;
  }
}

bool BuildFormWidgets(TPrevDfmFrm &window, const TFormObject &root, QString *error) {
  TBuilder builder(window);
  return builder.Build(root, error);
}

} // namespace vt
