#pragma once
// Strict UTF-8 for the machine-translation answers (no code-page fall-back here).
#include <optional>
#include <string>
#include <string_view>

namespace vt {

// Standard UTF-8 to UTF-16; encoded surrogates (as some writers produce them) are accepted and
// kept as code units. nullopt for a broken, overlong or cut-short sequence.
std::optional<std::u16string> DecodeUtf8Strict(std::string_view bytes);

// UTF-16 to standard UTF-8; a lone surrogate is written as its own three-byte sequence.
std::string EncodeUtf8(std::u16string_view text);

// True when the bytes are well-formed standard UTF-8.
bool IsValidUtf8(std::string_view bytes);

} // namespace vt
