#pragma once
// From a form's object tree to the entries of one raw-data section: translatable properties by
// item kind, class names, layout values of sized objects, merged tool hints.
#include "dfm_obj.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// The item kind of a property name ("Caption" -> "VC"), or empty for a layout property.
std::string_view KindOfProperty(std::string_view name);
// Decodes a form-text value: quoted runs (8-bit, Windows-1252), "#" codes, "," as a line break.
std::u16string DecodeLiteral(std::string_view value);
// The kind entries of an object followed by its layout entries (only when it has a Width).
std::vector<std::string> ObjectEntries(const TDfmObj &obj);
// Replaces the ".TH" and ".TF" entries of one object (class line first) by one ".THF" entry.
std::vector<std::string> MergeObjectHints(std::vector<std::string> entries);
// "[" root name "]", then each object's entry block followed by an empty line.
std::vector<std::string> BuildFormSection(const TDfmObj *root);
// Removes the direct children of root whose ActionID is not among used (case-insensitive).
void RemoveUnusedActions(TDfmObj &root, const std::vector<std::string> &used);
// CollapseBinaryBlocks, TrimLines, FilterFormText and ParseFormTree; null when no lines are given.
std::unique_ptr<TDfmObj> PrepareForm(const std::vector<std::string> &lines);

} // namespace vt
