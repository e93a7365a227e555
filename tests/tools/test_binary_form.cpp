// Binary form to form text: every value type, the literal rules, and damaged input.
#include "form_writer.h"
#include "sample_forms.h"
#include "tools/binary_form.h"
#include "tools/error.h"

#include <gtest/gtest.h>

using vt::ConvertBinaryForm;
using vt::test::TFormWriter;

namespace {

// Converts a form whose root holds one property written by fill.
template <typename F> std::string OneProperty(F fill) {
  TFormWriter w;
  w.Object("TForm", "F").Prop("P");
  fill(w);
  w.EndList().EndList();
  return ConvertBinaryForm(w.Bytes());
}

std::string Wrap(const std::string &value) {
  return "object F: TForm\r\n  P = " + value + "\r\nend\r\n";
}

std::string ConvertError(const std::string &bytes) {
  try {
    ConvertBinaryForm(bytes);
  } catch (const vt::EGrabError &e) {
    return e.what();
  }
  return "no error";
}

} // namespace

TEST(BinaryForm, ScalarValueTypes) {
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Null(); }), Wrap("Null"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Int(-5); }), Wrap("-5"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Int(-300); }), Wrap("-300"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Int(70000); }), Wrap("70000"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Int64(-9000000000LL); }), Wrap("-9000000000"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Ident("alClient"); }), Wrap("alClient"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Bool(false); }), Wrap("False"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Bool(true); }), Wrap("True"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Nil(); }), Wrap("nil"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Set({"fsBold", "fsItalic"}); }), Wrap("[fsBold, fsItalic]"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Set({}); }), Wrap("[]"));
  // The type byte's high bit is not part of the code.
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.TypeByte(0x89); }), Wrap("True"));
}

TEST(BinaryForm, FloatsUseGeneralFormatAndPoint) {
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Extended(1.5); }), Wrap("1.5"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Extended(-0.25); }), Wrap("-0.25"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Extended(0); }), Wrap("0"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Extended(1e20); }), Wrap("1E20"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Extended(1.0 / 3); }), Wrap("0.333333333333333"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Single(2.5f); }), Wrap("2.5s"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Currency(123456); }), Wrap("12.3456c"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Currency(-50000); }), Wrap("-5c"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Date(45000.5); }), Wrap("45000.5d"));
  EXPECT_EQ(vt::FormatFormFloat(1.5e-7), "1.5E-7");
}

TEST(BinaryForm, StringLiterals) {
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Str(""); }), Wrap("''"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Str("It's"); }), Wrap("'It'#39's'"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Str("a\r\nb"); }), Wrap("'a'#13#10'b'"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Str("\t"); }), Wrap("#9"));
  // 8-bit strings keep bytes above 127 inside the quotes.
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Str("caf\xE9"); }), Wrap("'caf\xE9'"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.LStr("long form"); }), Wrap("'long form'"));
  // Exactly 64 characters stay on the property line.
  const std::string s64(64, 'x');
  EXPECT_EQ(OneProperty([&](TFormWriter &w) { w.Str(s64); }), Wrap("'" + s64 + "'"));
}

TEST(BinaryForm, LongStringsBreakAfter64Characters) {
  const std::string s = std::string(64, 'a') + std::string(10, 'b');
  EXPECT_EQ(OneProperty([&](TFormWriter &w) { w.Str(s); }),
            Wrap("\r\n    '" + std::string(64, 'a') + "' +\r\n    '" + std::string(10, 'b') + "'"));
  // A "#" code counts as one character.
  const std::string codes = std::string(63, 'a') + "\r" + "cd";
  EXPECT_EQ(OneProperty([&](TFormWriter &w) { w.Str(codes); }),
            Wrap("\r\n    '" + std::string(63, 'a') + "'#13 +\r\n    'cd'"));
  // A two-byte character standing across the break moves the break one byte earlier.
  const std::string utf8 = std::string(63, 'a') + "\xC3\xA9" + "z";
  EXPECT_EQ(OneProperty([&](TFormWriter &w) { w.Str(utf8); }),
            Wrap("\r\n    '" + std::string(63, 'a') + "' +\r\n    '\xC3\xA9z'"));
}

TEST(BinaryForm, WideLiterals) {
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.WStr(u"\u0410\u0411"); }), Wrap("#1040#1041"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.WStr(u"Caf\u00e9 'x'"); }), Wrap("'Caf'#233' '#39'x'#39"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Utf8("Gr\xC3\xBC\xC3\x9F"); }), Wrap("'Gr'#252#223"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.WStr(u""); }), Wrap("''"));
  std::u16string longWide(65, u'\u0416');
  std::string expect = "\r\n    ";
  for (int i = 0; i < 64; ++i) expect += "#1046";
  expect += " +\r\n    #1046";
  EXPECT_EQ(OneProperty([&](TFormWriter &w) { w.WStr(longWide); }), Wrap(expect));
}

TEST(BinaryForm, BinaryBlocks) {
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Binary(""); }), Wrap("{}"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Binary("\x01\xAB"); }), Wrap("{01AB}"));
  std::string hex31;
  for (int i = 0; i < 31; ++i) hex31 += "10";
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Binary(std::string(31, '\x10')); }), Wrap("{" + hex31 + "}"));
  std::string hex32 = hex31 + "10";
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Binary(std::string(33, '\x10')); }),
            Wrap("{\r\n    " + hex32 + "\r\n    10}"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Binary(std::string(32, '\x10')); }),
            Wrap("{\r\n    " + hex32 + "}"));
}

