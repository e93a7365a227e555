// The preview panel driven by real plans: which sample shows, where and at which size, the frame
// and badge, fallbacks, kept layouts, fonts, list items, hints, and typing that updates at once.
// The last case walks every entry of the demo project.
#include "client/preview_surface.h"

#include "controls/samples/sample_pictures.h"
#include "controls/samples/static_buttons.h"
#include "controls/samples/static_hot_btn.h"

#include "model/release_obj.h"
#include "model/word_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace vt;
using namespace vt::samples;

namespace {

using TLines = std::vector<std::pair<const char *, const char *>>;

TWordObj *AddObject(TWordList &p, const char *section, const char *name, const TLines &lines,
                    const char *currentKind) {
  TWordObj *current = nullptr;
  for (const auto &[kind, source] : lines) {
    TWordObj *e = p.AddEntry(section, name, kind, source);
    if (std::string_view(kind) == currentKind) current = e;
  }
  return current;
}

QString Q(const char *s) {
  return QString::fromUtf8(s);
}

class PreviewSurface : public ::testing::Test {
protected:
  PreviewSurface() {
    Root.resize(600, 200);
    Preview = new QWidget(&Root);
    Preview->setObjectName(Q("PanelPreview"));
    Preview->setGeometry(0, 0, 400, 80);
    Hidden = new QWidget(&Root);
    Hidden->setObjectName(Q("PanelHidden"));
    Hidden->hide();
    StInfo = new QLabel(&Root);
    Label2 = new QLabel(&Root);
    Surface = std::make_unique<TPreviewSurface>(Preview, Hidden);
    Surface->SetInfoLabels(StInfo, Label2);
    Root.show();
  }
  void Show(const TWordObj *entry) { Surface->ShowPlan(BuildPreviewPlan(*Project, entry)); }
  template <class T> T *Shown() { return qobject_cast<T *>(Surface->PreviewControl()); }

  QWidget Root;
  QWidget *Preview, *Hidden;
  QLabel *StInfo, *Label2;
  std::unique_ptr<TPreviewSurface> Surface;
  TRef<TWordList> Project{new TWordList()};
};

} // namespace

TEST_F(PreviewSurface, HotButtonAtObjectSizeThenFallbackLabel) {
  TWordObj *tc = AddObject(*Project, "TID_MainToolbar", "hbNew",
                           {{"_CN", "TStaticHotBtn"},
                            {"_AID", "1001"},
                            {"_Width", "64"},
                            {"_Height", "56"},
                            {"_ToolIconSize", "32"},
                            {"TC", "&New"},
                            {"THF", "New|Create a collection"}},
                           "TC");
  tc->Translation = "&Nuevo";
  Show(tc);
  auto *hot = Shown<TStaticHotBtn>();
  ASSERT_NE(hot, nullptr);
  EXPECT_EQ(hot->objectName(), Q("prev_StaticHotBtn"));
  EXPECT_EQ(hot->parentWidget(), Preview);
  EXPECT_TRUE(hot->isVisible());
  EXPECT_EQ(hot->geometry(), QRect(10, 10, 64, 56));
  EXPECT_TRUE(Surface->Bevel()->isVisible());
  EXPECT_EQ(Surface->Bevel()->geometry(), QRect(8, 8, 68, 60));
  EXPECT_EQ(hot->Caption(), Q("&Nuevo"));
  EXPECT_EQ(hot->ToolIconSize(), 32);
  EXPECT_EQ(hot->ToolIcon().size(), QSize(32, 32));
  EXPECT_FALSE(Surface->HintImage()->isVisible());
  EXPECT_EQ(StInfo->text(), Q("[TID_MainToolbar]  hbNew  (TStaticHotBtn)"));
  EXPECT_EQ(Label2->text(), Q("AID 1001"));

  // The same class without a height: the tool-caption label beside its badge.
  TWordObj *flat = AddObject(*Project, "TID_MainToolbar", "hbFlat",
                             {{"_CN", "TStaticHotBtn"}, {"_Width", "64"}, {"TC", "&Flat"}}, "TC");
  Show(flat);
  auto *generic = Shown<QLabel>();
  ASSERT_NE(generic, nullptr);
  EXPECT_EQ(generic->objectName(), Q("prev_Generic"));
  EXPECT_EQ(generic->pos(), QPoint(TPreviewSurface::kHintLeft + 24, TPreviewSurface::kHintTop));
  EXPECT_EQ(generic->accessibleDescription(), Q("Flat"));
  EXPECT_TRUE(Surface->HintImage()->isVisible());
  EXPECT_EQ(Surface->HintImage()->pixmap().toImage(), BadgePicture(samples::TPreviewBadge::HintTC).toImage());
  EXPECT_EQ(hot->parentWidget(), Hidden); // back on the holder
  EXPECT_FALSE(Surface->Bevel()->isVisible());
  EXPECT_EQ(Label2->text(), QString());
}

