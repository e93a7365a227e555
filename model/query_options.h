#pragma once
// The options of the main list's queries, in the order the window's boxes list them: which kinds
// and states Select takes, how the text filter matches, which word counts the word filter keeps,
// and the column the list is sorted by.
#include <cstdint>

namespace vt {

// The "All Types" box.
enum class TTypeFilter : uint8_t { All, Captions, Hints, ListItems, Messages };

// The "Show All" box.
enum class TStatusFilter : uint8_t { All, Untranslated, Completed, Query, Auto, Warnings, NeedsWork };

// How FilterByText compares the text with each lower-cased source (first "&" removed).
enum class TTextMatch : uint8_t { StartsWith, Contains, FullMatch };

// Which entries FilterByWordCount keeps, by their word count against the limit.
enum class TWordCountMatch : uint8_t { MoreThan, FewerThan, AtMost };

// The entry list's columns; the main list order sorts Name by full id, Original by source,
// Translated by the stored translation, and Id and Section by the project's order.
enum class TSortColumn : uint8_t { Name, Original, Translated, Id, Section };

// The search-method box: no filter, a text filter, or a word-count filter.
enum class TFilterMode : uint8_t { None, StartsWith, Contains, FullMatch, MoreWords, AtMostWords };

} // namespace vt
