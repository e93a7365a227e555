// The demo's form texts (examples/DfmData): each reads into a tree, and writing that tree back as a
// binary form and converting it gives the very bytes of the file, so the files are what the
// converter writes. The forms hold what the preview is shown with.
#include "form_writer.h"
#include "support/file_io.h"
#include "support/text_codec.h"
#include "tools/binary_form.h"
#include "tools/form_text_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using vt::TFormObject;
using vt::TFormValue;
using vt::TFormValueKind;
using vt::test::TFormWriter;

namespace {

const std::string kDfmData = std::string(VT_EXAMPLES_DIR) + "/DfmData";

void WriteValue(TFormWriter &w, const TFormValue &v) {
  switch (v.Kind) {
  case TFormValueKind::Integer:
    w.Int(v.Integer);
    break;
  case TFormValueKind::Float:
    w.Extended(v.Float);
    break;
  case TFormValueKind::String:
    if (v.WideLiteral)
      w.WStr(v.Text);
    else
      w.Str(vt::Utf16ToCp1252(v.Text));
    break;
  case TFormValueKind::Identifier:
    w.Ident(v.Ident);
    break;
  case TFormValueKind::Boolean:
    w.Bool(v.Boolean);
    break;
  case TFormValueKind::Nil:
    w.Nil();
    break;
  case TFormValueKind::Set:
    w.Byte(11);
    for (const std::string &n : v.Names) w.Short(n);
    w.Byte(0);
    break;
  case TFormValueKind::List:
    w.List();
    for (const TFormValue &item : v.Items) WriteValue(w, item);
    w.EndList();
    break;
  }
}

void WriteObject(TFormWriter &w, const TFormObject &obj) {
  const int flags = (obj.Inherited ? 1 : 0) | (obj.Position ? 2 : 0) | (obj.Inline ? 4 : 0);
  w.Object(obj.ClassName, obj.Name, flags, static_cast<int>(obj.Position.value_or(0)));
  for (const auto &p : obj.Properties) {
    w.Prop(p.Name);
    WriteValue(w, p.Value);
  }
  w.EndList();
  for (const auto &child : obj.Children) WriteObject(w, *child);
  w.EndList();
}

std::vector<std::string> DemoFiles() {
  std::vector<std::string> out;
  for (const auto &e : std::filesystem::directory_iterator(kDfmData)) out.push_back(e.path().string());
  std::sort(out.begin(), out.end());
  return out;
}

std::unique_ptr<TFormObject> ReadDemo(const std::string &section) {
  std::string error;
  auto root = vt::ReadFormTextFile(kDfmData + "/T" + section + ".dfmp", &error);
  EXPECT_TRUE(root) << error;
  return root;
}

const TFormObject *Find(const TFormObject &root, std::string_view name) {
  const TFormObject *found = nullptr;
  vt::VisitFormObjects(root, [&](const TFormObject &o) {
    if (!found && o.Name == name) found = &o;
  });
  return found;
}

} // namespace

TEST(DemoFormTexts, AreWhatTheConverterWrites) {
  const auto files = DemoFiles();
  ASSERT_EQ(files.size(), 7u);
  for (const std::string &path : files) {
    std::string bytes, error;
    ASSERT_TRUE(vt::ReadFileBytes(path, bytes, &error)) << error;
    auto root = vt::ReadFormText(bytes, &error);
    ASSERT_TRUE(root) << path << ": " << error;
    EXPECT_EQ("T" + root->Name + ".dfmp", std::filesystem::path(path).filename().string());
    TFormWriter w;
    WriteObject(w, *root);
    EXPECT_EQ(vt::ConvertBinaryForm(w.Bytes()), bytes) << path;
  }
}

TEST(DemoFormTexts, HoldWhatThePreviewIsShownWith) {
  // The classes the preview builds real controls for.
  static const std::set<std::string> kListed = {
      "TSpeedButton",      "TLabel",          "TTntButton",      "TPaintBox",
      "TStaticGroupBox",   "TTntLabel",       "TProgressBar",    "TShape",
      "TTntPageControl",   "TTntTabSheet",    "TStaticHotBtn",   "TBevel",
      "TStaticCheckBox",   "TStaticEditCtrl", "TStaticRadioBtn", "TCheckBox",
      "TComboBox",         "TPanel",          "TTntMemo",        "TThemePageControl",
      "TThemeTabSheet",    "TRxSpinEdit",     "TTntEdit",        "TButton",
      "TmmNumEdit",        "TImage",          "TTabSet",         "TTntImage",
      "TTntCheckBox",      "TTntGroupBox",    "TSpinButton",     "TStaticGrid",
      "TListBox",          "TEdit",           "TTntSpeedButton", "TMemo",
      "TRxSplitter",       "TTntStatusBar",   "TImageList",      "TTntMainMenu",
      "TTntMenuItem",      "TStaticPushBtn",  "TTntRadioButton", "TTrackBar",
      "TStaticBtn",        "TSpinEdit",       "TScrollBar",      "TStatusBar",
      "TPageControl",      "TTabSheet",       "TGroupBox",       "TGeneralEdit",
      "TStaticPreviewBox", "TTntComboBox",    "TBMSpinEdit",     "TFontComboBox",
      "TColorComboBox"};
  ASSERT_EQ(kListed.size(), 57u);
  std::vector<std::string> unlisted;
  for (const std::string &path : DemoFiles()) {
    auto root = vt::ReadFormTextFile(path);
    ASSERT_TRUE(root);
    for (const auto &child : root->Children)
      vt::VisitFormObjects(*child, [&](const TFormObject &o) {
        if (!kListed.count(o.ClassName)) unlisted.push_back(o.Name + ": " + o.ClassName);
      });
  }
  EXPECT_EQ(unlisted, std::vector<std::string>{"lvResults: TTntListView"});

  auto options = ReadDemo("TID_OptionsDlg");
  ASSERT_TRUE(options);
  EXPECT_EQ(options->Int("Width"), 520);
  EXPECT_EQ(options->Int("Height"), 440);
  const TFormObject *browse = Find(*options, "btnBrowse");
  ASSERT_TRUE(browse);
  EXPECT_EQ(browse->Parent->ClassName, "TTabSheet");
  EXPECT_EQ(browse->Int("Width"), 80);
  const TFormObject *tabs = Find(*options, "tcAdvanced");
  ASSERT_TRUE(tabs);
  EXPECT_EQ(tabs->ClassName, "TTabSet");
  EXPECT_EQ(tabs->Strings("Tabs.Strings"), (std::vector<std::u16string>{u"Cache", u"Network", u"Logging"}));
  EXPECT_EQ(Find(*options, "cbLanguage")->Strings("Items.Strings")->at(4),
            u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac");

  auto toolbar = ReadDemo("TID_MainToolbar");
  ASSERT_TRUE(toolbar);
  const TFormObject *panel = Find(*toolbar, "pnlToolbar");
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->Int("Tag"), 1234);
  EXPECT_EQ(panel->Children.size(), 9u);

  auto menu = ReadDemo("TID_MainMenu0");
  ASSERT_TRUE(menu);
  const TFormObject *file = Find(*menu, "mnuFile");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Parent->ClassName, "TTntMainMenu");
  EXPECT_EQ(Find(*menu, "mnuFileNew")->Text("Caption"), u"&New Collection...\tCtrl+N");
}
