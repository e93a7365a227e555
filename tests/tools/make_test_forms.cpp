// Writes the binary forms that the test executables carry as resources into the given folder.
#include "pe_writer.h"
#include "sample_forms.h"

#include <fstream>
#include <iostream>

namespace {

bool Write(const std::string &dir, const char *name, const std::string &bytes) {
  std::ofstream out(dir + "/" + name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: make_test_forms DIR\n";
    return 1;
  }
  const std::string dir = argv[1];
  using namespace vt::test;
  TFormWriter numbered;
  numbered.Object("TNumberedForm", "NumberedForm").Prop("Caption").Str("By number").EndList().EndList();
  std::vector<TResSpec> small(2);
  small[0].Name = u"TOPTIONSDLG";
  small[0].Data = OptionsDlgForm();
  small[1].Id = 5;
  small[1].Data = numbered.Bytes();
  const bool ok = Write(dir, "optionsdlg.bin", OptionsDlgForm()) &&
                  Write(dir, "mainform.bin", MainFormForm()) && Write(dir, "aboutbox.bin", AboutBoxForm()) &&
                  Write(dir, "numbered.bin", numbered.Bytes()) &&
                  Write(dir, "notaform.bin", std::string("TPF1 this is no form\0\x01\x02", 23)) &&
                  Write(dir, "small.exe", WritePe(small, false).Bytes);
  return ok ? 0 : 1;
}
