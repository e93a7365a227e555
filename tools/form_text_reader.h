#pragma once
// Reads a whole form text (the text form of a binary form, as ConvertBinaryForm writes it, or as a
// form editor saves it) into a tree of objects with typed property values. Unlike the extraction's
// line filter this keeps every property: positions, alignment, fonts, visibility, item indexes.
// Strings are decoded with DecodeLiteral (quoted runs as Windows-1252, "#" codes above 255 as
// UTF-16 code units). Binary data ("{...}") and collections ("<...>") are read over and left out.
// Input is outside data: nesting, size and counts are bounded and every failure is an error text
// naming the line, never a crash.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

enum class TFormValueKind : std::uint8_t {
  Integer,    // 12, -3, 8-byte integers included
  Float,      // 1.5, 2.5E10; "s", "c", "d" suffixes (single, currency, date) give Float too
  String,     // Text; quoted runs and "#" codes joined by "+"
  Identifier, // Ident: clWindow, alClient, crNo (but not True, False, nil, Null)
  Boolean,    // True / False
  Nil,        // nil / Null
  Set,        // [akLeft, akTop]: Names
  List,       // ( ... ): Items, a string list when every item is a String
};

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Nil;
  std::int64_t Integer = 0;
  double Float = 0;
  bool Boolean = false;
  std::u16string Text;            // String
  std::string Ident;              // Identifier
  std::vector<std::string> Names; // Set
  std::vector<TFormValue> Items;  // List

  // Whether the literal held a "#" code above 255: the property was a wide string.
  bool WideLiteral = false;
};

struct TFormProperty {
  std::string Name; // as written, dotted parts kept ("Font.Height", "Items.Strings")
  TFormValue Value;
  int Line = 0; // 1-based line of the property name
};

struct TFormObject {
  std::string Name;      // empty for an unnamed object ("object TFoo")
  std::string ClassName; // "TTntButton"
  bool Inherited = false;
  bool Inline = false;
  std::optional<std::int64_t> Position;  // "[n]" after the class name
  std::vector<TFormProperty> Properties; // form order; binary data and collections left out
  std::vector<std::unique_ptr<TFormObject>> Children;
  TFormObject *Parent = nullptr;
  int Line = 0; // 1-based line of the header

  // The first property of that exact name, or none.
  const TFormProperty *Find(std::string_view name) const;
  // Typed reads of one property; none (or def) when it is missing or of another kind.
  std::optional<std::int64_t> Int(std::string_view name) const;
  std::optional<std::u16string> Text(std::string_view name) const;
  std::optional<std::string> Ident(std::string_view name) const;
  bool Bool(std::string_view name, bool def) const;
  // A set's names; none when the property is missing or not a set.
  std::optional<std::vector<std::string>> Set(std::string_view name) const;
  // The lines of a string list ("Items.Strings", "Lines.Strings", "Tabs.Strings"); none when the
  // property is missing or is not a list of strings.
  std::optional<std::vector<std::u16string>> Strings(std::string_view name) const;
};

// Calls visit(obj) for obj and every descendant, parents before children, in form order.
template <typename F> void VisitFormObjects(const TFormObject &obj, F &&visit) {
  visit(obj);
  for (const auto &child : obj.Children) VisitFormObjects(*child, visit);
}

struct TFormTextLimits {
  std::size_t MaxBytes = std::size_t{32} << 20;    // whole text
  int MaxDepth = 64;                               // objects and values nested in each other
  std::size_t MaxObjects = 100000;                 // objects of the whole text
  std::size_t MaxProperties = 100000;              // properties of the whole text
  std::size_t MaxListItems = std::size_t{1} << 18; // items of all lists and sets together
};

// Parses one form text (one root object, then nothing but white space). Returns the root, or none
// with *error set to "line N: reason".
std::unique_ptr<TFormObject> ReadFormText(std::string_view text, std::string *error = nullptr,
                                          const TFormTextLimits &limits = {});
// Reads and parses a form text file; errors name the file ("<path>: line N: reason", or the read
// failure).
std::unique_ptr<TFormObject> ReadFormTextFile(const std::string &path, std::string *error = nullptr,
                                              const TFormTextLimits &limits = {});
// Whether bytes look like a form text: the first word is "object", "inherited" or "inline".
bool LooksLikeFormText(std::string_view bytes);

} // namespace vt
