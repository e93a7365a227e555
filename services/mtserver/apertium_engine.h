#pragma once
// The translation engine of the service: the installed Apertium pairs, kept warm, one pipeline
// per mode. Unknown words come back without marks; reverse requests ("auto" to English) pick the
// installed source language whose translation has the fewest unknown words.
#include "services/mtserver/apertium_pipeline.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::mtserver {

struct TLanguagePair {
  std::string From; // language codes as the client sends them
  std::string To;
  std::string Mode; // Apertium's own mode name
};

// The pairs the service knows; a pair is offered when its mode file is installed.
const std::vector<TLanguagePair> &KnownPairs();

struct TEngineOptions {
  std::string ModesDir = "/usr/share/apertium/modes";
  int TimeoutMs = 10000;
};

struct TTranslation {
  std::string Text;     // UTF-8
  std::string From;     // the source language used (the detected one for "auto")
  int UnknownWords = 0; // counted only while detecting
};

class TApertiumEngine {
public:
  explicit TApertiumEngine(TEngineOptions options = {});
  ~TApertiumEngine();

  // Target languages reachable from English, and source languages that translate into English.
  std::vector<std::string> Targets() const;
  std::vector<std::string> ReverseSources() const;
  bool Supports(std::string_view from, std::string_view to) const;

  // Translates UTF-8 text line by line; from may be "auto" when to is "en". nullopt when the
  // pair is not installed or the engine failed.
  std::optional<TTranslation> Translate(std::string_view from, std::string_view to, std::string_view text);

  // Starts the pipeline of a pair ahead of the first request.
  bool Preload(std::string_view from, std::string_view to);

private:
  const TLanguagePair *FindPair(std::string_view from, std::string_view to) const;
  TApertiumPipeline *Pipeline(const TLanguagePair &pair, bool withMarks);
  std::optional<std::string> TranslateLine(TApertiumPipeline &pipeline, std::string_view line, int *marks);
  std::optional<TTranslation> TranslateWith(const TLanguagePair &pair, std::string_view text,
                                            bool countMarks);

  TEngineOptions FOptions;
  std::vector<TLanguagePair> FInstalled;
  std::mutex FMutex; // guards FPipelines; each pipeline serialises its own requests
  std::map<std::pair<std::string, bool>, std::unique_ptr<TApertiumPipeline>> FPipelines;
};

// Backslash-escapes the characters that Apertium's stream format reserves; control characters
// become spaces (a NUL would end the segment early).
std::string EscapeForApertium(std::string_view text);
// Undoes the escapes of an answer and drops unknown-word marks ("*", "#", "@" before a word),
// counting them when marks is not null.
std::string UnescapeApertium(std::string_view answer, int *marks);

} // namespace vt::mtserver
