#include "ids.h"

namespace vt {

std::string Key(std::string_view name, std::string_view kind) {
  std::string s;
  s.reserve(name.size() + 1 + kind.size());
  s.append(name).append(1, '.').append(kind);
  return s;
}

std::string ObjectId(std::string_view section, std::string_view name) {
  std::string s;
  s.reserve(section.size() + 1 + name.size());
  s.append(section).append(1, '/').append(name);
  return s;
}

std::string FullId(std::string_view section, std::string_view name, std::string_view kind) {
  std::string s;
  s.reserve(section.size() + name.size() + kind.size() + 2);
  s.append(section).append(1, '/').append(name).append(1, '.').append(kind);
  return s;
}

bool SplitKey(std::string_view key, std::string_view &name, std::string_view &kind) {
  const auto dot = key.rfind('.');
  if (dot == std::string_view::npos) return false;
  const auto tail = key.substr(dot + 1);
  // A path-like tail ("x.y\z", "a.b:c") is not a kind.
  if (tail.find_first_of("\\:") != std::string_view::npos) return false;
  if (dot == 0 || tail.empty()) return false;
  name = key.substr(0, dot);
  kind = tail;
  return true;
}

bool SplitKey(std::string_view key, std::string &name, std::string &kind) {
  std::string_view n, k;
  if (!SplitKey(key, n, k)) return false;
  name.assign(n);
  kind.assign(k);
  return true;
}

bool IsHintKind(std::string_view kind) {
  return kind == kind::VH || kind == kind::THF;
}

bool IsHiddenKind(std::string_view kind) {
  return !kind.empty() && kind.front() == '_';
}

std::string_view TypeFilterKinds(TTypeFilter filter) {
  switch (filter) {
  case TTypeFilter::Captions:
    return "TC;VC";
  case TTypeFilter::Hints:
    return "THF;TH;TF;VH";
  case TTypeFilter::ListItems:
    return "VI;IT";
  case TTypeFilter::Messages:
    return "MG";
  case TTypeFilter::All:
    break;
  }
  return {};
}

TStatusMask StatusMask(TStatusFilter filter) {
  switch (filter) {
  case TStatusFilter::Untranslated:
    return {static_cast<TEntryStates>(StateBit(esUntranslated) | StateBit(esAutoTranslated)), 0};
  case TStatusFilter::Completed:
    return {StateBit(esTranslated), 0};
  case TStatusFilter::Query:
    return {0, efQuery};
  case TStatusFilter::Auto:
    return {StateBit(esAutoTranslated), 0};
  case TStatusFilter::Warnings:
    return {0, efWarning};
  case TStatusFilter::NeedsWork:
    return {0, efNeedsWork};
  case TStatusFilter::All:
    break;
  }
  return {};
}

} // namespace vt
