#include "resource_info.h"

#include "binary_form.h"
#include "error.h"
#include "pe_resources.h"

#include <fstream>

namespace vt {

struct TResourceInfo::TModule {
  std::string Image;
  std::vector<TPeResource> RcData;
};

namespace {

bool ReadWholeFile(const std::string &path, std::string &out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uint64_t>(size) > kMaxExecutableSize) return false;
  in.seekg(0);
  out.resize(static_cast<std::size_t>(size));
  return static_cast<bool>(in.read(out.data(), size));
}

} // namespace

TResourceInfo::TResourceInfo() = default;
TResourceInfo::~TResourceInfo() = default;

bool TResourceInfo::ModuleLoaded() const noexcept {
  return FModule != nullptr;
}

void TResourceInfo::SetExeFileName(const std::string &value) {
  if (value == FExeFileName) return;
  FExeFileName = value;
}

void TResourceInfo::SetActive(bool value) {
  if (value == FActive) return;
  if (value) {
    FModule.reset();
    if (!FExeFileName.empty()) {
      auto module = std::make_unique<TModule>();
      if (!ReadWholeFile(FExeFileName, module->Image) || !ReadRcDataResources(module->Image, module->RcData))
        throw EGrabError("An error ocurred loading file " + FExeFileName +
                         ", it may not be an executable module");
      FModule = std::move(module);
    }
    FActive = true;
    if (OnActivate) OnActivate();
  } else {
    FItems.clear();
    FIndex.clear();
    FModule.reset();
    FActive = false;
    if (OnDeactivate) OnDeactivate();
  }
}

void TResourceInfo::EnumerateForms() {
  if (!FModule) return;
  for (const TPeResource &res : FModule->RcData) {
    if (!HasFormSignature(res.Data)) continue;
    AddForm(res.Name, ConvertBinaryForm(res.Data));
  }
}

void TResourceInfo::AddForm(std::string name, std::string_view text) {
  auto dfm = std::make_unique<TDfm>();
  dfm->Name = std::move(name);
  dfm->Text = std::string(text);
  dfm->Owner = this;
  FIndex.emplace(dfm->Name, Count());
  FItems.push_back(std::move(dfm));
}

int TResourceInfo::IndexOf(const std::string &name) const {
  const auto it = FIndex.find(name);
  return it == FIndex.end() ? -1 : it->second;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    out.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) out.emplace_back(text.substr(start));
  return out;
}

} // namespace vt
