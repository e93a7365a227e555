#pragma once
// What the single-step tools of the administrator window show about the forms of an executable
// or skin: the forms extraction selects, one form as text or as its raw-data section, the actions
// a skin uses, and the hint properties of a form tree.
#include "grab_session.h"
#include "raw_extract.h"

#include <optional>
#include <string>
#include <vector>

namespace vt {

// The names of the records whose form text contains "lbHasGlobalTrans", in record order: the forms
// extraction takes from an executable.
std::vector<std::string> GlobalTransForms(const TResourceInfo &info);

// The record of that name as the form view shows it: with filter, the raw-data section extraction
// builds (the session's form tree becomes that form's); otherwise the form text after collapsing
// binary blocks and trimming. None when no record has the name. Throws EGrabError for a form that
// cannot be parsed.
std::optional<std::vector<std::string>> FormView(TGrabSession &session, const std::string &name, bool filter);

// The action identifiers the session's records use, each once (without regard to case), sorted by
// their ASCII lower-case form.
std::vector<std::string> UsedActionsSorted(const TResourceInfo &info);

// The raw-data section of an action definition record (by default "Zt4_Actions__Zt4_Actions")
// without the actions no record uses; empty when the session has no such record or it is empty.
// The session's form tree becomes the pruned action tree.
std::vector<std::string> PrunedActionsSection(TGrabSession &session, const std::string &name = kActionsForm);

// For every object of the tree, a parent before its children: its name, each property line holding
// ".TH" or ".TF" after a tab, then an empty line.
std::vector<std::string> HintLines(TDfmObj &root);

} // namespace vt
