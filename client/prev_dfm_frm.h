#pragma once
// The form preview window: one of the product's forms rebuilt from its form text as real widgets,
// with the project's translations put into its controls, the controls the product hides hidden,
// the current entry's control framed in red, translations that do not fit outlined, and a press on
// a control reported to the main window.
#include "client/core/fit_rules.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QTabBar;
class QTimer;

namespace vt {

class TIniFile;
struct TFormObject;

// The texts a component can carry; each maps to one key suffix of the preview store.
enum class TFormTextProp : int {
  Caption,      // ".VC"
  Hint,         // ".VH"
  Text,         // ".VT"
  Items,        // ".VI"
  ToolCaption,  // ".TC"
  ToolName,     // ".TN"
  ToolCmdDesc,  // ".TD"
  ToolFullHint, // ".TF"
  ToolHint,     // ".TH"
  ItemText,     // ".IT"
  Tabs,         // ".TS"
  Count
};
inline constexpr int kFormTextPropCount = static_cast<int>(TFormTextProp::Count);

// How a component was made from its class.
enum class TFormWidgetKind : int {
  None, // makes no widget (image lists)
  Label,
  PushButton,
  SpeedButton,
  CheckBox,
  RadioButton,
  Edit,
  Memo,
  ComboBox,
  ListBox,
  GroupBox,
  Panel,
  Bevel,
  Shape,
  PaintBox,
  Image,
  ProgressBar,
  TrackBar,
  ScrollBar,
  SpinEdit,
  SpinButton,
  Splitter,
  StatusBar,
  PageControl,
  TabSheet,
  TabSet,
  MainMenu,
  MenuItem,
  Grid,
  PreviewBox,
  HotButton,   // the product's tool button
  ToolControl, // the product's push button, check box, radio button and edit control
  ToolGroup,   // the product's group box
  Placeholder, // a class the preview does not know: a frame keeping name, bounds and children
};

// One component read from the form text, in creation order.
struct TFormComponent {
  QString Name;
  std::string ClassName;
  TFormWidgetKind Kind = TFormWidgetKind::None;
  QPointer<QWidget> Widget; // the control (none for menu items and image lists)
  QPointer<QAction> Action; // a menu item
  int Tag = 0;
  // Holds Unicode texts; otherwise its texts are 8-bit (Windows-1252), as the product's are.
  bool Wide = false;
  bool AutoSize = false;
  bool Aligned = false; // placed by its Align, not by its bounds
  bool Hidden = false;  // hidden by the form text or by the visibility store
  QRect Design;         // bounds the form text gave (an auto-size label grows from them)
  int DesignLines = 1;  // lines of the form's own caption
  bool WordWrap = false;
  // Graphic controls have no window of their own: the frame goes around them, not inside.
  bool Graphic = false;
  // The texts the form text gave, for every property the class has; a refresh restores them for
  // keys without a stored value.
  std::array<std::optional<QString>, kFormTextPropCount> Original;
  // The texts shown now, as set (before an 8-bit control drops what it cannot hold).
  std::array<QString, kFormTextPropCount> Current;
};

// One finding of the fit check: the control, the kind of text that does not fit and the text.
struct TControlFit {
  QString Control;
  std::string Kind; // "VC", "VT", "VI", "TC", "TS"
  TFitFinding Finding;
  QString Text;
};

class TPrevDfmFrm : public QWidget {
  Q_OBJECT
public:
  explicit TPrevDfmFrm(QWidget *parent = nullptr);
  ~TPrevDfmFrm() override;

  // Design size of the window before a form is read.
  static constexpr int kDesignWidth = 651, kDesignHeight = 476;
  static constexpr int kFramePen = 3;

