#pragma once
// The "Build Raw" run: forms, skin definitions and marked messages of one build of the product
// into a raw data file (".rawmi").
#include "grab_log.h"
#include "grab_session.h"
#include "raw_script.h"

#include <optional>
#include <string>
#include <vector>

namespace vt {

class TIniFile;

inline constexpr const char *kActionsForm = "Zt4_Actions__Zt4_Actions";
inline constexpr const char *kGlobalTransMark = "lbHasGlobalTrans";

// Runs the extraction; the log receives its progress lines. Returns the written file's content,
// or nothing when no destination is given. Throws EGrabError when an executable or a form cannot
// be read, or the file cannot be saved; the file is then left as it was.
std::optional<std::string> BuildRaw(TGrabSession &session, const TRawOptions &options, TGrabLog &log);

// Writes the "key=value" lines of a built section into the raw data file; with erase the section
// is emptied first. Lines without "=", and empty keys or values, are not written.
void WriteRawSection(TIniFile &raw, const std::string &section, const std::vector<std::string> &lines,
                     bool erase);

// The action identifiers the records of the session use (ActionID lines outside the action and
// property definitions), each once, compared without regard to case.
std::vector<std::string> UsedActionIds(const TResourceInfo &info);

} // namespace vt
