#pragma once
// What the form preview reads besides the form text: where a section's form text file lies, the
// texts of the section's entries (the preview store) and the controls the product hides (the
// visibility store). Both stores are in-memory ini files keyed under the section name.
#include "model/ini_file.h"
#include "model/word_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Environment variable naming the folder searched for form texts when the project has no
// "DfmData" folder beside it.
inline constexpr const char *kFormTextDirVariable = "VT_FORM_TEXT_DIR";

// The form text file name of a section ("TID_Options" gives "TTID_Options.dfmp"); empty for a name
// that could leave the folder (a path separator, "..", a control byte) or an empty one.
std::string FormTextFileName(std::string_view section);
// The folder that holds the form texts: "DfmData" inside the folder of projectFile when it exists,
// otherwise fallbackDir when it is not empty and exists; empty when there is none.
std::string FormTextFolder(std::string_view projectFile, std::string_view fallbackDir);
// The path of the section's form text file in FormTextFolder when the file exists, else empty.
std::string FindFormTextFile(std::string_view projectFile, std::string_view section,
                             std::string_view fallbackDir);
// The same with the fallback folder taken from VT_FORM_TEXT_DIR.
std::string FindFormTextFile(std::string_view projectFile, std::string_view section);

// The preview store of the named objects (the components of the form shown) in one section: under
// the section name, the key of each of their visible entries with a translation and its stored
// translation without status letters; a "THF" entry gives Name.TH (the short hint, unless it is
// "|") and Name.TF (the full hint, when not empty) instead. Entries of other sections never
// contribute. showOriginal (the "Show Original" tick) leaves it empty. The entries are found through
// the project's hashed object look-up, not a walk over every entry: a refresh after each edit builds
// it anew in projects of a million entries.
TIniFile BuildPreviewStore(const TWordList &project, std::string_view section,
                           const std::vector<std::string> &names, bool showOriginal = false);
// The visibility store of the named objects in one section: Name.vis=x for each hidden "_vis" entry.
TIniFile BuildVisibilityStore(const TWordList &project, std::string_view section,
                              const std::vector<std::string> &names);

} // namespace vt
