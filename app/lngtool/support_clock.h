#pragma once
// The clock of the archive commands: SOURCE_DATE_EPOCH when it is set, else the local time.
#include "support/zip_file.h"

namespace lngtool {

vt::TZipClock CommandClock();

} // namespace lngtool