TEST_F(PreviewSurface, LayoutKeptIconClearedHintsOnlyForTrue) {
  TWordObj *left = AddObject(*Project, "F", "a",
                             {{"_CN", "TStaticHotBtn"},
                              {"_Width", "90"},
                              {"_Height", "30"},
                              {"_Layout", "blGlyphLeft"},
                              {"_ToolIconSize", "24"},
                              {"TC", "Left"}},
                             "TC");
  TWordObj *odd = AddObject(*Project, "F", "b",
                            {{"_CN", "TStaticHotBtn"},
                             {"_Width", "90"},
                             {"_Height", "30"},
                             {"_Layout", "blGlyphBottom"},
                             {"_ToolIconSize", "20"},
                             {"TC", "Odd"}},
                            "TC");
  Show(left);
  EXPECT_EQ(Shown<TStaticHotBtn>()->Layout(), TButtonLayout::GlyphLeft);
  EXPECT_EQ(Shown<TStaticHotBtn>()->ToolIconSize(), 24);
  Show(odd);
  EXPECT_EQ(Shown<TStaticHotBtn>()->Layout(),
            TButtonLayout::GlyphLeft); // kept from the previous preview
  EXPECT_EQ(Shown<TStaticHotBtn>()->ToolIconSize(), 0);
  EXPECT_TRUE(Shown<TStaticHotBtn>()->ToolIcon().isNull());

  TWordObj *lower = AddObject(*Project, "F", "c",
                              {{"_CN", "TTntButton"},
                               {"_Width", "75"},
                               {"_Height", "25"},
                               {"_ShowHint", "true"},
                               {"VC", "OK"},
                               {"VH", "Accept|Keeps the changes"}},
                              "VC");
  TWordObj *upper = AddObject(*Project, "F", "d",
                              {{"_CN", "TTntButton"},
                               {"_Width", "75"},
                               {"_Height", "25"},
                               {"_ShowHint", "True"},
                               {"VC", "OK"},
                               {"VH", "Accept|Keeps the changes"}},
                              "VC");
  Show(lower);
  EXPECT_EQ(Shown<QPushButton>()->toolTip(), QString());
  Show(upper);
  EXPECT_EQ(Shown<QPushButton>()->toolTip(), Q("<b>Accept</b><br>Keeps the changes"));
  EXPECT_EQ(Shown<QPushButton>()->size(), QSize(75, 25));
}

TEST_F(PreviewSurface, HintLabelsFontsListsAndWidthOnlySamples) {
  TWordObj *tf = AddObject(*Project, "F", "h", {{"TH", "Print"}, {"TF", "Prints the page"}}, "TF");
  Show(tf);
  auto *hint = Shown<QLabel>();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->objectName(), Q("prev_LabelHint"));
  EXPECT_EQ(hint->text(), Q("Prints the page"));
  EXPECT_EQ(hint->geometry(), QRect(32, 8, 400 - 32 - 24, 80 - 8 - 24)); // fixed to the panel
  EXPECT_TRUE(hint->wordWrap());
  EXPECT_EQ(hint->toolTip(), Q("<b>Print</b><br>Prints the page"));
  EXPECT_EQ(StInfo->text(), Q("[F]  h  ()"));

  Show(Project->FindEntry("F/h.TH"));
  EXPECT_TRUE(hint->font().bold());
  EXPECT_EQ(hint->palette().color(QPalette::WindowText), QColor(0, 0, 128));
  EXPECT_LT(hint->width(), 200); // sized to its text

  TWordObj *check = AddObject(*Project, "F", "cb",
                              {{"_CN", "TTntCheckBox"},
                               {"_Width", "140"},
                               {"_FontName", "DejaVu Serif"},
                               {"_FontHeight", "-15"},
                               {"_FontStyle", "[fsBold]"},
                               {"VC", "&Remember me"}},
                              "VC");
  Show(check);
  auto *box = Shown<QCheckBox>();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), Q("&Remember me"));
  EXPECT_EQ(box->font().pixelSize(), 15);
  EXPECT_TRUE(box->font().bold());
  EXPECT_EQ(box->width(), 140);
  EXPECT_EQ(box->height(), box->sizeHint().height()); // width only: its own height
  EXPECT_FALSE(Surface->Bevel()->isVisible());

  TWordObj *combo =
      AddObject(*Project, "F", "co",
                {{"_CN", "TTntComboBox"}, {"_Width", "150"}, {"IT", "\"Name\",\"Date\",\"Size\""}}, "IT");
  combo->Translation = "\"Nombre\",\"Fecha\",\"Tama\xC3\xB1o\"";
  Show(combo);
  auto *list = Shown<QComboBox>();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentText(), Q("Nombre"));
  EXPECT_EQ(list->itemText(2), QString::fromUtf16(u"Tama\u00f1o"));
  EXPECT_EQ(list->width(), 150);

  TWordObj *radio =
      AddObject(*Project, "F", "rb", {{"_CN", "TStaticRadioBtn"}, {"_Width", "110"}, {"TC", "One"}}, "TC");
  Show(radio);
  auto *r = Shown<TStaticRadioBtn>();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->width(), 110);
  EXPECT_GT(r->height(), 10);
}

