#pragma once
// Percent-encoding in its three uses: the translator page's fragment, the text of a service
// request on its way out, and the service's reading of a query value.
#include <string>
#include <string_view>

namespace vt {

// Every byte except ASCII letters, digits and "-._~" becomes "%" and two upper-case hex digits.
std::string EncodeUrlText(std::string_view bytes);

// Encodes only what cannot stand in a URL as it is (controls, space, quotes, "#", "<>\^`{|}",
// bytes of 128 and up, and a "%" that does not start a "%XX" sequence). Everything else, existing
// "%XX" sequences included, goes through unchanged, so the caller's text reaches the server as
// the caller wrote it.
std::string EscapeUnsafeUrlBytes(std::string_view bytes);

// Decodes every "%XX" once; a "%" without two hex digits after it stays as it is, and "+" stays
// a plus sign (the client never writes spaces as "+").
std::string PercentDecode(std::string_view bytes);

} // namespace vt