TEST(BinaryForm, ListsAndCollections) {
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.List().Str("L").Str("M").Int(3).EndList(); }),
            Wrap("(\r\n    'L'\r\n    'M'\r\n    3)"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.List().EndList(); }), Wrap("()"));
  // A long item starts on its own item line; its continuation goes one level deeper.
  const std::string s = std::string(70, 'q');
  EXPECT_EQ(OneProperty([&](TFormWriter &w) { w.List().Str(s).EndList(); }),
            Wrap("(\r\n    '" + std::string(64, 'q') + "' +\r\n      '" + std::string(6, 'q') + "')"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) {
              w.Collection().Item().Prop("Width").Int(10).EndList();
              w.Item(4).Prop("Caption").Str("c").Prop("Sub").Collection().EndList().EndList();
              w.EndList();
            }),
            Wrap("<\r\n    item\r\n      Width = 10\r\n    end\r\n    item [4]\r\n      Caption = 'c'\r\n"
                 "      Sub = <>\r\n    end>"));
  EXPECT_EQ(OneProperty([](TFormWriter &w) { w.Collection().EndList(); }), Wrap("<>"));
}

TEST(BinaryForm, ObjectHeadersAndNesting) {
  TFormWriter w;
  w.Object("TForm1", "Form1").EndList();
  w.Object("TFrame2", "Frame2", 1).EndList().EndList();
  w.Object("TFrame3", "Frame3", 4).EndList().EndList();
  w.Object("TPanel", "Pos", 2, 3).EndList();
  w.Object("TLabel", "").Prop("Caption").Str("x").EndList().EndList();
  w.EndList();
  w.Object("TEdit", "Both", 3, -2).EndList().EndList();
  w.EndList();
  EXPECT_EQ(ConvertBinaryForm(w.Bytes()), "object Form1: TForm1\r\n"
                                          "  inherited Frame2: TFrame2\r\n"
                                          "  end\r\n"
                                          "  inline Frame3: TFrame3\r\n"
                                          "  end\r\n"
                                          "  object Pos: TPanel [3]\r\n"
                                          "    object TLabel\r\n"
                                          "      Caption = 'x'\r\n"
                                          "    end\r\n"
                                          "  end\r\n"
                                          "  inherited Both: TEdit [-2]\r\n"
                                          "  end\r\n"
                                          "end\r\n");
}

TEST(BinaryForm, RootInfoForSkins) {
  TFormWriter w;
  w.Object("TToolComponentStore", "Store").Prop("ContentName").WStr(u"Main Tools").EndList().EndList();
  vt::TBinaryFormRoot root;
  ConvertBinaryForm(w.Bytes(), &root);
  EXPECT_EQ(root.ClassName, "TToolComponentStore");
  EXPECT_EQ(root.ObjectName, "Store");
  EXPECT_EQ(root.ContentName, "Main Tools");
}

TEST(BinaryForm, UnknownValueTypeNamesObjectPropertyAndCode) {
  TFormWriter w;
  w.Object("TForm", "Form1").Prop("Caption").Str("ok").Prop("Bad").TypeByte(21).EndList().EndList();
  EXPECT_EQ(ConvertError(w.Bytes()), "Error reading Form1.Bad: 21");
  TFormWriter nested;
  nested.Object("TForm", "Form1").EndList().Object("TButton", "B").Prop("Items").List().TypeByte(0x7F);
  EXPECT_EQ(ConvertError(nested.Bytes()), "Error reading B.Items: 127");
}

TEST(BinaryForm, DamagedInputFailsCleanly) {
  EXPECT_EQ(ConvertError("TPF1"), "Invalid form resource: the TPF0 signature is missing");
  EXPECT_EQ(ConvertError(""), "Invalid form resource: the TPF0 signature is missing");
  // Every cut of a real form fails with an error, never reads past the end.
  const std::string full = vt::test::MainFormForm();
  ASSERT_NO_THROW(ConvertBinaryForm(full));
  for (std::size_t n = 0; n < full.size(); ++n)
    EXPECT_THROW(ConvertBinaryForm(full.substr(0, n)), vt::EGrabError) << "cut at " << n;
  // Lengths far beyond the data are refused before anything is allocated.
  TFormWriter huge;
  huge.Object("TForm", "F").Prop("P").TypeByte(12).Le(0xFFFFFFF0u, 4);
  EXPECT_NE(ConvertError(huge.Bytes()).find("unexpected end of data"), std::string::npos);
  TFormWriter wide;
  wide.Object("TForm", "F").Prop("P").TypeByte(18).Le(0x7FFFFFFFu, 4);
  EXPECT_NE(ConvertError(wide.Bytes()).find("unexpected end of data"), std::string::npos);
}

TEST(BinaryForm, NestingIsBounded) {
  TFormWriter lists;
  lists.Object("TForm", "F").Prop("P");
  for (int i = 0; i < 100000; ++i) lists.List();
  EXPECT_NE(ConvertError(lists.Bytes()).find("nesting too deep"), std::string::npos);
  TFormWriter objects;
  for (int i = 0; i < 100000; ++i) objects.Object("T", "o").EndList();
  EXPECT_NE(ConvertError(objects.Bytes()).find("nesting too deep"), std::string::npos);
}
