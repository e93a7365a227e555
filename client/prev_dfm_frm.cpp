// The form preview window: reading a form text into widgets, texts and visibility from the
// stores, the red frame of the current entry's control, toolbar arrangement, tab captions, and a
// press on a control reported to the main window.
#include "prev_dfm_frm.h"

#include "controls/hot_button.h"
#include "controls/tool_text.h"
#include "model/ini_file.h"
#include "model/text_helpers.h"
#include "model/trans_man.h"
#include "support/text_codec.h"
#include "tools/form_text_reader.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <iostream>

namespace vt {

namespace {

QString ToQ(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
std::u16string ToU16(const QString &text) {
  return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

// The highlight frame: a rectangle of a 3-pixel pen with a clear brush, drawn inside its bounds.
class TFrameShape : public QWidget {
public:
  explicit TFrameShape(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Shape1xxx"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnabled(false);
    hide();
  }
  QColor Pen = Qt::red;

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.setPen(QPen(Pen, TPrevDfmFrm::kFramePen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const int inset = TPrevDfmFrm::kFramePen / 2;
    p.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
  }
};

} // namespace

// Dashed orange outlines around the controls whose texts do not fit, over the whole form.
class TFitOverlay : public QWidget {
public:
  explicit TFitOverlay(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FitOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }
  std::vector<QPointer<QWidget>> Flagged;

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.setPen(QPen(QColor(255, 140, 0), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    for (const QPointer<QWidget> &w : Flagged) {
      if (!w || !w->isVisibleTo(parentWidget())) continue;
      const QRect r(w->mapTo(parentWidget(), QPoint(0, 0)), w->size());
      p.drawRect(r.adjusted(-2, -2, 1, 1));
    }
  }
};

TPrevDfmFrm::TPrevDfmFrm(QWidget *parent) : QWidget(parent, Qt::Tool) {
  setObjectName(QStringLiteral("PrevDfmFrm"));
  setWindowTitle(QStringLiteral("Form Preview"));
  resize(kDesignWidth, kDesignHeight);
  QFont f(QStringLiteral("Trebuchet MS"));
  f.setPixelSize(11);
  setFont(f);
  setAutoFillBackground(true);
  FShape = new TFrameShape(this);
  FOverlay = new TFitOverlay(this);
  FormCreate();
}

TPrevDfmFrm::~TPrevDfmFrm() = default;

void TPrevDfmFrm::FormCreate() {
  // Qt paints every widget double-buffered; presses are seen as events on the window's widgets.
  WatchPresses(this);
}

void TPrevDfmFrm::WatchPresses(QWidget *widget) {
  widget->installEventFilter(this);
}

const TFormComponent *TPrevDfmFrm::ComponentOf(const QObject *object) const {
  if (!object) return nullptr;
  const auto it = FIndex.constFind(object);
  return it == FIndex.constEnd() ? nullptr : &FComponents[*it];
}

const TFormComponent *TPrevDfmFrm::FindComponent(const QString &name) const {
  for (const TFormComponent &c : FComponents)
    if (c.Name == name) return &c;
  return nullptr;
}

std::vector<std::string> TPrevDfmFrm::ComponentNames() const {
  std::vector<std::string> names;
  names.reserve(FComponents.size());
  QSet<QString> seen;
  for (const TFormComponent &c : FComponents)
    if (!c.Name.isEmpty() && !seen.contains(c.Name)) {
      seen.insert(c.Name);
      names.push_back(c.Name.toStdString());
    }
  return names;
}

TFormComponent &TPrevDfmFrm::AddComponent(TFormComponent component) {
  if (component.Widget) {
    component.Widget->setObjectName(component.Name);
    component.Widget->setProperty("formClass", QString::fromStdString(component.ClassName));
    WatchPresses(component.Widget);
    // Parts of a control (a combo box's field, a tab widget's bar) see the press first.
    for (QWidget *part : component.Widget->findChildren<QWidget *>()) WatchPresses(part);
  }
  if (component.Action) component.Action->setObjectName(component.Name);
  if (component.Widget) FIndex.insert(component.Widget.data(), FComponents.size());
  if (component.Action) FIndex.insert(component.Action.data(), FComponents.size());
  FComponents.push_back(std::move(component));
  return FComponents.back();
}

void TPrevDfmFrm::ClearForm() {
  FShape->setParent(this);
  FShape->hide();
  FOverlay->Flagged.clear();
  FFlagged.clear();
  // Children of the window go with it; deleting top-level components deletes the nested ones.
  for (TFormComponent &c : FComponents) {
    if (c.Widget && c.Widget->parentWidget() == this) delete c.Widget.data();
  }
  if (FMenuBar) delete FMenuBar;
  FMenuBar = nullptr;
  FComponents.clear();
  FIndex.clear();
  RootControl = nullptr;
}

// ---- reading -------------------------------------------------------------------------------------

bool TPrevDfmFrm::LoadFormText() {
  FShape->hide();
  LoadError.clear();
  if (FormTextFile.empty() || !QFileInfo(QString::fromStdString(FormTextFile)).isFile()) {
    LoadError = QStringLiteral("No form text file %1").arg(QString::fromStdString(FormTextFile));
    return false;
  }
  std::string error;
  const std::unique_ptr<TFormObject> root = ReadFormTextFile(FormTextFile, &error);
  if (!root) {
    LoadError = QString::fromStdString(error);
    return false;
  }
  ClearForm();
  QString buildError;
  if (!BuildFormWidgets(*this, *root, &buildError)) {
    ClearForm();
    LoadError = QStringLiteral("%1: %2").arg(QString::fromStdString(FormTextFile), buildError);
    return false;
  }
  RootControl = this;
  const auto width = root->Int("Width").value_or(root->Int("ClientWidth").value_or(kDesignWidth));
  const auto height = root->Int("Height").value_or(root->Int("ClientHeight").value_or(kDesignHeight));
  // The form's outer size becomes the client size, one pixel more so the right and bottom edges show.
  setFixedSize(static_cast<int>(std::clamp<std::int64_t>(width, 1, 8000)) + 1,
               static_cast<int>(std::clamp<std::int64_t>(height, 1, 8000)) + 1);
  // A position the form text gives wins over the one the main window gave, but stays on screen.
  QPoint pos = this->pos();
  if (const auto left = root->Int("Left"))
    pos.setX(static_cast<int>(std::clamp<std::int64_t>(*left, -10000, 10000)));
  if (const auto top = root->Int("Top"))
    pos.setY(static_cast<int>(std::clamp<std::int64_t>(*top, -10000, 10000)));
  if (const QScreen *screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - 100)));
    pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() - 100)));
  }
  move(pos);
  FOverlay->setGeometry(rect());
  FOverlay->raise();
  return true;
}

