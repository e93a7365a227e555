#include "form_lists.h"

#include "form_filter.h"
#include "support/ascii_case.h"

#include <algorithm>

namespace vt {

std::vector<std::string> GlobalTransForms(const TResourceInfo &info) {
  std::vector<std::string> names;
  for (int i = 0; i < info.Count(); ++i)
    if (info.Item(i).Text.find(kGlobalTransMark) != std::string::npos) names.push_back(info.Item(i).Name);
  return names;
}

std::optional<std::vector<std::string>> FormView(TGrabSession &session, const std::string &name,
                                                 bool filter) {
  auto lines = session.FormLines(session.FindForm(name));
  if (!lines) return std::nullopt;
  if (!filter) return TrimLines(CollapseBinaryBlocks(*lines));
  session.PrepareForm(*lines);
  return session.BuildFormSection();
}

std::vector<std::string> UsedActionsSorted(const TResourceInfo &info) {
  std::vector<std::string> used = UsedActionIds(info);
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(used.size());
  for (std::string &id : used) keyed.emplace_back(LowerAscii(id), std::move(id));
  std::sort(keyed.begin(), keyed.end());
  std::vector<std::string> out;
  out.reserve(keyed.size());
  for (auto &k : keyed) out.push_back(std::move(k.second));
  return out;
}

std::vector<std::string> PrunedActionsSection(TGrabSession &session, const std::string &name) {
  auto lines = session.FormLines(session.FindForm(name));
  if (!lines || lines->empty()) return {};
  const std::vector<std::string> used = UsedActionIds(session.ResourceInfo);
  session.PrepareForm(*lines);
  session.RemoveUnusedActions(used);
  return session.BuildFormSection();
}

std::vector<std::string> HintLines(TDfmObj &root) {
  std::vector<std::string> out;
  VisitObjects(root, [&out](TDfmObj &obj) {
    out.push_back(obj.ObjName);
    for (const std::string &prop : obj.Props)
      if (prop.find(".TH") != std::string::npos || prop.find(".TF") != std::string::npos)
        out.push_back("\t" + prop);
    out.emplace_back();
  });
  return out;
}

} // namespace vt
