// The PE resource reader on real MinGW-built executables, on written images and on damaged ones.
#include "pe_writer.h"
#include "sample_forms.h"
#include "test_data.h"
#include "tools/binary_form.h"
#include "tools/error.h"
#include "tools/pe_resources.h"
#include "tools/resource_info.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

std::vector<std::string> Names(const std::vector<TPeResource> &res) {
  std::vector<std::string> out;
  for (const auto &r : res) out.push_back(r.Name);
  return out;
}

} // namespace

class RealExecutable : public testing::TestWithParam<std::string> {};

TEST_P(RealExecutable, ListsRcDataInDirectoryOrder) {
  const std::string image = ReadBytes(TestExe(GetParam()));
  ASSERT_FALSE(image.empty());
  std::vector<TPeResource> res;
  std::string error;
  ASSERT_TRUE(ReadRcDataResources(image, res, &error)) << error;
  // Named entries sorted by the resource compiler, then numbered ones; other types never appear.
  EXPECT_EQ(Names(res),
            (std::vector<std::string>{"NOTAFORM", "TABOUTBOX", "TMAINFORM", "TOPTIONSDLG", "#100"}));
  EXPECT_EQ(res[2].Data, MainFormForm());
}

TEST_P(RealExecutable, EnumeratesOnlyFormResources) {
  TResourceInfo info;
  int activations = 0;
  info.OnActivate = [&] { ++activations; };
  info.SetExeFileName(TestExe(GetParam()));
  info.SetActive(true);
  info.SetActive(true); // the same value again does nothing
  EXPECT_EQ(activations, 1);
  info.EnumerateForms();
  ASSERT_EQ(info.Count(), 4);
  EXPECT_EQ(info.Item(0).Name, "TABOUTBOX");
  EXPECT_EQ(info.Item(3).Name, "#100");
  EXPECT_EQ(info.Item(2).Text, ConvertBinaryForm(OptionsDlgForm()));
  EXPECT_EQ(info.Item(2).Owner, &info);
  info.SetActive(false);
  EXPECT_EQ(info.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothWidths, RealExecutable, testing::Values("i686", "x86_64"));

TEST(PeResources, WrittenImagesOfBothWidths) {
  for (bool pe64 : {false, true}) {
    auto img = WritePe({{10, u"B", 0, 0x407, "TPF0b"},
                        {10, u"A\u00e9", 0, 0x409, "TPF0a"},
                        {10, u"", 7, 0, "x"},
                        {6, u"", 1, 0, "strings"}},
                       pe64);
    std::vector<TPeResource> res;
    ASSERT_TRUE(ReadRcDataResources(img.Bytes, res));
    EXPECT_EQ(Names(res), (std::vector<std::string>{"B", "A\xC3\xA9", "#7"}));
    EXPECT_EQ(res[0].Data, "TPF0b");
    EXPECT_EQ(res[0].Language, 0x407);
  }
  std::vector<TPeResource> res;
  std::string error;
  EXPECT_TRUE(ReadRcDataResources(WritePe({}, false).Bytes, res, &error)) << error;
  EXPECT_TRUE(res.empty());
}

TEST(PeResources, DamagedImagesFailWithoutCrashing) {
  const auto good = WritePe({{10, u"FORM", 0, 0, "TPF0xxxx"}}, false);
  std::vector<TPeResource> res;
  auto fails = [&](std::string bytes) {
    std::string error;
    const bool ok = ReadRcDataResources(bytes, res, &error);
    return !ok && !error.empty();
  };
  EXPECT_TRUE(fails(""));
  EXPECT_TRUE(fails("MZ"));
  EXPECT_TRUE(fails("XY" + good.Bytes.substr(2)));
  std::string b = good.Bytes;
  PutLe(b, 0x3C, 0xFFFFFFF0u, 4); // PE header beyond the end
  EXPECT_TRUE(fails(b));
  b = good.Bytes;
  PutLe(b, 0x46, 0xFFFF, 2); // more sections than the file holds
  EXPECT_TRUE(fails(b));
  b = good.Bytes;
  PutLe(b, good.ResourceDirEntry, 0x7FFFFFF0u, 4); // resource directory at an unmapped address
  EXPECT_TRUE(fails(b));
  b = good.Bytes;
  PutLe(b, good.ResourceStart + 14, 0xFFFF, 2); // type count beyond the directory
  EXPECT_TRUE(fails(b));
  b = good.Bytes;
  PutLe(b, good.DataEntries[0] + 4, 0xFFFFFF00u, 4); // data size beyond the file
  EXPECT_TRUE(fails(b));
  b = good.Bytes;
  PutLe(b, good.DataEntries[0], 0xFFFFFFFFu, 4); // data address wraps around
  EXPECT_TRUE(fails(b));
  b = good.Bytes;
  PutLe(b, good.ResourceStart + 16 + 4, 0x80000000u, 4); // the type entry points back at the root
  EXPECT_TRUE(fails(b));
  // Every cut of a real executable ends with a result, never a crash.
  const std::string real = ReadBytes(TestExe("x86_64"));
  for (std::size_t n = 0; n < real.size(); n += 97)
    ReadRcDataResources(std::string_view(real).substr(0, n), res);
  for (std::size_t n = 0; n < good.Bytes.size(); ++n) ReadRcDataResources(good.Bytes.substr(0, n), res);
  EXPECT_FALSE(ReadRcDataResources(good.Bytes.substr(0, good.Bytes.size() - 1), res));
}

TEST(ResourceInfo, LoadingFailuresAndEmptyReader) {
  TTempDir dir("resinfo");
  const std::string text = dir.File("notes.txt");
  WriteBytes(text, "just text");
  TResourceInfo info;
  info.SetExeFileName(text);
  try {
    info.SetActive(true);
    FAIL() << "loading a text file must fail";
  } catch (const EGrabError &e) {
    EXPECT_EQ(std::string(e.what()),
              "An error ocurred loading file " + text + ", it may not be an executable module");
  }
  EXPECT_FALSE(info.Active());
  info.SetExeFileName(dir.File("missing.exe"));
  EXPECT_THROW(info.SetActive(true), EGrabError);

  info.SetExeFileName("");
  info.SetActive(true);
  EXPECT_TRUE(info.Active());
  EXPECT_FALSE(info.ModuleLoaded());
  info.EnumerateForms();
  EXPECT_EQ(info.Count(), 0);
}

TEST(ResourceInfo, ConversionErrorKeepsEarlierRecords) {
  TTempDir dir("converr");
  TFormWriter bad;
  bad.Object("TForm", "Broken").Prop("X").TypeByte(30).EndList().EndList();
  auto img = WritePe(
      {{10, u"A", 0, 0, AboutBoxForm()}, {10, u"B", 0, 0, bad.Bytes()}, {10, u"C", 0, 0, AboutBoxForm()}},
      true);
  WriteBytes(dir.File("x.exe"), img.Bytes);
  TResourceInfo info;
  info.SetExeFileName(dir.File("x.exe"));
  info.SetActive(true);
  try {
    info.EnumerateForms();
    FAIL();
  } catch (const EGrabError &e) {
    EXPECT_STREQ(e.what(), "Error reading Broken.X: 30");
  }
  ASSERT_EQ(info.Count(), 1);
  EXPECT_EQ(info.Item(0).Name, "A");
}