// ---- texts ---------------------------------------------------------------------------------------

std::optional<QString> TPrevDfmFrm::StoredText(const QString &name, const char *suffix) const {
  if (!TextStore) return std::nullopt;
  const std::string section = SectionName.toStdString();
  const std::string key = name.toStdString() + suffix;
  const TCompactText *value = TextStore->FindValue(section, key);
  if (!value) return std::nullopt;
  const std::string_view bytes = value->view();
  if (bytes.empty()) return std::nullopt;
  return ToQ(TTransMan::DecodeText(bytes));
}

void TPrevDfmFrm::SetFromKey(TFormComponent &c, TFormTextProp prop, const char *suffix) {
  const auto &original = c.Original[static_cast<int>(prop)];
  if (!original) return;
  const std::optional<QString> stored = StoredText(c.Name, suffix);
  SetComponentText(c, prop, stored ? *stored : *original);
}

void TPrevDfmFrm::ApplyTexts(const TIniFile *store) {
  if (!RootControl) return;
  FShape->hide();
  if (store) TextStore = store;
  if (!TextStore) return;
  for (TFormComponent &c : FComponents) ApplyComponentTexts(c);
  for (TFormComponent &c : FComponents)
    if (c.Kind == TFormWidgetKind::Panel && c.Tag == 1234 && c.Widget) ArrangeToolbar(c.Widget);
}

void TPrevDfmFrm::ApplyComponentTexts(TFormComponent &c) {
  if (c.Name.isEmpty() || c.Tag == -1) return;
  if (c.Kind == TFormWidgetKind::TabSet) {
    if (auto *tabs = qobject_cast<QTabBar *>(c.Widget.data())) ApplyTabTexts(tabs, SectionName);
    return;
  }
  if (c.Kind == TFormWidgetKind::HotButton || c.Kind == TFormWidgetKind::ToolControl) {
    SetFromKey(c, TFormTextProp::ToolCaption, ".TC");
    SetFromKey(c, TFormTextProp::ToolName, ".TN");
    SetFromKey(c, TFormTextProp::ToolCmdDesc, ".TD");
    SetFromKey(c, TFormTextProp::ToolFullHint, ".TF");
    SetFromKey(c, TFormTextProp::ToolHint, ".TH");
    if (c.Original[static_cast<int>(TFormTextProp::Hint)]) {
      const std::u16string hint = ToU16(ComponentText(c, TFormTextProp::ToolHint));
      const std::u16string full = ToU16(ComponentText(c, TFormTextProp::ToolFullHint));
      if (!hint.empty() || !full.empty())
        SetComponentText(c, TFormTextProp::Hint, ToQ(hint.empty() ? full : JoinHint(hint, full)));
      else
        SetComponentText(c, TFormTextProp::Hint, *c.Original[static_cast<int>(TFormTextProp::Hint)]);
    }
    SetFromKey(c, TFormTextProp::ItemText, ".IT");
    return;
  }
  SetFromKey(c, TFormTextProp::Caption, ".VC");
  SetFromKey(c, TFormTextProp::Hint, ".VH");
  SetFromKey(c, TFormTextProp::Text, ".VT");
  SetFromKey(c, TFormTextProp::Items, ".VI");
}

