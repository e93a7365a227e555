#pragma once
// Writes a small skin: an ini listing GUI definition files, some as form text, some as zlib
// streams of binary forms.
#include "form_writer.h"
#include "test_data.h"

#include <zlib.h>

namespace vt::test {

inline std::string Deflate(const std::string &data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(data.data()),
            static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION);
  out.resize(size);
  return out;
}

// A tool definition holding one button with a caption, hints and an action.
inline std::string ToolStore(const std::u16string &contentName, const std::string &button, int actionId,
                             const std::string &cls = "TToolComponentStore") {
  TFormWriter w;
  w.Object(cls, "Store");
  if (!contentName.empty()) w.Prop("ContentName").WStr(contentName);
  w.EndList();
  w.Object("TStaticHotBtn", button).Prop("ToolText.Caption").Str(button + " caption");
  w.Prop("ToolText.Hint").Str("Hint of " + button).Prop("ActionID").Int(actionId).EndList().EndList();
  w.EndList();
  return w.Bytes();
}

inline std::string WriteSkin(const TTempDir &dir) {
  WriteBytes(dir.File("Zt4_Actions.dfm"), "object Zt4_Actions: TToolComponentStore\r\n"
                                          "  ContentName = 'Zt4_Actions'\r\n"
                                          "  object actOpen: TAction\r\n"
                                          "    ActionID = 7\r\n"
                                          "    Caption = 'Open'\r\n"
                                          "  end\r\n"
                                          "  object actUnused: TAction\r\n"
                                          "    ActionID = 99\r\n"
                                          "    Caption = 'Never used'\r\n"
                                          "  end\r\n"
                                          "end\r\n");
  WriteBytes(dir.File("Panel.dfm"), "object P: TPanel\r\n  Caption = 'not a store'\r\nend\r\n");
  WriteBytes(dir.File("A.bui.lz"), Deflate(ToolStore(u"Tools", "btnA", 7)));
  WriteBytes(dir.File("B.bui.lz"), Deflate(ToolStore(u"Tools", "btnB", 7)));
  WriteBytes(dir.File("C.bui.lz"), Deflate(ToolStore(u"Main Tools", "btnC", 7)));
  WriteBytes(dir.File("Plain.bui.lz"), Deflate(ToolStore(u"", "btnD", 7)));
  WriteBytes(dir.File("skin.ini"),
             "[GUI_Properties]\r\nCount=3\r\nG01=Zt4_Actions.dfm\r\nG02=Panel.dfm\r\n"
             "G03=Missing.dfm\r\n[GUI_Tools]\r\nCount=5\r\nG01=A.bui\r\nG02=B\r\nG03=C.xyz\r\n"
             "G04=\r\nG05=Plain.bui\r\n");
  return dir.File("skin.ini");
}

} // namespace vt::test
