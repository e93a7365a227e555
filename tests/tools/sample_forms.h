#pragma once
// The forms the test executables carry, shared by the generator and the tests.
#include "form_writer.h"

namespace vt::test {

// The options dialog of the raw data example, marked for extraction.
inline std::string OptionsDlgForm() {
  TFormWriter w;
  w.Object("TOptionsDlg", "OptionsDlg");
  w.Prop("Left").Int(10).Prop("Width").Int(400).Prop("Caption").Str("Options").EndList();
  w.Object("TButton", "btnOK").Prop("Width").Int(75).Prop("Caption").Str("OK");
  w.Prop("Hint").Str("Close\rand save").EndList().EndList();
  w.Object("TComboBox", "cbMode").Prop("Width").Int(120).Prop("Items.Strings").List().Str("Fast").Str("Slow");
  w.EndList().EndList().EndList();
  w.Object("TStaticHotBtn", "tbSave").Prop("TextData.Hint").Str("Save");
  w.Prop("TextData.FullHint").Str("Save the file").Prop("ActionID").Int(12).EndList().EndList();
  w.Object("TLabel", "lbHasGlobalTrans").Prop("Caption").Str("").EndList().EndList();
  w.EndList();
  return w.Bytes();
}

// A main form with inherited frames, collections, binary data and wide texts.
inline std::string MainFormForm() {
  TFormWriter w;
  w.Object("TMainForm", "MainForm");
  w.Prop("Width").Int(800).Prop("Caption").WStr(u"Main \u0416 window").Prop("Tag").Int(0);
  w.Prop("Glyph.Data").Binary(std::string(40, '\x5A'));
  w.Prop("Columns").Collection().Item().Prop("Caption").Str("Hidden").EndList().EndList();
  w.EndList();
  w.Object("TFrame1", "Frame1", 1).Prop("Width").Int(200).EndList();
  w.Object("TButton", "btnGo").Prop("Caption").Str("Go").Prop("Width").Int(50).EndList().EndList();
  w.EndList();
  w.Object("TMenuItem", "N1").Prop("Caption").Str("-").EndList().EndList();
  w.Object("TLabel", "lbHasGlobalTrans").Prop("Caption").Str("x").EndList().EndList();
  w.Object("TLabel", "lbHidden").Prop("Caption").Str("Hidden").Prop("Cursor").Ident("crNo").EndList();
  w.EndList();
  w.EndList();
  return w.Bytes();
}

// A form without the extraction mark.
inline std::string AboutBoxForm() {
  TFormWriter w;
  w.Object("TAboutBox", "AboutBox").Prop("Caption").Str("About").EndList().EndList();
  return w.Bytes();
}

} // namespace vt::test
