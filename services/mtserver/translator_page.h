#pragma once
// The web translator page: reads "#en/LANG/TEXT" or "#auto/en/TEXT" from its address, asks the
// service and writes the translation as text into the element with the id "result_box".
#include <string>

namespace vt::mtserver {

std::string TranslatorPageHtml();

} // namespace vt::mtserver
