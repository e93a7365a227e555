#pragma once
// Texts on their way to the machine translators: the cleaning of captions, the byte preparation
// for the request, and the line-by-line run of "Auto Translate".
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Removes every "&", then every "...", then every "..", then every ":" (in that order, so five
// points vanish and four leave one).
std::string CleanMachineText(std::string_view text);

// Byte by byte: LF dropped, bytes below 128 kept, the typographic quotes 145 and 146 dropped,
// every other high byte written as "%" and two upper-case hex digits.
std::string PrepareMachineText(std::string_view text);

// Cleaning, optional ASCII lower-casing ("Strip"), then PrepareMachineText.
std::string MachineRequestText(std::string_view text, bool stripCaps);

// The request text of "Google Translate": the whole original (all lines) in the Western code
// page, prepared as one text.
std::string GoogleRequestText(std::u16string_view original, bool stripCaps);

// The request text of "Google Reverse Translation": the translation as UTF-8, uncleaned.
std::string ReverseRequestText(std::u16string_view translation);

// One machine translation: (prepared text, target language) -> translation, empty on failure.
using TTranslateFn = std::function<std::u16string(const std::string &, const std::string &)>;
// Receives each result line as soon as it is known (the window appends it and repaints).
using TLineSink = std::function<void(const std::u16string &)>;

// "Auto Translate" over the original text: every non-empty line is cleaned, prepared and
// translated on its own. A failed line falls back to its prepared text; a reply that contains
// "ExceptionMethod" is an error report and gives no line. Returns the lines to append, in order.
std::vector<std::u16string> AutoTranslateLines(std::u16string_view original, bool stripCaps,
                                               const std::string &target, const TTranslateFn &translate,
                                               const TLineSink &sink = {});

// A text editor's line breaks (LF alone, or CR alone) as CR LF, the breaks the stored texts and
// the machine-text preparation expect (the preparation drops LF, so a lone LF would join lines).
std::u16string EditorLineBreaks(std::u16string_view text);

// The lines of a memo text: CR LF, LF and CR each end a line; a final break opens no new line.
std::vector<std::u16string> SplitMemoLines(std::u16string_view text);

// The memo text after appending a line, as a memo's "add line" produces it (CR LF between lines).
std::u16string AppendMemoLine(std::u16string_view memo, std::u16string_view line);

} // namespace vt
