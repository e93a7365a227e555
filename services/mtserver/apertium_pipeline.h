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

using TCommand = std::vector<std::string>; // program followed by its arguments

// Splits a mode script ("a -z 'x' | b $1 | c $2") into commands. "$1" becomes marksOption,
// "$2" (tagger options) is dropped. Anything a plain pipeline does not need (other "$",
// redirections, command lists, back quotes, an open quote) makes it fail: we never interpret it.
std::optional<std::vector<TCommand>> ParseModeScript(std::string_view script, std::string_view marksOption);

// Runs a program (no shell) and returns what it wrote to stdout, or nullopt on failure.
std::optional<std::string> CaptureOutput(const TCommand &command, int timeoutMs);

class TApertiumPipeline {
public:
  TApertiumPipeline(std::vector<TCommand> stages, int timeoutMs);
  ~TApertiumPipeline();
  TApertiumPipeline(const TApertiumPipeline &) = delete;
  TApertiumPipeline &operator=(const TApertiumPipeline &) = delete;

  // Starts the processes unless they run already; false when a stage cannot be started.
  bool Start();
  // Sends one escaped segment and returns the raw answer (still escaped). A pipeline that fails
  // or stays silent past the time-out is stopped and starts afresh on the next call.
  std::optional<std::string> Process(std::string_view escapedSegment);
  bool Running();

private:
  bool StartLocked();
  void StopLocked();
  std::optional<std::string> ExchangeLocked(const std::string &request);

  std::mutex FMutex;
  std::vector<TCommand> FStages;
  int FTimeoutMs;
  std::vector<pid_t> FPids;
  int FToPipeline = -1;
  int FFromPipeline = -1;
};

} // namespace vt::mtserver