  // --- fields ----------------------------------------------------------------------------------
  QWidget *RootControl = nullptr;
  QString SectionName;
  std::string FormTextFile;
  const TIniFile *TextStore = nullptr;
  // The control is a widget, or the action of a menu item.
  std::function<void(QObject *owner, QObject *control)> OnControlClick;
  std::function<void(QObject *owner, QWidget *window)> OnPreviewClose;
  // A press is being reported: one press gives one notification, however many widgets see it.
  bool MouseWasDown = false;
  // Why the last LoadFormText failed (file and reason); empty after a success.
  QString LoadError;

  // --- operations ------------------------------------------------------------------------------
  bool LoadFormText();
  void ApplyTexts(const TIniFile *store);
  void ApplyVisibility(const TIniFile &store);
  void HighlightControl(const QString &name);
  QWidget *FindControl(const QString &name) const;
  void ShowControlPage(QWidget *control);
  void ArrangeToolbar(QWidget *panel);
  void ApplyTabTexts(QTabBar *tabSet, const QString &section);

  // The fit check of the texts now shown: measures every visible control, outlines the ones
  // flagged and returns the findings (one control may have several).
  std::vector<TControlFit> CheckFit();
  // Controls outlined by the last CheckFit.
  QStringList FlaggedControls() const;

  // --- event handlers --------------------------------------------------------------------------
  void FormCreate();
  void FormKeyDown(QKeyEvent *event);
  void TntFormClose();

  // Components in creation order, and the highlight frame.
  const std::vector<TFormComponent> &Components() const { return FComponents; }
  const TFormComponent *ComponentOf(const QObject *object) const;
  const TFormComponent *FindComponent(const QString &name) const;
  // The names of the components, each once (what the stores of a refresh need).
  std::vector<std::string> ComponentNames() const;
  QWidget *Shape1xxx() const { return FShape; }
  // The widget the form's children are placed on (the window itself).
  QWidget *ClientWidget() { return this; }

  // Used while reading the form text: adds a component; the form's main menu bar.
  TFormComponent &AddComponent(TFormComponent component);
  void SetMenuBar(QWidget *bar) { FMenuBar = bar; }
  QWidget *MenuBar() const { return FMenuBar; }

protected:
  void closeEvent(QCloseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  bool event(QEvent *event) override;

private:
  void ClearForm();
  void ApplyComponentTexts(TFormComponent &c);
  // Sets one text from its key; a key without a value gives the form's own text back.
  void SetFromKey(TFormComponent &c, TFormTextProp prop, const char *suffix);
  std::optional<QString> StoredText(const QString &name, const char *suffix) const;
  void ControlPressed(QObject *control);
  QWidget *ControlAt(const QPoint &windowPos) const;
  void WatchPresses(QWidget *widget);
  void ShowFitOutlines(std::vector<QPointer<QWidget>> controls);
  // Whether the control shows when its pages are active: neither it nor a control around it is
  // hidden by the form text or the visibility store.
  bool ShownInForm(const QWidget *control) const;

  std::vector<TFormComponent> FComponents;
  QHash<const QObject *, std::size_t> FIndex;
  QWidget *FShape = nullptr;
  class TFitOverlay *FOverlay = nullptr;
  QPointer<QWidget> FMenuBar;
  qint64 FLastPressStamp = -1;
  QStringList FFlagged;
};

// --- form_widgets.cpp: from form text objects to widgets -----------------------------------------

// Builds the components of the form's objects on the window: the root object's properties go to
// the window, every nested object becomes a component. False with a reason when the form cannot be
// shown (the window is left empty then).
bool BuildFormWidgets(TPrevDfmFrm &window, const TFormObject &root, QString *error);

// The texts of one component: get and set by property (only properties the class has).
void SetComponentText(TFormComponent &c, TFormTextProp prop, const QString &text);
QString ComponentText(const TFormComponent &c, TFormTextProp prop);
// The text an 8-bit control shows of a Unicode text (characters without a Windows-1252 byte
// become "?"); a Unicode control shows the text as it is.
QString ShownText(const TFormComponent &c, const QString &text);

// True when the class of the name is one of the classes a form text may name.
bool IsListedFormClass(std::string_view className);

} // namespace vt
