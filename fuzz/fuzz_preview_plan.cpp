// The preview's decisions and the machine-text preparation on arbitrary project values: the
// input is ini text whose keys form objects; every visible entry is previewed, its original is
// run through "Auto Translate" with an echoing translator, and the results are checked.
#include "client/core/machine_text.h"
#include "client/core/preview_plan.h"
#include "client/core/suggestion_rules.h"
#include "model/ids.h"
#include "model/ini_file.h"
#include "model/release_obj.h"
#include "model/trans_man.h"
#include "model/word_list.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  vt::TIniFile ini;
  ini.LoadFromBytes(bytes);
  vt::TRef<vt::TWordList> project(new vt::TWordList());
  std::string name, kind;
  std::size_t lines = 0;
  for (const auto &sec : ini.Sections())
    for (const auto &line : sec.Lines) {
      if (++lines > 2000) break;
      if (line.Value.empty() || !vt::SplitKey(line.Key, name, kind)) continue;
      vt::TWordObj *e = project->AddEntry(sec.Name, name, kind, line.Value);
      // Odd lines carry their value as a translation too, so both sides are read.
      if (lines % 2) e->Translation = line.Value;
    }

  const vt::TTranslateFn echo = [](const std::string &text, const std::string &) {
    return vt::Utf8ToUtf16(text);
  };
  for (const vt::TWordObj *e : project->Items) {
    if (e->Hidden) continue;
    const vt::TPreviewPlan plan = vt::BuildPreviewPlan(*project, e);
    if (!plan.StInfo) std::abort(); // the entry's own object always has property lines
    if (plan.Width > 8192 || plan.Height > 8192 || plan.Width < -8192) std::abort();
    if (plan.ApplyIcon && plan.IconSize != 0 && plan.IconSize % 8 != 0) std::abort();
    if (plan.Sample != vt::TPreviewSample::None && vt::PreviewSampleName(plan.Sample).empty()) std::abort();
    for (const std::u16string &l : vt::AutoTranslateLines(e->SourceDisplay(), true, "es", echo)) {
      // Prepared text is ASCII without line feeds, "&" or ":".
      for (const char16_t c : l)
        if (c >= 128 || c == u'\n' || c == u'&' || c == u':') std::abort();
    }
    (void)vt::TakeSuggestion(*e);
    (void)vt::SuggestionCellStyle(*e, 0, e, true);
  }
  return 0;
}
