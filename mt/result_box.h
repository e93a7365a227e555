#pragma once
// The page side of the browser translation: the page address and the reading of the result
// element out of the page markup. Kept apart from the dialog so it runs without a browser.
#include <string>
#include <string_view>

namespace vt {

inline constexpr std::string_view kTranslatorPageQuery = "?ie=UTF-8&hl=en&tab=wT";

// page + query + "#en/LANG/TEXT" (forward) or "#auto/en/TEXT" (reverse); the text is encoded
// with EncodeUrlText and an empty language means "en".
std::string BuildTranslatorPageAddress(std::string_view page, std::string_view target, bool reverse,
                                       std::string_view requestText);

// The text of the element whose tag carries id="result_box", up to the first "</div" after it,
// with "<br>" as CR LF and markup removed (entities stay). Empty when either mark is missing.
std::string ExtractResultBox(std::string_view pageMarkup);

} // namespace vt
