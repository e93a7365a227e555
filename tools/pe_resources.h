#pragma once
// Reader of the resource directory of a portable executable (PE32 and PE32+): yields the resources
// of type RT_RCDATA by name, in directory order, without loading or running anything.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

inline constexpr std::uint32_t kRtRcData = 10;

struct TPeResource {
  // The name as stored (UTF-16 in the file, UTF-8 here); a numbered resource is "#" + number.
  std::string Name;
  std::uint16_t Language = 0;
  std::string_view Data; // a view into the image bytes
};

// Fills out with the RT_RCDATA resources of image: one per name, in directory order, taking the
// first language under each name. An image without resources gives an empty list. Returns false
// with a reason when the bytes are no PE image or the resource directory points outside the file.
bool ReadRcDataResources(std::string_view image, std::vector<TPeResource> &out, std::string *error = nullptr);

} // namespace vt
