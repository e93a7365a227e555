#pragma once
// The state the administrator window works on, without the window: the form reader, the names
// its form list shows and the object tree of the form prepared last.
#include "dfm_obj.h"
#include "resource_info.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vt {

class TGrabSession {
public:
  TResourceInfo ResourceInfo;
  // The names of the window's form list.
  std::vector<std::string> FormList;
  std::unique_ptr<TDfmObj> FormTree;
  // Raised after FormList changed, so a window can show it.
  std::function<void()> OnFormListChanged;

  // Deactivate, set the file, activate, enumerate. Throws EGrabError.
  void OpenExecutable(const std::string &path);
  // Index of the first record of that exact name, or -1.
  int FindForm(const std::string &name) const;
  // The record's text as lines; none for an index outside the list.
  std::optional<std::vector<std::string>> FormLines(int index) const;
  void FillFormList();
  void SetFormList(std::vector<std::string> names);
  // Replaces the records with the GUI definitions of a skin. Throws EGrabError for a definition
  // that cannot be read; definitions added before it stay.
  void LoadGuiDefinitions(const std::string &skinFile);

  // Builds FormTree from the lines; false (and no tree) when there are none.
  bool PrepareForm(const std::vector<std::string> &lines);
  std::vector<std::string> BuildFormSection() const;
  void RemoveUnusedActions(const std::vector<std::string> &used);
  // The root object's name, or empty without a tree.
  std::string RootName() const;
};

// The files a skin lists: section "GUI_Properties" keys G01.. as given, section "GUI_Tools" keys
// G01.. with the extension ".bui.lz"; only files that exist, relative to the skin's folder.
std::vector<std::string> GuiDefinitionFiles(const std::string &skinFile);
// Gives the first object header of a form text the new name.
std::string RenameRootObject(std::string_view formText, const std::string &newName);

} // namespace vt