void TPrevDfmFrm::ApplyTabTexts(QTabBar *tabSet, const QString &section) {
  TFormComponent *c = nullptr;
  for (TFormComponent &each : FComponents)
    if (each.Widget == tabSet) c = &each;
  if (!c || !TextStore || c->Name.isEmpty() || c->Tag == -1) return;
  const auto &original = c->Original[static_cast<int>(TFormTextProp::Tabs)];
  std::optional<QString> stored;
  if (section == SectionName) stored = StoredText(c->Name, ".TS");
  const QString text = stored ? *stored : original.value_or(QString());
  QStringList lines = text.split(QStringLiteral("\r\n"));
  if (text.isEmpty()) lines.clear();
  // A list of another length than the tabs keeps the tab set's own captions.
  if (lines.size() != tabSet->count()) {
    if (original && stored) SetComponentText(*c, TFormTextProp::Tabs, *original);
    return;
  }
  SetComponentText(*c, TFormTextProp::Tabs, text);
}

void TPrevDfmFrm::ApplyVisibility(const TIniFile &store) {
  const std::string section = SectionName.toStdString();
  for (TFormComponent &c : FComponents) {
    if (c.Name.isEmpty()) continue;
    if (store.ReadString(section, c.Name.toStdString() + ".vis").empty()) continue;
    c.Hidden = true;
    if (c.Action) c.Action->setVisible(false);
    if (!c.Widget) continue;
    if (c.Kind == TFormWidgetKind::TabSheet) {
      for (QWidget *w = c.Widget->parentWidget(); w; w = w->parentWidget())
        if (auto *pages = qobject_cast<QTabWidget *>(w)) {
          pages->setTabVisible(pages->indexOf(c.Widget), false);
          break;
        }
    }
    c.Widget->hide();
  }
}

// ---- frame and pages -----------------------------------------------------------------------------

QWidget *TPrevDfmFrm::FindControl(const QString &name) const {
  if (name.isEmpty()) return nullptr;
  for (const TFormComponent &c : FComponents)
    if (c.Widget && c.Name == name) return c.Widget;
  return nullptr;
}

void TPrevDfmFrm::ShowControlPage(QWidget *control) {
  if (!control) return;
  const TFormComponent *c = ComponentOf(control);
  QWidget *w = c && c->Graphic ? control->parentWidget() : control;
  for (; w && w != this; w = w->parentWidget()) {
    const TFormComponent *sheet = ComponentOf(w);
    if (!sheet || sheet->Kind != TFormWidgetKind::TabSheet) continue;
    for (QWidget *up = w->parentWidget(); up && up != this; up = up->parentWidget())
      if (auto *pages = qobject_cast<QTabWidget *>(up)) {
        pages->setCurrentWidget(w);
        break;
      }
  }
}

void TPrevDfmFrm::HighlightControl(const QString &name) {
  auto *shape = static_cast<TFrameShape *>(FShape);
  shape->Pen = palette().color(QPalette::Button);
  shape->update();
  shape->hide();
  QWidget *control = FindControl(name);
  if (!control) return;
  ShowControlPage(control);
  const TFormComponent *c = ComponentOf(control);
  if (c && c->Graphic && control->parentWidget()) {
    shape->setParent(control->parentWidget());
    shape->setGeometry(control->geometry().adjusted(-1, -1, 1, 1));
  } else {
    shape->setParent(control);
    shape->setGeometry(0, 0, control->width(), control->height());
  }
  shape->Pen = Qt::red;
  shape->raise();
  shape->show();
  shape->parentWidget()->update();
}

// ---- toolbars ------------------------------------------------------------------------------------

void TPrevDfmFrm::ArrangeToolbar(QWidget *panel) {
  if (!panel) return;
  std::vector<std::pair<QWidget *, const TFormComponent *>> items;
  for (QWidget *child : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
    const TFormComponent *c = ComponentOf(child);
    if (c && !c->Aligned) items.emplace_back(child, c);
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const auto &a, const auto &b) { return a.first->x() < b.first->x(); });
  for (auto &[w, c] : items) {
    auto *hot = qobject_cast<TStaticHotBtn *>(w);
    if (!hot || hot->Caption().isEmpty()) continue;
    int width = CaptionWidth(hot->font(), hot->Caption());
    if (width == 0) continue;
    const int icon = hot->ToolIconSize();
    if (hot->Layout() == TButtonLayout::GlyphTop)
      width = std::max(width, icon);
    else if (icon > 0)
      width += icon + hot->Look().Spacing;
    hot->resize(std::min(width + 16, 250), hot->height());
  }
  int x = 1;
  for (auto &[w, c] : items) {
    const std::string &cls = c->ClassName;
    if (cls == "TPaintBox") continue;
    if (cls == "TBevel") x += 2;
    if (cls == "TTntLabel") x += 8;
    w->move(x, w->y());
    x += w->width() + 3;
    if (cls == "TBevel") x += 2;
    if (cls == "TTntLabel" || cls == "TTntCheckBox") x += 8;
  }
}

