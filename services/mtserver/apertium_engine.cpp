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

const std::vector<LanguagePair> &KnownPairs() {
  static const std::vector<LanguagePair> pairs = {
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
  bool after_blank = false; // right after a blank block: a word may start here
  for (size_t i = 0; i < answer.size(); ++i) {
    const char c = answer[i];
    if (c == '\\' && i + 1 < answer.size()) {
      out += answer[++i];
      after_blank = false;
      continue;
    }
    if (c == '[') {
      // A blank block ("[~]" from EscapeForApertium): its text, without the brackets.
      for (++i; i < answer.size() && answer[i] != ']'; ++i) {
        if (answer[i] == '\\' && i + 1 < answer.size()) ++i;
        out += answer[i];
      }
      after_blank = true;
      continue;
    }
    const bool word_start = out.empty() || IsSpace(out.back()) || after_blank;
    after_blank = false;
    if ((c == '*' || c == '#' || c == '@') && word_start && i + 1 < answer.size() &&
        IsWordByte(answer[i + 1])) {
      if (marks != nullptr) ++*marks;
      continue;
    }
    out += c;
  }
  return out;
}

ApertiumEngine::ApertiumEngine(EngineOptions options) : options_(std::move(options)) {
  for (const LanguagePair &p : KnownPairs()) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(std::filesystem::path(options_.modes_dir) / (p.mode + ".mode"),
                                         ec)) {
      installed_.push_back(p);
    }
  }
}

ApertiumEngine::~ApertiumEngine() = default;

std::vector<std::string> ApertiumEngine::Targets() const {
  std::vector<std::string> out;
  for (const LanguagePair &p : installed_) {
    if (p.from == "en") out.push_back(p.to);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> ApertiumEngine::ReverseSources() const {
  std::vector<std::string> out;
  for (const LanguagePair &p : installed_) {
    if (p.to == "en") out.push_back(p.from);
  }
  std::sort(out.begin(), out.end());
  return out;
}

const LanguagePair *ApertiumEngine::FindPair(std::string_view from, std::string_view to) const {
  for (const LanguagePair &p : installed_) {
    if (p.from == from && p.to == to) return &p;
  }
  return nullptr;
}

bool ApertiumEngine::Supports(std::string_view from, std::string_view to) const {
  if (from == "auto") return to == "en" && !ReverseSources().empty();
  if (from == to) return from == "en" || FindPair("en", to) != nullptr || FindPair(from, "en") != nullptr;
  return FindPair(from, to) != nullptr;
}

ApertiumPipeline *ApertiumEngine::Pipeline(const LanguagePair &pair, bool with_marks) {
  std::lock_guard lock(mutex_);
  auto key = std::make_pair(pair.mode, with_marks);
  if (auto it = pipelines_.find(key); it != pipelines_.end()) return it->second.get();
  // The null-flush form of the mode keeps every stage alive between segments.
  const std::string mode_file = (std::filesystem::path(options_.modes_dir) / (pair.mode + ".mode")).string();
  auto script = CaptureOutput({"apertium-wblank-mode", "-z", mode_file}, options_.timeout_ms);
  if (!script) return nullptr;
  auto stages = ParseModeScript(*script, with_marks ? "-g" : "-n");
  if (!stages) return nullptr;
  auto pipeline = std::make_unique<ApertiumPipeline>(std::move(*stages), options_.timeout_ms);
  ApertiumPipeline *raw = pipeline.get();
  pipelines_.emplace(std::move(key), std::move(pipeline));
  return raw;
}

bool ApertiumEngine::Preload(std::string_view from, std::string_view to) {
  const LanguagePair *pair = FindPair(from, to);
  if (pair == nullptr) return false;
  ApertiumPipeline *p = Pipeline(*pair, false);
  return p != nullptr && p->Start();
}

std::optional<std::string> ApertiumEngine::TranslateLine(ApertiumPipeline &pipeline, std::string_view line,
                                                         int *marks) {
  auto answer = pipeline.Process(EscapeForApertium(line));
  if (!answer) return std::nullopt;
  return std::string(Trim(UnescapeApertium(*answer, marks)));
}

std::optional<Translation> ApertiumEngine::TranslateWith(const LanguagePair &pair, std::string_view text,
                                                         bool count_marks) {
  ApertiumPipeline *pipeline = Pipeline(pair, count_marks);
  if (pipeline == nullptr) return std::nullopt;
  Translation result;
  result.from = pair.from;
  // Line by line, so the breaks of the text survive whatever the engine does with them.
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    if (Trim(line).empty()) {
      result.text.append(line);
    } else {
      auto translated = TranslateLine(*pipeline, line, count_marks ? &result.unknown_words : nullptr);
      if (!translated) return std::nullopt;
      result.text.append(*translated);
    }
    if (end == text.size()) break;
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    result.text.append(text.substr(end, next - end));
    pos = next;
  }
  return result;
}

std::optional<Translation> ApertiumEngine::Translate(std::string_view from, std::string_view to,
                                                     std::string_view text) {
  if (from == to && Supports(from, to)) return Translation{std::string(text), std::string(from), 0};
  if (from == "auto") {
    if (to != "en") return std::nullopt;
    std::optional<Translation> best;
    for (const LanguagePair &p : installed_) {
      if (p.to != "en") continue;
      auto t = TranslateWith(p, text, true);
      if (t && (!best || t->unknown_words < best->unknown_words)) best = std::move(t);
    }
    if (!best) return std::nullopt;
    // The marked pipeline only chose the language: translate again without marks.
    auto clean = TranslateWith(*FindPair(best->from, "en"), text, false);
    if (clean) clean->unknown_words = best->unknown_words;
    return clean;
  }
  const LanguagePair *pair = FindPair(from, to);
  if (pair == nullptr) return std::nullopt;
  return TranslateWith(*pair, text, false);
}

} // namespace vt::mtserver
