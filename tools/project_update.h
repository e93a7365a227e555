#pragma once
// Language projects following a new source-language file: the source texts corrected from a
// translation file, translations copied between projects, and the creation and update of a
// target-language project. Each operation reads whole files, changes them in memory and writes each
// changed file once, atomically; backup copies are made first where an operation names them.
#include "grab_log.h"

#include <string>

namespace vt {

// "UpdateSrcHints": a copy of the source-language file at srcLngPath + ".new" with every text the
// translation file changes (sections other than "Messages" and "_Messages"), and the translator's
// comment of a queried entry as a note under the key's "._!" form (Btn1.VC gives Btn1._!VC). Log
// lines: section TAB note key TAB comment; "~" section TAB key TAB old TAB new. Returns false (and
// does nothing) when one of the files is missing. Throws EGrabError when the copy cannot be saved.
bool UpdateSrcHints(const std::string &srcLngPath, const std::string &kxLngPath, TGrabLog &log);

// "src <-- kx DE": the same texts written into the source-language file itself, after a copy to
// srcLngPath + ".old"; changed messages keep their extracted text under "_Messages" (logged "~Messages"
// TAB key TAB TAB text). Returns false (and does nothing) when one of the files is missing.
bool ApplySrcTranslations(const std::string &srcLngPath, const std::string &kxLngPath, TGrabLog &log);

// "kx msg <-- kx DE": fills the empty translations of the target project (targetSrcLng and its
// ".kxLng") from the other project (otherKxLng and its ".SrcLng"): other sections by section and
// key, messages by their extracted text. The target translation file is copied to path + ".old"
// first. Throws EGrabAssertion "Cant find : " + path (other source file) or "Cant find " + path
// (target source file).
void CopyTranslations(const std::string &otherKxLng, const std::string &targetSrcLng, TGrabLog &log);

struct TProjectOptions {
  std::string TemplatePath; // the current ".SrcLng" of the release
  std::string ProjectPath;  // the project's ".SrcLng"; its translation file is the same path with ".kxLng"
  std::string Lang;         // the target language code; empty keeps the project's "_info"/"DestLng"
  bool EraseKxLng = false;  // "Erase Previous kxLng Files"
};

// "Build Lng Project": the project's source file becomes a copy of the template; with EraseKxLng or
// no translation file yet, the translation file's "_info"/"DestLng" is set (its other content kept).
// Throws EGrabAssertion "Sourcefile does not exists!\r" + template when the template is missing, and
// an assertion before touching anything when template and project are one file.
void BuildLngProject(const TProjectOptions &options, TGrabLog &log);

// "Rebuild Dst Prj": backs up both project files (".~bu"), replaces the source file by a copy of
// the template and carries each message translation and comment to the new key of the same English
// text; other sections of the translation file stay as they were. With EraseKxLng or no translation
// file, the translation file starts afresh with only "_info"/"DestLng". Throws as BuildLngProject.
void RebuildDstProject(const TProjectOptions &options, TGrabLog &log);

// The translation file of a project's source file (same path, extension ".kxLng").
std::string KxLngOf(const std::string &srcLngPath);

} // namespace vt
