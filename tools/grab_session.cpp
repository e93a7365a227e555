#include "grab_session.h"

#include "form_section.h"

namespace vt {

void TGrabSession::OpenExecutable(const std::string &path) {
  ResourceInfo.SetActive(false);
  ResourceInfo.SetExeFileName(path);
  ResourceInfo.SetActive(true);
  ResourceInfo.EnumerateForms();
}

int TGrabSession::FindForm(const std::string &name) const {
  return ResourceInfo.IndexOf(name);
}

std::optional<std::vector<std::string>> TGrabSession::FormLines(int index) const {
  if (index < 0 || index >= ResourceInfo.Count()) return std::nullopt;
  return SplitLines(ResourceInfo.Item(index).Text);
}

void TGrabSession::FillFormList() {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(ResourceInfo.Count()));
  for (int i = 0; i < ResourceInfo.Count(); ++i) names.push_back(ResourceInfo.Item(i).Name);
  SetFormList(std::move(names));
}

void TGrabSession::SetFormList(std::vector<std::string> names) {
  FormList = std::move(names);
  if (OnFormListChanged) OnFormListChanged();
}

bool TGrabSession::PrepareForm(const std::vector<std::string> &lines) {
  FormTree = vt::PrepareForm(lines);
  return FormTree != nullptr;
}

std::vector<std::string> TGrabSession::BuildFormSection() const {
  return vt::BuildFormSection(FormTree.get());
}

void TGrabSession::RemoveUnusedActions(const std::vector<std::string> &used) {
  if (FormTree) vt::RemoveUnusedActions(*FormTree, used);
}

std::string TGrabSession::RootName() const {
  return FormTree ? FormTree->ObjName : std::string();
}

} // namespace vt
