#pragma once
// The list of form texts the administrator window works on: the forms of an executable (its
// RT_RCDATA resources holding binary forms, converted to form text) or the GUI definitions of a
// skin added as pseudo-resources.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vt {

class TResourceInfo;

struct TDfm {
  std::string Name; // resource name as stored, or pseudo-resource name
  std::string Text; // the whole form text, CR LF line ends
  TResourceInfo *Owner = nullptr;
};

// Executables larger than this are refused instead of read into memory.
inline constexpr std::size_t kMaxExecutableSize = std::size_t{1} << 30;

class TResourceInfo {
public:
  TResourceInfo();
  ~TResourceInfo();
  TResourceInfo(const TResourceInfo &) = delete;
  TResourceInfo &operator=(const TResourceInfo &) = delete;

  bool Active() const noexcept { return FActive; }
  // Activation loads ExeFileName (when set) and throws EGrabError "An error ocurred loading file
  // <path>, it may not be an executable module" when it is no readable PE image; the reader then
  // stays inactive. Deactivation empties the list.
  void SetActive(bool value);
  const std::string &ExeFileName() const noexcept { return FExeFileName; }
  void SetExeFileName(const std::string &value);
  bool ModuleLoaded() const noexcept;

  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;

  // Adds every RT_RCDATA resource that starts with "TPF0", converted to form text. Conversion
  // errors propagate (EGrabError); records added before stay.
  void EnumerateForms();

  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  const TDfm &Item(int index) const { return *FItems.at(static_cast<std::size_t>(index)); }
  void AddForm(std::string name, std::string_view text);
  // Index of the first record of that exact name, or -1 (hashed).
  int IndexOf(const std::string &name) const;

private:
  struct TModule;
  bool FActive = false;
  std::string FExeFileName;
  std::unique_ptr<TModule> FModule;
  std::vector<std::unique_ptr<TDfm>> FItems;
  std::unordered_map<std::string, int> FIndex;
};

// Splits a text at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);

} // namespace vt