// ---- presses -------------------------------------------------------------------------------------

QWidget *TPrevDfmFrm::ControlAt(const QPoint &windowPos) const {
  if (!rect().contains(windowPos)) return nullptr;
  QWidget *w = childAt(windowPos);
  // Up to the control the form text made (a combo box's field belongs to the combo box).
  while (w && w != this && !ComponentOf(w)) w = w->parentWidget();
  // A disabled control takes no press: the control around it does.
  while (w && w != this && (!w->isEnabled() || !ComponentOf(w))) w = w->parentWidget();
  if (!w || w == this) return nullptr;
  const TFormComponent *c = ComponentOf(w);
  if (!c || c->Kind == TFormWidgetKind::Panel || c->Kind == TFormWidgetKind::MainMenu) return nullptr;
  return w;
}

void TPrevDfmFrm::ControlPressed(QObject *control) {
  const TFormComponent *c = ComponentOf(control);
  if (!c) return;
  setWindowTitle(c->Name);
  if (OnControlClick) OnControlClick(this, control);
}

bool TPrevDfmFrm::eventFilter(QObject *watched, QEvent *event) {
  // The window sees Escape before its controls do.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
      watched != this) {
    FormKeyDown(static_cast<QKeyEvent *>(event));
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    MouseWasDown = false;
  } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    auto *mouse = static_cast<QMouseEvent *>(event);
    // The same press travels up to the parents of a disabled control: report it once.
    if (mouse->button() == Qt::LeftButton && static_cast<qint64>(mouse->timestamp()) != FLastPressStamp) {
      FLastPressStamp = static_cast<qint64>(mouse->timestamp());
      MouseWasDown = true;
      const QPoint global = mouse->globalPosition().toPoint();
      QObject *hit = nullptr;
      if (auto *bar = qobject_cast<QMenuBar *>(watched)) {
        hit = bar->actionAt(bar->mapFromGlobal(global));
        if (!ComponentOf(hit)) hit = nullptr;
      } else if (auto *menu = qobject_cast<QMenu *>(watched)) {
        hit = menu->actionAt(menu->mapFromGlobal(global));
        if (!ComponentOf(hit)) hit = nullptr;
      } else {
        hit = ControlAt(mapFromGlobal(global));
      }
      if (hit) ControlPressed(hit);
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- window --------------------------------------------------------------------------------------

void TPrevDfmFrm::FormKeyDown(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) close();
}

void TPrevDfmFrm::keyPressEvent(QKeyEvent *event) {
  FormKeyDown(event);
  if (!event->isAccepted()) QWidget::keyPressEvent(event);
}

void TPrevDfmFrm::TntFormClose() {
  if (OnPreviewClose) OnPreviewClose(this, this);
}

void TPrevDfmFrm::closeEvent(QCloseEvent *event) {
  // Closing only hides the window; the main window frees it.
  event->accept();
  TntFormClose();
}

void TPrevDfmFrm::paintEvent(QPaintEvent *event) {
  try {
    QWidget::paintEvent(event);
  } catch (const std::exception &) {
    QPainter p(this);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("error painting"));
    std::cerr << "transclient: error painting the form preview" << std::endl;
  }
}

bool TPrevDfmFrm::event(QEvent *event) {
  if (event->type() != QEvent::Paint) return QWidget::event(event);
  try {
    return QWidget::event(event);
  } catch (const std::exception &) {
    std::cerr << "transclient: error wmpaint in the form preview" << std::endl;
    return true;
  }
}

bool TPrevDfmFrm::ShownInForm(const QWidget *control) const {
  for (const QWidget *w = control; w && w != this; w = w->parentWidget())
    if (const TFormComponent *c = ComponentOf(w); c && c->Hidden) return false;
  return true;
}

void TPrevDfmFrm::ShowFitOutlines(std::vector<QPointer<QWidget>> controls) {
  FOverlay->Flagged = std::move(controls);
  FOverlay->setGeometry(rect());
  FOverlay->raise();
  FOverlay->update();
}

QStringList TPrevDfmFrm::FlaggedControls() const {
  return FFlagged;
}

} // namespace vt
