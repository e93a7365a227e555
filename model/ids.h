#pragma once
// Entry identifiers, kind codes, special section names, entry state and flags.
#include "query_options.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vt {

enum TEntryState : uint8_t { esUntranslated = 0, esAutoTranslated = 1, esTranslated = 2 };

using TEntryFlags = uint8_t;
inline constexpr TEntryFlags efQuery = 1;
inline constexpr TEntryFlags efWarning = 2;
inline constexpr TEntryFlags efNeedsWork = 4;

// Bit set of allowed states for Select (bit 1 << state); 0 means any.
using TEntryStates = uint8_t;
constexpr TEntryStates StateBit(TEntryState s) {
  return static_cast<TEntryStates>(1u << s);
}

namespace kind {
inline constexpr std::string_view VC = "VC", VH = "VH", VI = "VI", VT = "VT", IT = "IT", TC = "TC", TH = "TH",
                                  TF = "TF", THF = "THF", TS = "TS", MG = "MG", Msg = "msg", CN = "_CN",
                                  AID = "_AID", PID = "_PID", MsgRef = "_msg";
inline constexpr std::string_view NotePrefix = "_!";    // "_!" + visible kind: developer note
inline constexpr std::string_view CommentSuffix = "_?"; // key + "_?": translator comment
} // namespace kind

namespace section {
inline constexpr std::string_view Info = "_info", Actions = "Zt4_Actions", Properties = "Main_Properties",
                                  Messages = "Messages", MessageRefs = "_Messages", All = "[ALL]";
inline constexpr std::string_view TidPrefix = "TID_";
inline constexpr std::string_view MainMenu = "TID_MainMenu0";
} // namespace section

inline constexpr std::string_view kDestLngKey = "DestLng";

// name "." kind
std::string Key(std::string_view name, std::string_view kind);
// section "/" name
std::string ObjectId(std::string_view section, std::string_view name);
// section "/" name "." kind
std::string FullId(std::string_view section, std::string_view name, std::string_view kind);

// Splits a key at its last "."; fails unless both name and kind are non-empty, and when a
// backslash or a colon follows the last dot.
bool SplitKey(std::string_view key, std::string &name, std::string &kind);
// The same, with name and kind as parts of key.
bool SplitKey(std::string_view key, std::string_view &name, std::string_view &kind);

bool IsHintKind(std::string_view kind);   // "VH" or "THF"
bool IsHiddenKind(std::string_view kind); // first character "_"

// The kind list of a type filter ("" for all types).
std::string_view TypeFilterKinds(TTypeFilter filter);

// The allowed states and required flags of a status filter.
struct TStatusMask {
  TEntryStates States = 0;
  TEntryFlags Flags = 0;
};
TStatusMask StatusMask(TStatusFilter filter);

} // namespace vt
