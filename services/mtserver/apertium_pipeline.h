#pragma once
// One warm Apertium pipeline: the stages of a null-flush mode run as child processes joined by
// pipes, with no shell between them. Each call writes one segment ended by "\n\0" and reads the
// answer up to the next "\0", so the processes load their data once and answer in about 1 ms.
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace vt::mtserver {

using Command = std::vector<std::string>; // program followed by its arguments

// Splits a mode script ("a -z 'x' | b $1 | c $2") into commands. "$1" becomes marks_option,
// "$2" (tagger options) is dropped. Anything a plain pipeline does not need (other "$",
// redirections, command lists, back quotes, an open quote) makes it fail: we never interpret it.
std::optional<std::vector<Command>> ParseModeScript(std::string_view script, std::string_view marks_option);

// Runs a program (no shell) and returns what it wrote to stdout, or nullopt on failure.
std::optional<std::string> CaptureOutput(const Command &command, int timeout_ms);

class ApertiumPipeline {
public:
  ApertiumPipeline(std::vector<Command> stages, int timeout_ms);
  ~ApertiumPipeline();
  ApertiumPipeline(const ApertiumPipeline &) = delete;
  ApertiumPipeline &operator=(const ApertiumPipeline &) = delete;

  // Starts the processes unless they run already; false when a stage cannot be started.
  bool Start();
  // Sends one escaped segment and returns the raw answer (still escaped). A pipeline that fails
  // or stays silent past the time-out is stopped and starts afresh on the next call.
  std::optional<std::string> Process(std::string_view escaped_segment);
  bool Running();

private:
  bool StartLocked();
  void StopLocked();
  std::optional<std::string> ExchangeLocked(const std::string &request);

  std::mutex mutex_;
  std::vector<Command> stages_;
  int timeout_ms_;
  std::vector<pid_t> pids_;
  int to_pipeline_ = -1;
  int from_pipeline_ = -1;
};

} // namespace vt::mtserver
