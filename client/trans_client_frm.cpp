// Building the main window: regions, components, menus, and the wiring of every handler.
#include "trans_client_frm.h"

#include "accessible_focus_guard.h"
#include "client/preview_surface.h"
#include "commit_combo_box.h"
#include "controls/hint_ex32.h"
#include "controls/hot_button.h"
#include "controls/theme_painter.h"
#include "image_list.h"
#include "prev_dfm_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {

namespace {

template <class W> W *Named(W *widget, const char *name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QComboBox *MakeCombo(QWidget *parent, const char *name, const QStringList &items, int index,
                     const QString &accessible) {
  auto *box = Named(new QComboBox(parent), name);
  box->addItems(items);
  box->setCurrentIndex(index);
  box->setAccessibleName(accessible);
  return box;
}

QWidget *Bevel(QWidget *parent, const char *name) {
  auto *line = Named(new QFrame(parent), name);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QLabel *Caption(QWidget *parent, const QString &text, QWidget *buddy) {
  auto *label = new QLabel(text, parent);
  if (buddy) label->setBuddy(buddy);
  return label;
}

} // namespace

TTransClientFrm3::TTransClientFrm3(QWidget *parent)
    : QMainWindow(parent), FAsker(std::make_unique<TDialogAsker>()) {
  InstallAccessibleFocusGuard();
  setObjectName(QStringLiteral("TransClientFrm3"));
  setWindowTitle(QLatin1String(kCaption));
  setWindowIcon(AppIcon());
  QFont font(QStringLiteral("Trebuchet MS"));
  font.setPixelSize(12);
  setFont(font);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(240, 240, 240));
  setPalette(pal);

  auto *central = new QWidget(this);
  auto *column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(central);
  BuildTopPanel();
  BuildClientArea();
  BuildBottomBand();
  column->addWidget(PanelTop);
  column->addWidget(RxSplitter4, 1);
  column->addWidget(pnl_RT_Bottom);
  // Tab walks the window in reading order: the top bar left to right, the lists, the suggestion
  // band, then the editing band's left half and right half, each line by line.
  QWidget *const tabOrder[] = {StaticHotBtn18,
                               StaticHotBtn1,
                               cbStatus,
                               cbTypes,
                               cDeDup,
                               cTextfilt,
                               cbSearchMethod,
                               stFilter,
                               cbNavMethod,
                               stPrev,
                               stNext,
                               StaticHotBtn2,
                               vtList,
                               vt1,
                               vt1a,
                               vt2,
                               stRevTrans,
                               stCopyRaw,
                               stPreview,
                               cShowTrans,
                               editLn,
                               cStripCaps,
                               stRawToTrans,
                               TntMemoSrc,
                               memoInfo,
                               cWarning,
                               cNeedsWork,
                               cReplaceAuto,
                               stClear,
                               stUndo,
                               stCopyTrans,
                               stPaste,
                               stApplyToSimilar,
                               stGoogleTranslate,
                               stAutoTranslate,
                               stMoveDown,
                               stUpdate,
                               TntMemoLng,
                               cIsAuto,
                               cFuzzy,
                               RxSpeedButton1,
                               SpeedButton1,
                               SpeedButton2,
                               editQuery};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  StatusPanel0 = Named(new QLabel(this), "StatusPanel0");
  StatusPanel0->setMinimumWidth(180);
  StatusPanel1 = Named(new QLabel(this), "StatusPanel1");
  StatusPanel1->setMinimumWidth(50);
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  statusBar()->addWidget(StatusPanel0, 1);
  statusBar()->addWidget(StatusPanel1);

  // Invisible holders.
  PanelHidden = Named(new QWidget(this), "PanelHidden");
  PanelHidden->hide();
  editSearchText = Named(new QLineEdit(PanelHidden), "editSearchText");
  editSearchText->setAccessibleName(QStringLiteral("Search text"));
  rxWordCount = Named(new QSpinBox(PanelHidden), "rxWordCount");
  rxWordCount->setRange(1, 999);
  rxWordCount->setValue(1);
  rxWordCount->setAccessibleName(QStringLiteral("Word count"));
  editSearchText->installEventFilter(this);
  rxWordCount->installEventFilter(this);

  Timer_Suggestions = Named(new QTimer(this), "Timer_Suggestions");
  TimerBU = Named(new QTimer(this), "TimerBU");
  TimerJournal = Named(new QTimer(this), "TimerJournal");
  TimerJournal->setInterval(1000);
  connect(TimerJournal, &QTimer::timeout, this, [this] {
    FJournal.FlushIfDue();
    FJournal.Sync();
  });
  TimerBU->setInterval(900000);
  TimerBU->setSingleShot(true);
  connect(TimerBU, &QTimer::timeout, this, [this] { Guard("TimerBUTimer", [this] { TimerBUTimer(); }); });
  Timer_Suggestions->setInterval(TSuggestionCountdown::kIntervalMs);
  connect(Timer_Suggestions, &QTimer::timeout, this,
          [this] { Guard("Timer_SuggestionsTimer", [this] { Timer_SuggestionsTimer(); }); });
  FPreviewSurface = std::make_unique<samples::TPreviewSurface>(PanelPreview, PanelHidden);
  FPreviewSurface->SetInfoLabels(labelStInfo, Label2);

  BuildMenus();
  BuildPopupMenus();
  WireSuggestionCommands();
  FHintWindow = new THintEx32(this);

  resize(1030, 674 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  FormCreate();
  if (qEnvironmentVariable("VT_ACCESSIBLE_IDS") == QLatin1String("1")) ApplyAccessibleIds();
}

TTransClientFrm3::~TTransClientFrm3() {
  FormDestroy();
  // The lists ask their models while they go, and the models' callbacks read this window: take
  // the lists down while the window is still whole.
  qDeleteAll(findChildren<TVirtualTree *>());
}

TStaticHotBtn *TTransClientFrm3::MakeButton(QWidget *parent, const char *name, const QString &caption,
                                            const char *icon, int iconSize, const QString &hint,
                                            const QString &fullHint) {
  auto *button = Named(new TStaticHotBtn(parent), name);
  button->SetCaption(caption);
  button->SetGlyph(ButtonImage(QLatin1String(icon), iconSize));
  button->SetHints(hint, fullHint);
  return button;
}

void TTransClientFrm3::BuildTopPanel() {
  PanelTop = Named(new QWidget(this), "PanelTop");
  PanelTop->setFixedHeight(61);
  PaintBox1 = Named(new TThemePaintBox(PanelTop), "PaintBox1");
  auto *row = new QHBoxLayout(PanelTop);
  row->setContentsMargins(8, 3, 8, 3);
  row->setSpacing(6);

  StaticHotBtn18 = MakeButton(PanelTop, "StaticHotBtn18", QStringLiteral("Open"), "open", 32,
                              QStringLiteral("Open"), QStringLiteral("Open a translation file"));
  StaticHotBtn1 = MakeButton(PanelTop, "StaticHotBtn1", QStringLiteral("Save"), "save", 32,
                             QStringLiteral("Save"), QStringLiteral("Save the translation file"));
  row->addWidget(StaticHotBtn18);
  row->addWidget(StaticHotBtn1);
  row->addWidget(Bevel(PanelTop, "Bevel1"));

  auto *filters = new QGridLayout;
  filters->setVerticalSpacing(2);
  filters->setHorizontalSpacing(8);
  cbStatus =
      MakeCombo(PanelTop, "cbStatus",
                {QStringLiteral("Show All"), QStringLiteral("Untranslated"), QStringLiteral("Completed"),
                 QStringLiteral("Query"), QStringLiteral("Auto Translations"), QStringLiteral("Warnings"),
                 QStringLiteral("Need Work")},
                0, QStringLiteral("Status Filter"));
  cbTypes = MakeCombo(PanelTop, "cbTypes",
                      {QStringLiteral("All Types"), QStringLiteral("Captions"), QStringLiteral("Hints"),
                       QStringLiteral("List Items"), QStringLiteral("Messages")},
                      0, QStringLiteral("Show by Type"));
  filters->addWidget(Caption(PanelTop, QStringLiteral("Status Filter"), cbStatus), 0, 0);
  filters->addWidget(cbStatus, 1, 0);
  filters->addWidget(Caption(PanelTop, QStringLiteral("Show by Type"), cbTypes), 0, 1);
  filters->addWidget(cbTypes, 1, 1);

  cDeDup = Named(new QCheckBox(PanelTop), "cDeDup");
  cDeDup->setAccessibleName(QStringLiteral("Hide Duplicates"));
  Label9 = Named(new QLabel(QStringLiteral("Hide Duplicates"), PanelTop), "Label9");
  cTextfilt = Named(new QCheckBox(PanelTop), "cTextfilt");
  cTextfilt->setAccessibleName(QStringLiteral("Text Filter"));
  Label7 = Named(new QLabel(QStringLiteral("Text Filter"), PanelTop), "Label7");
  Label9->setBuddy(cDeDup);
  Label7->setBuddy(cTextfilt);
  Label9->installEventFilter(this);
  Label7->installEventFilter(this);
  cbSearchMethod = Named(new TCommitComboBox(PanelTop), "cbSearchMethod");
  cbSearchMethod->addItems({QStringLiteral("All Items"), QStringLiteral("Starts with"),
                            QStringLiteral("Contains"), QStringLiteral("Full Match"),
                            QStringLiteral("No. Words >"), QStringLiteral("No. Words <=")});
  cbSearchMethod->setAccessibleName(QStringLiteral("Search Method"));
  cbSearchMethod->hide();
  // A closed drop-down list is announced by its value; the label names it.
  auto *searchMethodLabel =
      Named(Caption(PanelTop, QStringLiteral("Search Method"), cbSearchMethod), "LabelSearchMethod");
  searchMethodLabel->hide();
  connect(cTextfilt, &QCheckBox::toggled, searchMethodLabel, &QWidget::setVisible);
  auto *dedupRow = new QHBoxLayout;
  dedupRow->setSpacing(3);
  dedupRow->addWidget(cDeDup);
  dedupRow->addWidget(Label9);
  dedupRow->addStretch();
  auto *textRow = new QHBoxLayout;
  textRow->setSpacing(3);
  textRow->addWidget(cTextfilt);
  textRow->addWidget(Label7);
  textRow->addWidget(searchMethodLabel);
  textRow->addWidget(cbSearchMethod);
  textRow->addStretch();
  filters->addLayout(dedupRow, 0, 2);
  filters->addLayout(textRow, 1, 2);
  row->addLayout(filters);

  stFilter = MakeButton(PanelTop, "stFilter", QStringLiteral("View All"), "viewall", 32,
                        QStringLiteral("View All"), QStringLiteral("Clear all filters and show every item"));
  row->addWidget(stFilter);
  row->addWidget(Bevel(PanelTop, "Bevel2"));

  auto *nav = new QVBoxLayout;
  nav->setSpacing(2);
  cbNavMethod =
      MakeCombo(PanelTop, "cbNavMethod",
                {QStringLiteral("Untranslated"), QStringLiteral("Next Item"), QStringLiteral("Query"),
                 QStringLiteral("Auto Translated"), QStringLiteral("Warning")},
                1, QStringLiteral("Navigate Method"));
  nav->addWidget(Caption(PanelTop, QStringLiteral("Navigate Method"), cbNavMethod));
  nav->addWidget(cbNavMethod);
  row->addLayout(nav);
  stPrev = MakeButton(PanelTop, "stPrev", QStringLiteral("Previous"), "prev", 32, QStringLiteral("Previous"),
                      QStringLiteral("Move to the previous item (based on navigation method)"));
  stNext = MakeButton(PanelTop, "stNext", QStringLiteral("Next"), "next", 32, QStringLiteral("Next"),
                      QStringLiteral("Move to the next item (based on navigation method)"));
  stNext->setAccessibleName(QStringLiteral("Next item"));
  row->addWidget(stPrev);
  row->addWidget(stNext);
  row->addStretch(1);
  StaticHotBtn2 = MakeButton(PanelTop, "StaticHotBtn2", QStringLiteral("Update"), "update", 32,
                             QStringLiteral("Update"), QStringLiteral("Update changes to current item"));
  StaticHotBtn2->setAccessibleName(QStringLiteral("Update item"));
  row->addWidget(StaticHotBtn2);

  Wire(StaticHotBtn18, &TStaticHotBtn::SubmitData, &TTransClientFrm3::StaticHotBtn18SubmitData,
       "StaticHotBtn18SubmitData");
  Wire(StaticHotBtn1, &TStaticHotBtn::SubmitData, &TTransClientFrm3::StaticHotBtn1SubmitData,
       "StaticHotBtn1SubmitData");
  Wire(stFilter, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stFilterSubmitData, "stFilterSubmitData");
  Wire(stPrev, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stPrevSubmitData, "stPrevSubmitData");
  Wire(stNext, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stNextSubmitData, "stNextSubmitData");
  Wire(StaticHotBtn2, &TStaticHotBtn::SubmitData, &TTransClientFrm3::Update1Click, "StaticHotBtn2SubmitData");
  Wire(cbStatus, &QComboBox::activated, &TTransClientFrm3::cbStatusClick, "cbStatusClick");
  Wire(cbTypes, &QComboBox::activated, &TTransClientFrm3::cbTypesClick, "cbTypesClick");
  // The method box asks for its value only on a committed choice, so the arrows can browse it.
  Wire(cbSearchMethod, &TCommitComboBox::Committed, &TTransClientFrm3::cbSearchMethodClick,
       "cbSearchMethodClick");
  Wire(cDeDup, &QCheckBox::clicked, &TTransClientFrm3::cDeDupClick, "cDeDupClick");
  Wire(cTextfilt, &QCheckBox::clicked, &TTransClientFrm3::cTextfiltClick, "cTextfiltClick");
}

void TTransClientFrm3::BuildClientArea() {
  pnl_client = Named(new QWidget(this), "pnl_client");
  auto *layout = new QHBoxLayout(pnl_client);
  layout->setContentsMargins(0, 0, 0, 0);
  RxSplitter3 = Named(new QSplitter(Qt::Horizontal, pnl_client), "RxSplitter3");
  layout->addWidget(RxSplitter3);

  vtList = Named(new TVirtualTree(RxSplitter3), "vtList");
  vtList->setAccessibleName(QStringLiteral("Sections"));
  vtListModel = new TSectionListModel;
  vtListModel->setParent(this);
  vtListModel->Line = [this](int row) -> const TSectionListModel::TLine * {
    static thread_local TSectionListModel::TLine line;
    if (row < 0 || row >= ListboxSections.Count()) return nullptr;
    const std::string_view name = ListboxSections.Name(row);
    line.Name = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    line.Stats = ListboxSections.Counts(row);
    return &line;
  };
  vtList->setModel(vtListModel);
  vtList->SetSelectionColors(QColor(223, 238, 255), QColor(234, 244, 255));
  vtList->header()->setStretchLastSection(false);
  vtList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  vtList->header()->resizeSection(1, 75);
  vtList->setSortingEnabled(false);
  vtList->installEventFilter(this);
  {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    vtList->setFont(f);
  }
  connect(vtList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { Guard("vtListFocusChanged", [this] { vtListFocusChanged(); }); });
  connect(vtList, &TVirtualTree::RowPressed, this, [this](int, bool wasFocused) {
    if (wasFocused) Guard("vt2DragAllowed", [this] { vtListFocusChanged(); });
  });

  RxSplitter2 = Named(new QSplitter(Qt::Vertical, RxSplitter3), "RxSplitter2");
  vt1 = MakeEntryList("vt1", false);
  vt1a = MakeEntryList("vt1a", true);
  RxSplitter2->addWidget(vt1);
  RxSplitter2->addWidget(vt1a);
  RxSplitter2->setSizes({400, 89});
  RxSplitter2->setStretchFactor(0, 1);
  RxSplitter2->setStretchFactor(1, 0);
  RxSplitter3->addWidget(vtList);
  RxSplitter3->addWidget(RxSplitter2);
  RxSplitter3->setSizes({212, 818});
  RxSplitter3->setStretchFactor(1, 1);

  // Preview and suggestion band.
  Panel1 = Named(new QWidget(this), "Panel1");
  auto *band = new QHBoxLayout(Panel1);
  band->setContentsMargins(0, 0, 0, 0);
  RxSplitter5 = Named(new QSplitter(Qt::Horizontal, Panel1), "RxSplitter5");
  band->addWidget(RxSplitter5);
  PanelPreview = Named(new QFrame(RxSplitter5), "PanelPreview");
  static_cast<QFrame *>(PanelPreview)->setFrameShape(QFrame::StyledPanel);
  PanelPreview->setAccessibleName(QStringLiteral("Preview"));
  PanelPreview->setAutoFillBackground(true);
  vt2 = Named(new TVirtualTree(RxSplitter5), "vt2");
  vt2->setAccessibleName(QStringLiteral("Suggestions"));
  vt2Model = Named(new TSuggestionListModel, "vt2Model");
  vt2Model->setParent(this);
  vt2Model->List = [this]() -> const TReleaseList<TWordObj> * {
    return Project ? &Project->Suggestions : nullptr;
  };
  vt2Model->Current = [this]() -> const TWordObj * { return FSession.Current(); };
  vt2Model->FocusedRow = [this] { return vt2->hasFocus() ? vt2->FocusedRow() : -1; };
  vt2->setModel(vt2Model);
  vt2->SetSelectionColors(QColor(kRgbSelectedFocused.R, kRgbSelectedFocused.G, kRgbSelectedFocused.B),
                          QColor(kRgbSelectedUnfocused.R, kRgbSelectedUnfocused.G, kRgbSelectedUnfocused.B));
  {
    QPalette pal = vt2->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    vt2->setPalette(pal);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    vt2->setFont(f);
  }
  vt2->header()->setStretchLastSection(false);
  vt2->header()->resizeSection(0, kSuggestionColumn0Width);
  vt2->header()->resizeSection(1, kSuggestionColumn1Width);
  vt2->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  RxSplitter5->addWidget(PanelPreview);
  RxSplitter5->addWidget(vt2);
  RxSplitter5->setSizes({400, 630});

  RxSplitter4 = Named(new QSplitter(Qt::Vertical, this), "RxSplitter4");
  RxSplitter4->addWidget(pnl_client);
  RxSplitter4->addWidget(Panel1);
  RxSplitter4->setStretchFactor(0, 1);
  RxSplitter4->setSizes({500, 80});

  connect(RxSplitter2, &QSplitter::splitterMoved, this,
          [this] { Guard("RxSplitter2PosChanged", [this] { RxSplitter2PosChanged(); }); });
  connect(RxSplitter3, &QSplitter::splitterMoved, this,
          [this] { Guard("RxSplitter3PosChanged", [this] { RxSplitter3PosChanged(); }); });
  connect(RxSplitter4, &QSplitter::splitterMoved, this,
          [this] { Guard("RxSplitter4PosChanged", [this] { RxSplitter4PosChanged(); }); });
}

void TTransClientFrm3::BuildBottomBand() {
  pnl_RT_Bottom = Named(new QWidget(this), "pnl_RT_Bottom");
  pnl_RT_Bottom->setFixedHeight(239);
  auto *layout = new QHBoxLayout(pnl_RT_Bottom);
  layout->setContentsMargins(4, 4, 4, 2);
  RxSplitter1 = Named(new QSplitter(Qt::Horizontal, pnl_RT_Bottom), "RxSplitter1");
  layout->addWidget(RxSplitter1);
  RxSplitter1->addWidget(BuildRawLeft());
  RxSplitter1->addWidget(BuildTransRight());
  RxSplitter1->setSizes({420, 610});
  RxSplitter1->setStretchFactor(1, 1);
}

QWidget *TTransClientFrm3::BuildRawLeft() {
  pnl_rawleft = Named(new QWidget(this), "pnl_rawleft");
  auto *col = new QVBoxLayout(pnl_rawleft);
  col->setContentsMargins(0, 0, 4, 0);
  col->setSpacing(3);

  auto *tools = new QHBoxLayout;
  tools->setSpacing(2);
  stRevTrans =
      MakeButton(pnl_rawleft, "stRevTrans", {}, "revtrans", 24, QStringLiteral("Reverse Translation"),
                 QStringLiteral("Translate back into English using Google Translate"));
  stCopyRaw = MakeButton(pnl_rawleft, "stCopyRaw", {}, "copy", 24, QStringLiteral("Copy Original Text"),
                         QStringLiteral("Copy the original text to clipboard"));
  stPreview = MakeButton(pnl_rawleft, "stPreview", {}, "preview", 24, QStringLiteral("Preview"),
                         QStringLiteral("Show the form of the current item"));
  cShowTrans = Named(new QCheckBox(QStringLiteral("Show Original"), pnl_rawleft), "cShowTrans");
  editLn = Named(new QLineEdit(QStringLiteral("el"), pnl_rawleft), "editLn");
  editLn->setMaximumWidth(40);
  editLn->setAccessibleName(QStringLiteral("Target language"));
  cStripCaps = Named(new QCheckBox(QStringLiteral("Strip"), pnl_rawleft), "cStripCaps");
  cStripCaps->setChecked(true);
  stRawToTrans =
      MakeButton(pnl_rawleft, "stRawToTrans", {}, "rawtotrans", 24, QStringLiteral("Grab Original"),
                 QStringLiteral("Set translated text value to match original text."));
  for (QWidget *w :
       std::initializer_list<QWidget *>{stRevTrans, stCopyRaw, stPreview, cShowTrans, editLn, cStripCaps})
    tools->addWidget(w);
  tools->addStretch();
  tools->addWidget(stRawToTrans);
  col->addLayout(tools);

  labelStInfo = Named(new QLabel(pnl_rawleft), "labelStInfo");
  labelStInfo->setStyleSheet(QStringLiteral("color: rgb(128,128,128);"));
  col->addWidget(labelStInfo);
  TntMemoSrc = Named(new QPlainTextEdit(pnl_rawleft), "TntMemoSrc");
  TntMemoSrc->setReadOnly(true);
  TntMemoSrc->setAccessibleName(QStringLiteral("Original"));
  TntMemoSrc->setStyleSheet(
      QStringLiteral("QPlainTextEdit { color: rgb(96,96,96); background: rgb(234,244,255); }"));
  col->addWidget(TntMemoSrc, 3);

  auto *infoRow = new QHBoxLayout;
  auto *infoLabel = Named(new QLabel(QStringLiteral("Info"), pnl_rawleft), "Label1");
  Label2 = Named(new QLabel(pnl_rawleft), "Label2");
  infoRow->addWidget(infoLabel);
  infoRow->addWidget(Label2, 1);
  col->addLayout(infoRow);
  memoInfo = Named(new QPlainTextEdit(pnl_rawleft), "memoInfo");
  memoInfo->setReadOnly(true);
  memoInfo->setAccessibleName(QStringLiteral("Developer note"));
  infoLabel->setBuddy(memoInfo);
  col->addWidget(memoInfo, 2);

  auto *flags = new QHBoxLayout;
  cWarning = Named(new QCheckBox(QStringLiteral("Warning"), pnl_rawleft), "cWarning");
  cNeedsWork = Named(new QCheckBox(QStringLiteral("Needs Work"), pnl_rawleft), "cNeedsWork");
  flags->addWidget(cWarning);
  flags->addWidget(cNeedsWork);
  flags->addStretch();
  col->addLayout(flags);

  Wire(stCopyRaw, &TStaticHotBtn::SubmitData, &TTransClientFrm3::CopyOriginaltoClipboard1Click,
       "stCopyRawSubmitData");
  Wire(stRawToTrans, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stRawToTransSubmitData,
       "stRawToTransSubmitData");
  Wire(TntMemoSrc, &QPlainTextEdit::textChanged, &TTransClientFrm3::TntMemoSrcChange, "TntMemoSrcChange");
  Wire(cWarning, &QCheckBox::toggled, &TTransClientFrm3::cWarningClick, "cWarningClick");
  Wire(cNeedsWork, &QCheckBox::toggled, &TTransClientFrm3::cNeedsWorkClick, "cNeedsWorkClick");
  return pnl_rawleft;
}

QWidget *TTransClientFrm3::BuildTransRight() {
  pnl_trans_right = Named(new QWidget(this), "pnl_trans_right");
  pnl_trans_right->installEventFilter(this);
  auto *col = new QVBoxLayout(pnl_trans_right);
  col->setContentsMargins(4, 0, 0, 0);
  col->setSpacing(3);

  auto *tools = new QHBoxLayout;
  tools->setSpacing(2);
  cReplaceAuto = Named(new QCheckBox(QStringLiteral("Replace ALL"), pnl_trans_right), "cReplaceAuto");
  cReplaceAuto->setChecked(true);
  stClear = MakeButton(pnl_trans_right, "stClear", {}, "clear", 24, QStringLiteral("Clear"),
                       QStringLiteral("Remove current translation"));
  stUndo = MakeButton(pnl_trans_right, "stUndo", {}, "undo", 24, QStringLiteral("Undo"),
                      QStringLiteral("Undo Changes to current Translation"));
  stCopyTrans = MakeButton(pnl_trans_right, "stCopyTrans", {}, "copy", 24, QStringLiteral("Copy Translation"),
                           QStringLiteral("Copy current translation text to clipboard"));
  stPaste = MakeButton(pnl_trans_right, "stPaste", {}, "paste", 24, QStringLiteral("Paste"),
                       QStringLiteral("Paste text from the clipboard into current translation"));
  BevelRight = Bevel(pnl_trans_right, "BevelRight");
  stApplyToSimilar = MakeButton(
      pnl_trans_right, "stApplyToSimilar", {}, "similar", 24, QStringLiteral("Apply from Item"),
      QStringLiteral("Set current item in the similar list to match the selected item in the top list."));
  stApplyToSimilar->setEnabled(false);
  stGoogleTranslate =
      MakeButton(pnl_trans_right, "stGoogleTranslate", {}, "webtrans", 24, QStringLiteral("Google Translate"),
                 QStringLiteral("Translate current item using google translate window"));
  stAutoTranslate =
      MakeButton(pnl_trans_right, "stAutoTranslate", {}, "autotrans", 24, QStringLiteral("Auto Translate"),
                 QStringLiteral("Automatically translate current item (Ctrl + T)"));
  Bevel8 = Bevel(pnl_trans_right, "Bevel8");
  stMoveDown = MakeButton(pnl_trans_right, "stMoveDown", {}, "movedown", 24, QStringLiteral("Next"),
                          QStringLiteral("Update current item (if changed) and move to next item (based on "
                                         "navigation method)"));
  stUpdate = MakeButton(pnl_trans_right, "stUpdate", {}, "update", 24, QStringLiteral("Update"),
                        QStringLiteral("Update current translation, applying any changes."));
  // The band's buttons share their hints with the top bar's; their names say what each does.
  stMoveDown->setAccessibleName(QStringLiteral("Update and next"));
  stUpdate->setAccessibleName(QStringLiteral("Update translation"));
  for (QWidget *w :
       std::initializer_list<QWidget *>{cReplaceAuto, stClear, stUndo, stCopyTrans, stPaste, BevelRight})
    tools->addWidget(w);
  tools->addStretch();
  // The right-hand group is anchored to the panel's right edge and placed by pnl_trans_rightResize.
  col->addLayout(tools);

  TntLabel1 = Named(new QLabel(QStringLiteral("Original"), pnl_trans_right), "TntLabel1");
  TntLabel1->setTextFormat(Qt::PlainText);
  TntLabel1->setStyleSheet(QStringLiteral("font-weight: bold; color: rgb(40,60,110);"));
  col->addWidget(TntLabel1);
  TntMemoLng = Named(new QPlainTextEdit(pnl_trans_right), "TntMemoLng");
  TntMemoLng->setAccessibleName(QStringLiteral("Translation"));
  TntMemoLng->setTabChangesFocus(true);
  {
    QFont f = TntMemoLng->font();
    f.setPixelSize(14);
    TntMemoLng->setFont(f);
  }
  col->addWidget(TntMemoLng, 1);

  auto *flags = new QHBoxLayout;
  cIsAuto = Named(new QCheckBox(QStringLiteral("Auto Translated"), pnl_trans_right), "cIsAuto");
  cFuzzy = Named(new QCheckBox(QStringLiteral("Query"), pnl_trans_right), "cFuzzy");
  flags->addWidget(cIsAuto);
  flags->addWidget(cFuzzy);
  flags->addStretch();
  col->addLayout(flags);

  auto *comment = new QHBoxLayout;
  comment->setSpacing(3);
  editQuery = Named(new QLineEdit(pnl_trans_right), "editQuery");
  editQuery->setAccessibleName(QStringLiteral("Translator Comments"));
  comment->addWidget(Caption(pnl_trans_right, QStringLiteral("Translator Comments"), editQuery));
  RxSpeedButton1 = Named(new QToolButton(pnl_trans_right), "RxSpeedButton1");
  RxSpeedButton1->setIcon(QIcon(ButtonImage(QStringLiteral("comment"), 16)));
  RxSpeedButton1->setPopupMode(QToolButton::InstantPopup);
  RxSpeedButton1->setAccessibleName(QStringLiteral("Comment menu"));
  RxSpeedButton1->setToolTip(QStringLiteral("Comment menu"));
  SpeedButton1 = Named(new QToolButton(pnl_trans_right), "SpeedButton1");
  SpeedButton1->setText(QStringLiteral("x"));
  SpeedButton1->setAccessibleName(QStringLiteral("Clear comment"));
  SpeedButton1->setToolTip(QStringLiteral("Clear the comment and the query mark"));
  SpeedButton2 = Named(new QToolButton(pnl_trans_right), "SpeedButton2");
  SpeedButton2->setText(QStringLiteral("^"));
  SpeedButton2->setAccessibleName(QStringLiteral("Swap comment and translation"));
  SpeedButton2->setToolTip(QStringLiteral("Swap the comment and the translation"));
  comment->addWidget(RxSpeedButton1);
  comment->addWidget(SpeedButton1);
  comment->addWidget(SpeedButton2);
  comment->addWidget(editQuery, 1);
  col->addLayout(comment);

  Wire(stClear, &TStaticHotBtn::SubmitData, &TTransClientFrm3::ClearTranslation1Click, "stClearSubmitData");
  Wire(stUndo, &TStaticHotBtn::SubmitData, &TTransClientFrm3::Undo1Click, "stUndoSubmitData");
  Wire(stCopyTrans, &TStaticHotBtn::SubmitData, &TTransClientFrm3::CopyTranslationtoClipboard1Click,
       "stCopyTransSubmitData");
  Wire(stPaste, &TStaticHotBtn::SubmitData, &TTransClientFrm3::PastefromClipboard1Click, "stPasteSubmitData");
  Wire(stMoveDown, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stMoveDownSubmitData,
       "stMoveDownSubmitData");
  Wire(stUpdate, &TStaticHotBtn::SubmitData, &TTransClientFrm3::Update1Click, "stUpdateSubmitData");
  Wire(TntMemoLng, &QPlainTextEdit::textChanged, &TTransClientFrm3::TntMemoLngChange, "TntMemoLngChange");
  Wire(cIsAuto, &QCheckBox::toggled, &TTransClientFrm3::cIsAutoClick, "cIsAutoClick");
  Wire(cFuzzy, &QCheckBox::toggled, &TTransClientFrm3::cFuzzyClick, "cFuzzyClick");
  Wire(editQuery, &QLineEdit::textChanged, &TTransClientFrm3::editQueryChange, "editQueryChange");
  Wire(SpeedButton1, &QToolButton::clicked, &TTransClientFrm3::SpeedButton1Click, "SpeedButton1Click");
  Wire(SpeedButton2, &QToolButton::clicked, &TTransClientFrm3::SpeedButton2Click, "SpeedButton2Click");
  // Window shortcuts win over the editors' own keys, as a translator expects of the menu commands.
  for (QWidget *editor : std::initializer_list<QWidget *>{TntMemoLng, TntMemoSrc, editQuery})
    editor->installEventFilter(this);
  return pnl_trans_right;
}

QAction *TTransClientFrm3::AddAction(QMenu *menu, const QString &caption, const char *name,
                                     const QKeySequence &key) {
  auto *action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  if (!key.isEmpty()) action->setShortcut(key);
  return action;
}

void TTransClientFrm3::BuildMenus() {
  QMenuBar *bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  const auto later = [](QAction *action) { action->setEnabled(false); }; // command of a later release step

  QMenu *file = Named(bar->addMenu(QStringLiteral("&File")), "File1");
  OpenFile1 = AddAction(file, QStringLiteral("&Open File"), "OpenFile1",
                        QKeySequence(QStringLiteral("Ctrl+Shift+O")));
  SaveFile1 = AddAction(file, QStringLiteral("&Save File"), "SaveFile1", QKeySequence::Save);
  BackupFile1 = AddAction(file, QStringLiteral("Backup File"), "BackupFile1");
  file->addSeparator();
  ImportPackedProject1 = AddAction(file, QStringLiteral("Import Packed Project"), "ImportPackedProject1");
  ExportPackedProject1 = AddAction(file, QStringLiteral("Export Packed Project"), "ExportPackedProject1");
  file->addSeparator();
  CloseCurrentFile1 = AddAction(file, QStringLiteral("Close Current File"), "CloseCurrentFile1",
                                QKeySequence(QStringLiteral("Ctrl+F4")));
  AdminLogon1 = AddAction(file, QStringLiteral("Admin Logon"), "AdminLogon1");
  file->addSeparator();
  Exit1 = AddAction(file, QStringLiteral("&Exit"), "Exit1", QKeySequence(QStringLiteral("Alt+F4")));

  QMenu *edit = Named(bar->addMenu(QStringLiteral("&Edit")), "Edit1");
  Next1 = AddAction(edit, QStringLiteral("&Next Item"), "Next1", QKeySequence(Qt::Key_F4));
  Previous1 = AddAction(edit, QStringLiteral("&Previous Item"), "Previous1", QKeySequence(Qt::Key_F3));
  edit->addSeparator();
  Undo1 = AddAction(edit, QStringLiteral("Undo Changes"), "Undo1", QKeySequence(QStringLiteral("Ctrl+Z")));
  ClearTranslation1 = AddAction(edit, QStringLiteral("Clear Translation"), "ClearTranslation1",
                                QKeySequence(QStringLiteral("Ctrl+Del")));
  Update1 = AddAction(edit, QStringLiteral("Update Current"), "Update1", QKeySequence(Qt::Key_F5));
  ApplytoSimilar1 = AddAction(edit, QStringLiteral("Apply to Similar"), "ApplytoSimilar1",
                              QKeySequence(QStringLiteral("Ctrl+D")));
  ApplytoSimilar1->setEnabled(false);
  edit->addSeparator();
  CopyTranslationtoClipboard1 =
      AddAction(edit, QStringLiteral("&Copy Translation to Clipboard"), "CopyTranslationtoClipboard1",
                QKeySequence(QStringLiteral("Shift+Ctrl+C")));
  CopyOriginaltoClipboard1 = AddAction(edit, QStringLiteral("Copy Original to Clipboard"),
                                       "CopyOriginaltoClipboard1", QKeySequence(QStringLiteral("Ctrl+O")));
  PastefromClipboard1 = AddAction(edit, QStringLiteral("Paste from Clipboard"), "PastefromClipboard1",
                                  QKeySequence(QStringLiteral("Shift+Ctrl+V")));
  edit->addSeparator();
  AddAction(edit, QStringLiteral("Replace Text"), "ReplaceText1");

  QMenu *word = Named(bar->addMenu(QStringLiteral("Word")), "Word1");
  // Ctrl+Q belongs to "Queried" of the Status menu.
  AddAction(word, QStringLiteral("Capitalize"), "Capitalize1");
  AddAction(word, QStringLiteral("Add Trailing ..."), "AddTrailing1");
  AddAction(word, QStringLiteral("Strip Trailing ..."), "StripTrailing1");
  AddAction(word, QStringLiteral("Mirror Trailing ..."), "MirrorTrailing1");

  QMenu *view = Named(bar->addMenu(QStringLiteral("&View")), "View1");
  PreviewScreenOnOff1 = AddAction(view, QStringLiteral("Preview Screen On/Off"), "PreviewScreenOnOff1",
                                  QKeySequence(Qt::Key_F12));
  ViewAll1 = AddAction(view, QStringLiteral("View All Items (Clear Filters)"), "ViewAll1",
                       QKeySequence(QStringLiteral("Ctrl+Shift+A")));
  AdvancedTools1 = AddAction(view, QStringLiteral("Advanced Tools"), "AdvancedTools1",
                             QKeySequence(QStringLiteral("Ctrl+Shift+T")));
  AdvancedTools1->setCheckable(true);
  AdvancedTools1->setChecked(true);
  view->addSeparator();
  GoToSections1 = AddAction(view, QStringLiteral("Go to Sections"), "GoToSections1",
                            QKeySequence(QStringLiteral("Ctrl+1")));
  GoToEntries1 = AddAction(view, QStringLiteral("Go to Entries"), "GoToEntries1",
                           QKeySequence(QStringLiteral("Ctrl+2")));
  GoToTranslation1 = AddAction(view, QStringLiteral("Go to Translation"), "GoToTranslation1",
                               QKeySequence(QStringLiteral("Ctrl+3")));
  connect(GoToSections1, &QAction::triggered, this, [this] { GoToPane(vtList); });
  connect(GoToEntries1, &QAction::triggered, this, [this] { GoToPane(vt1); });
  connect(GoToTranslation1, &QAction::triggered, this, [this] { GoToPane(TntMemoLng); });

  QMenu *status = Named(bar->addMenu(QStringLiteral("&Status")), "Status1");
  AutoTranslated1 = AddAction(status, QStringLiteral("Auto Translated"), "AutoTranslated1",
                              QKeySequence(QStringLiteral("Ctrl+A")));
  Queried1 = AddAction(status, QStringLiteral("Queried"), "Queried1", QKeySequence(QStringLiteral("Ctrl+Q")));
  NeedsWork1 =
      AddAction(status, QStringLiteral("Needs Work"), "NeedsWork1", QKeySequence(QStringLiteral("Ctrl+N")));
  Warning1 = AddAction(status, QStringLiteral("Warning"), "Warning1", QKeySequence(QStringLiteral("Ctrl+W")));
  for (QAction *a : {AutoTranslated1, Queried1, NeedsWork1, Warning1}) a->setCheckable(true);

  QMenu *translate = Named(bar->addMenu(QStringLiteral("&Translate")), "Translate1");
  AutoTranslate1 = AddAction(translate, QStringLiteral("Auto Translate"), "AutoTranslate1",
                             QKeySequence(QStringLiteral("Ctrl+T")));
  GoogleTranslate1 = AddAction(translate, QStringLiteral("Google Translate"), "GoogleTranslate1",
                               QKeySequence(QStringLiteral("Ctrl+G")));
  GoogleReverseTranslation1 = AddAction(translate, QStringLiteral("Google Reverse Translation"),
                                        "GoogleReverseTranslation1", QKeySequence(QStringLiteral("Ctrl+R")));
  ApplyAutoTranslation1 = AddAction(translate, QStringLiteral("Apply Auto Translation"),
                                    "ApplyAutoTranslation1", QKeySequence(Qt::Key_F6));
  AddAction(translate, QStringLiteral("Captilaize Selected List"), "CaptilaizeSelected1");
  later(AddAction(translate, QStringLiteral("Auto Translate All"), "AutoTranslateAll1"));

  QMenu *misc = Named(bar->addMenu(QStringLiteral("Misc")), "Misc1");
  Filter1 = AddAction(misc, QStringLiteral("Filter"), "Filter1", QKeySequence(QStringLiteral("Ctrl+F")));
  Statistics1 = AddAction(misc, QStringLiteral("Statistics"), "Statistics1");
  DumpRawStrings1 = AddAction(misc, QStringLiteral("Dump Raw Strings"), "DumpRawStrings1");
  Hash1 = AddAction(misc, QStringLiteral("Hash"), "Hash1");

  QMenu *batch = Named(bar->addMenu(QStringLiteral("Batch")), "Batch1");
  for (const auto &[caption, name] : {std::pair{"Set AutoTranslated Flag", "SetAutoTranslatedFlag1"},
                                      {"Clear AutoTranslated Flag", "ClearAutoTranslatedFlag1"},
                                      {"Clear all Translations", "ClearallTranslations1"},
                                      {"Copy From Src Text", "CopyFromSrcText1"},
                                      {"Remove Exact Translations", "RemoveExactTranslations1"},
                                      {"Set Query Flags", "SetQueryFlag1"},
                                      {"Remove Query Flags", "RemoveQueryFlags1"},
                                      {"Set Modified Flag", "SetModifiedFlag1"},
                                      {"Remove Modified Flag", "RemoveModifiedFlag1"},
                                      {"Set Warning", "SetWarning1"},
                                      {"Remove Warnings", "RemoveWarnings1"},
                                      {"Add Unicode Test Char", "AddUnicodeTestChar1"},
                                      {"Remove Unicode Test Char", "RemoveUnicodeTestChar1"},
                                      {"Add Numbers", "AddNumbers1"}})
    AddAction(batch, QLatin1String(caption), name);
  later(AddAction(batch, QStringLiteral("Remove Numbers"), "Batch15"));
  AddAction(batch, QStringLiteral("Show Only GUI"), "ShowGUI1");
  AddAction(batch, QStringLiteral("Show Only App"), "ShowApp1");
  LoadfromTranslationRepository1 =
      AddAction(batch, QStringLiteral("Load from Translation Repository"), "LoadfromTranslationRepository1");

  QMenu *processing = Named(bar->addMenu(QStringLiteral("BatchProcessing")), "BatchProcessing1");
  AddAction(processing, QStringLiteral("Replicate trailing Periods ..."), "ReplicatetrailingPeriods1");
  AddAction(processing, QStringLiteral("Remove Trailing period"), "RemoveTrailingperiod1");
  AddAction(processing, QStringLiteral("Remove Accelerators"), "RemoveAccelerators1");
  WordFrequList1 = AddAction(processing, QStringLiteral("Word Frequ List"), "WordFrequList1");

  QMenu *system = Named(bar->addMenu(QStringLiteral("System")), "System1");
  BuildUpdatedSrcLng1 = AddAction(system, QStringLiteral("Build Updated SrcLng"), "BuildUpdatedSrcLng1");
  ResaveEntireFiles1 = AddAction(system, QStringLiteral("Resave Entire Files"), "ResaveEntireFiles1");
  CloneProjectas1 = AddAction(system, QStringLiteral("Clone Project as..."), "CloneProjectas1");
  MergeHints1 = AddAction(system, QStringLiteral("Merge Hints"), "MergeHints1");
  for (const auto &[caption, name] : {std::pair{"test", "test1"},
                                      {"FlagAuto", "FlagAuto1"},
                                      {"Fix Invalid", "FixInvalid1"},
                                      {"Fix Html Codes", "FixHtmlCodes1"},
                                      {"Fix Param case", "FixParamcase1"},
                                      {"Mark non Ascii", "MarknonAscii1"},
                                      {"Mark TransAPI Erros", "MarkTransAPIErros1"}})
    AddAction(system, QLatin1String(caption), name);
  AutoTranslateList1 = AddAction(system, QStringLiteral("AutoTranslateList"), "AutoTranslateList1");
  AutoGoogleTranslateList1 =
      AddAction(system, QStringLiteral("Auto GoogleTranslateList"), "AutoGoogleTranslateList1");

  QMenu *lists = Named(bar->addMenu(QStringLiteral("WordLists")), "WordLists1");
  CompileFinalkxLngFile1 =
      AddAction(lists, QStringLiteral("Compile selected kxLng File (old)"), "CompileFinalkxLngFile1");
  ExtractSrcLngdata1 = AddAction(lists, QStringLiteral("Grab Source Data..."), "ExtractSrcLngdata1");
  ExtractSrcLngdata1->setEnabled(false);
  CompileextractedkxLngfile1 =
      AddAction(lists, QStringLiteral("Compile Final from Rawmi file..."), "CompileextractedkxLngfile1");
  ExtractWordList1 = AddAction(lists, QStringLiteral("Extract WordList"), "ExtractWordList1");
  MergefromWordList1 = AddAction(lists, QStringLiteral("Merge from WordList"), "MergefromWordList1");
  ExtractRawMsgs1 = AddAction(lists, QStringLiteral("Extract RawMsgs"), "ExtractRawMsgs1");
  MergeRawWordlist1 = AddAction(lists, QStringLiteral("Merge RawWordlist"), "MergeRawWordlist1");
  ListMsgDiffs1 = AddAction(lists, QStringLiteral("List Raw Msg Diffs"), "ListMsgDiffs1");

  QMenu *help = Named(bar->addMenu(QStringLiteral("&Help")), "Help1");
  Instructions1 =
      AddAction(help, QStringLiteral("Instructions"), "Instructions1", QKeySequence::HelpContents);

  AdminMenus[0] = batch;
  AdminMenus[1] = misc;
  AdminMenus[2] = processing;
  AdminMenus[3] = system;
  AdminMenus[4] = lists;

  WireBackupCommands();
  WireFormPreviewCommands();
  WireBatchCommands();
  WireWordListCommands();
  WireCompileCommands();
  Wire(OpenFile1, &QAction::triggered, &TTransClientFrm3::OpenFile1Click, "OpenFile1Click");
  Wire(SaveFile1, &QAction::triggered, &TTransClientFrm3::SaveFile1Click, "SaveFile1Click");
  Wire(CloseCurrentFile1, &QAction::triggered, &TTransClientFrm3::CloseCurrentFile1Click,
       "CloseCurrentFile1Click");
  Wire(AdminLogon1, &QAction::triggered, &TTransClientFrm3::AdminLogon1Click, "AdminLogon1Click");
  Wire(Exit1, &QAction::triggered, &TTransClientFrm3::Exit1Click, "Exit1Click");
  Wire(Next1, &QAction::triggered, &TTransClientFrm3::Next1Click, "Next1Click");
  Wire(Previous1, &QAction::triggered, &TTransClientFrm3::Previous1Click, "Previous1Click");
  Wire(Undo1, &QAction::triggered, &TTransClientFrm3::Undo1Click, "Undo1Click");
  Wire(ClearTranslation1, &QAction::triggered, &TTransClientFrm3::ClearTranslation1Click,
       "ClearTranslation1Click");
  Wire(Update1, &QAction::triggered, &TTransClientFrm3::Update1Click, "Update1Click");
  Wire(CopyTranslationtoClipboard1, &QAction::triggered, &TTransClientFrm3::CopyTranslationtoClipboard1Click,
       "CopyTranslationtoClipboard1Click");
  Wire(CopyOriginaltoClipboard1, &QAction::triggered, &TTransClientFrm3::CopyOriginaltoClipboard1Click,
       "CopyOriginaltoClipboard1Click");
  Wire(PastefromClipboard1, &QAction::triggered, &TTransClientFrm3::PastefromClipboard1Click,
       "PastefromClipboard1Click");
  Wire(ViewAll1, &QAction::triggered, &TTransClientFrm3::ViewAll1Click, "ViewAll1Click");
  Wire(AdvancedTools1, &QAction::triggered, &TTransClientFrm3::AdvancedTools1Click, "AdvancedTools1Click");
  Wire(AutoTranslated1, &QAction::triggered, &TTransClientFrm3::AutoTranslated1Click, "AutoTranslated1Click");
  Wire(Queried1, &QAction::triggered, &TTransClientFrm3::Queried1Click, "Queried1Click");
  Wire(NeedsWork1, &QAction::triggered, &TTransClientFrm3::NeedsWork1Click, "NeedsWork1Click");
  Wire(Warning1, &QAction::triggered, &TTransClientFrm3::Warning1Click, "Warning1Click");
  Wire(Filter1, &QAction::triggered, &TTransClientFrm3::Filter1Click, "Filter1Click");
  Wire(Instructions1, &QAction::triggered, &TTransClientFrm3::Instructions1Click, "Instructions1Click");
}

void TTransClientFrm3::BuildPopupMenus() {
  const std::pair<const char *, int> columns[] = {{"ID Value", TEntryListModel::colId},
                                                  {"Item Name", TEntryListModel::colName},
                                                  {"Original", TEntryListModel::colOriginal},
                                                  {"Translated", TEntryListModel::colTranslated},
                                                  {"Source", TEntryListModel::colSource}};
  const auto fill = [&](QMenu *menu, TVirtualTree *list, const char *prefix) {
    int n = 0;
    for (const auto &[caption, column] : columns) {
      QAction *item =
          AddAction(menu, QLatin1String(caption),
                    QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(++n).toLatin1().constData());
      item->setCheckable(true);
      item->setData(column);
      item->setChecked(!list->isColumnHidden(column));
    }
  };
  PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
  fill(PopupMenu1, vt1, "IDValue");
  PopupMenu2 = Named(new QMenu(this), "PopupMenu2");
  fill(PopupMenu2, vt1a, "MenuItem");
  connect(PopupMenu1, &QMenu::triggered, this,
          [this](QAction *item) { Guard("IDValue1Click", [&] { IDValue1Click(item); }); });
  connect(PopupMenu2, &QMenu::triggered, this,
          [this](QAction *item) { Guard("MenuItem1Click", [&] { MenuItem1Click(item); }); });
  vt1->header()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(vt1->header(), &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { PopupMenu1->popup(vt1->header()->mapToGlobal(pos)); });
  vt1a->setContextMenuPolicy(Qt::CustomContextMenu);
  vt1a->header()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(vt1a, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { PopupMenu2->popup(vt1a->viewport()->mapToGlobal(pos)); });
  connect(vt1a->header(), &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { PopupMenu2->popup(vt1a->header()->mapToGlobal(pos)); });

  PopupMenu4 = Named(new QMenu(this), "PopupMenu4");
  Clear1 = AddAction(PopupMenu4, QStringLiteral("Clear"), "Clear1");
  NotSureaboutmeaning1 =
      AddAction(PopupMenu4, QStringLiteral("Not Sure about meaning"), "NotSureaboutmeaning1");
  RxSpeedButton1->setMenu(PopupMenu4);
  Wire(Clear1, &QAction::triggered, &TTransClientFrm3::Clear1Click, "Clear1Click");
  Wire(NotSureaboutmeaning1, &QAction::triggered, &TTransClientFrm3::NotSureaboutmeaning1Click,
       "NotSureaboutmeaning1Click");

  PopupMenu3 = Named(new QMenu(this), "PopupMenu3");
  Wire(AddAction(PopupMenu3, QStringLiteral("&Strip EOL Characters"), "StripEOL1"), &QAction::triggered,
       &TTransClientFrm3::StripEOL1Click, "StripEOL1Click");
}

void TTransClientFrm3::GoToPane(QWidget *pane) {
  if (!pane->isVisible() && pane != TntMemoLng) {
    // A list dragged shut comes back at its design size.
    QSplitter *splitter = pane == vtList ? RxSplitter3 : RxSplitter2;
    QList<int> sizes = splitter->sizes();
    sizes[0] = pane == vtList ? 212 : 400;
    splitter->setSizes(sizes);
    pane->show();
  }
  if (pane->isEnabled()) pane->setFocus(Qt::ShortcutFocusReason);
}

void TTransClientFrm3::ApplyAccessibleIds() {
  for (QWidget *widget : findChildren<QWidget *>())
    if (!widget->objectName().isEmpty()) widget->setAccessibleDescription(widget->objectName());
}

} // namespace vt