TEST_F(PreviewSurface, TypingUpdatesTheSampleAtOnce) {
  TWordObj *vc =
      AddObject(*Project, "F", "btn",
                {{"_CN", "TStaticPushBtn"}, {"_Width", "90"}, {"_Height", "25"}, {"TC", "Cancel"}}, "TC");
  Show(vc);
  const QImage before = Preview->grab().toImage();
  // What the translation memo's change handler does on a keystroke, then the preview again.
  vc->SetTranslationFromEditor(u"Cancelar");
  Show(vc);
  EXPECT_EQ(Shown<TStaticPushBtn>()->Caption(), Q("Cancelar"));
  EXPECT_NE(Preview->grab().toImage(), before);
}

TEST_F(PreviewSurface, EveryEntryOfTheDemoProject) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const char *ext : {".SrcLng", ".kxLng", ".AutoLng"}) {
    const QString from = Q(VT_SOURCE_DIR "/examples/Demo") + Q(ext);
    ASSERT_TRUE(QFile::copy(from, dir.filePath(Q("Demo") + Q(ext))));
  }
  ASSERT_TRUE(Project->Open(dir.filePath(Q("Demo.kxLng")).toStdString()));
  std::map<std::string, int> shown;
  std::vector<QImage> gallery;
  for (const TWordObj *e : Project->Items) {
    if (e->Hidden) continue;
    const TPreviewPlan plan = BuildPreviewPlan(*Project, e);
    Surface->ShowPlan(plan);
    QWidget *w = Surface->PreviewControl();
    ASSERT_EQ(w != nullptr, plan.Sample != TPreviewSample::None) << e->FullId();
    if (!w) continue;
    ++shown[w->objectName().toStdString()];
    EXPECT_EQ(w->parentWidget(), Preview);
    if (plan.Place == TPreviewPlace::AtFrame) {
      EXPECT_TRUE(plan.Width <= 0 || w->width() == plan.Width) << e->FullId();
      EXPECT_TRUE(plan.Height <= 0 || w->height() == plan.Height) << e->FullId();
    }
    if (!qEnvironmentVariableIsEmpty("VT_SAMPLES_GALLERY") && shown[w->objectName().toStdString()] <= 2)
      gallery.push_back(Preview->grab().toImage());
  }
  for (const char *name : {"prev_StaticHotBtn", "prev_StaticPushBtn", "prev_TntButton", "prev_TntLabel",
                           "prev_Menu", "prev_LabelHint", "prev_TntComboBox", "prev_StaticGroupBox"})
    EXPECT_GT(shown[name], 0) << name;
  if (!gallery.empty()) { // a contact sheet for looking at the samples by eye
    QImage sheet(800, 80 * ((static_cast<int>(gallery.size()) + 1) / 2), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int i = 0; i < static_cast<int>(gallery.size()); ++i)
      p.drawImage((i % 2) * 400, (i / 2) * 80, gallery[i]);
    p.end();
    sheet.save(qEnvironmentVariable("VT_SAMPLES_GALLERY"));
  }
}
