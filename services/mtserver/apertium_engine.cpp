#include "services/mtserver/apertium_engine.h"

#include <algorithm>
#include <filesystem>

namespace vt::mtserver {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool IsWordByte(char c) {
  return !IsSpace(c) && c != '\0';
}

} // namespace

const std::vector<TLanguagePair> &KnownPairs() {
  static const std::vector<TLanguagePair> pairs = {
      {"en", "es", "eng-spa"}, {"es", "en", "spa-eng"}, {"en", "ca", "eng-cat"}, {"ca", "en", "cat-eng"},
      {"en", "gl", "en-gl"},   {"gl", "en", "gl-en"},   {"en", "eo", "en-eo"},   {"eo", "en", "eo-en"},
  };
  return pairs;
}

std::string EscapeForApertium(std::string_view text) {
  static constexpr std::string_view kReserved = "\\[]^$/@<>{}*#";
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      out += ' ';
    } else if (c == '~') {
      // Post-generation takes a "~" as its own mark and drops it, escaped or not: it travels in a
      // blank of its own, which every stage passes through untouched.
      out += "[~]";
    } else {
      if (kReserved.find(c) != std::string_view::npos) out += '\\';
      out += c;
    }
  }
  return out;
}

std::string UnescapeApertium(std::string_view answer, int *marks) {
  std::string out;
  out.reserve(answer.size());
  bool afterBlank = false; // right after a blank block: a word may start here
  for (size_t i = 0; i < answer.size(); ++i) {
    const char c = answer[i];
    if (c == '\\' && i + 1 < answer.size()) {
      out += answer[++i];
      afterBlank = false;
      continue;
    }
    if (c == '[') {
      // A blank block ("[~]" from EscapeForApertium): its text, without the brackets.
      for (++i; i < answer.size() && answer[i] != ']'; ++i) {
        if (answer[i] == '\\' && i + 1 < answer.size()) ++i;
        out += answer[i];
      }
      afterBlank = true;
      continue;
    }
    const bool wordStart = out.empty() || IsSpace(out.back()) || afterBlank;
    afterBlank = false;
    if ((c == '*' || c == '#' || c == '@') && wordStart && i + 1 < answer.size() &&
        IsWordByte(answer[i + 1])) {
      if (marks != nullptr) ++*marks;
      continue;
    }
    out += c;
  }
  return out;
}

TApertiumEngine::TApertiumEngine(TEngineOptions options) : FOptions(std::move(options)) {
  for (const TLanguagePair &p : KnownPairs()) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(std::filesystem::path(FOptions.ModesDir) / (p.Mode + ".mode"), ec)) {
      FInstalled.push_back(p);
    }
  }
}

TApertiumEngine::~TApertiumEngine() = default;

std::vector<std::string> TApertiumEngine::Targets() const {
  std::vector<std::string> out;
  for (const TLanguagePair &p : FInstalled) {
    if (p.From == "en") out.push_back(p.To);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> TApertiumEngine::ReverseSources() const {
  std::vector<std::string> out;
  for (const TLanguagePair &p : FInstalled) {
    if (p.To == "en") out.push_back(p.From);
  }
  std::sort(out.begin(), out.end());
  return out;
}

const TLanguagePair *TApertiumEngine::FindPair(std::string_view from, std::string_view to) const {
  for (const TLanguagePair &p : FInstalled) {
    if (p.From == from && p.To == to) return &p;
  }
  return nullptr;
}

bool TApertiumEngine::Supports(std::string_view from, std::string_view to) const {
  if (from == "auto") return to == "en" && !ReverseSources().empty();
  if (from == to) return from == "en" || FindPair("en", to) != nullptr || FindPair(from, "en") != nullptr;
  return FindPair(from, to) != nullptr;
}

TApertiumPipeline *TApertiumEngine::Pipeline(const TLanguagePair &pair, bool withMarks) {
  std::lock_guard lock(FMutex);
  auto key = std::make_pair(pair.Mode, withMarks);
  if (auto it = FPipelines.find(key); it != FPipelines.end()) return it->second.get();
  // The null-flush form of the mode keeps every stage alive between segments.
  const std::string modeFile = (std::filesystem::path(FOptions.ModesDir) / (pair.Mode + ".mode")).string();
  auto script = CaptureOutput({"apertium-wblank-mode", "-z", modeFile}, FOptions.TimeoutMs);
  if (!script) return nullptr;
  auto stages = ParseModeScript(*script, withMarks ? "-g" : "-n");
  if (!stages) return nullptr;
  auto pipeline = std::make_unique<TApertiumPipeline>(std::move(*stages), FOptions.TimeoutMs);
  TApertiumPipeline *raw = pipeline.get();
  FPipelines.emplace(std::move(key), std::move(pipeline));
  return raw;
}

bool TApertiumEngine::Preload(std::string_view from, std::string_view to) {
  const TLanguagePair *pair = FindPair(from, to);
  if (pair == nullptr) return false;
  TApertiumPipeline *p = Pipeline(*pair, false);
  return p != nullptr && p->Start();
}

std::optional<std::string> TApertiumEngine::TranslateLine(TApertiumPipeline &pipeline, std::string_view line,
                                                          int *marks) {
  auto answer = pipeline.Process(EscapeForApertium(line));
  if (!answer) return std::nullopt;
  return std::string(Trim(UnescapeApertium(*answer, marks)));
}

std::optional<TTranslation> TApertiumEngine::TranslateWith(const TLanguagePair &pair, std::string_view text,
                                                           bool countMarks) {
  TApertiumPipeline *pipeline = Pipeline(pair, countMarks);
  if (pipeline == nullptr) return std::nullopt;
  TTranslation result;
  result.From = pair.From;
  // Line by line, so the breaks of the text survive whatever the engine does with them.
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    if (Trim(line).empty()) {
      result.Text.append(line);
    } else {
      auto translated = TranslateLine(*pipeline, line, countMarks ? &result.UnknownWords : nullptr);
      if (!translated) return std::nullopt;
      result.Text.append(*translated);
    }
    if (end == text.size()) break;
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    result.Text.append(text.substr(end, next - end));
    pos = next;
  }
  return result;
}

std::optional<TTranslation> TApertiumEngine::Translate(std::string_view from, std::string_view to,
                                                       std::string_view text) {
  if (from == to && Supports(from, to)) return TTranslation{std::string(text), std::string(from), 0};
  if (from == "auto") {
    if (to != "en") return std::nullopt;
    std::optional<TTranslation> best;
    for (const TLanguagePair &p : FInstalled) {
      if (p.To != "en") continue;
      auto t = TranslateWith(p, text, true);
      if (t && (!best || t->UnknownWords < best->UnknownWords)) best = std::move(t);
    }
    if (!best) return std::nullopt;
    // The marked pipeline only chose the language: translate again without marks.
    auto clean = TranslateWith(*FindPair(best->From, "en"), text, false);
    if (clean) clean->UnknownWords = best->UnknownWords;
    return clean;
  }
  const TLanguagePair *pair = FindPair(from, to);
  if (pair == nullptr) return std::nullopt;
  return TranslateWith(*pair, text, false);
}

} // namespace vt::mtserver
