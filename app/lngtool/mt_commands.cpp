// translate: one machine translation through the web translation client, line by line.
#include "commands.h"

#include "mt/mt_endpoint.h"
#include "mt/translator_web_utils.h"
#include "support/text_codec.h"

#include <iostream>
#include <memory>
#include <optional>

namespace lngtool {
namespace {

struct TranslateArgs {
  std::string to;
  std::string host;
  std::string text;
};

std::string OneLine(std::string s) {
  for (char &c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

void RunTranslate(const TranslateArgs &args) {
  const std::string host =
      vt::ResolveMtEndpoint(args.host.empty() ? std::nullopt : std::optional<std::string>(args.host)).host;
  std::string out;
  size_t pos = 0;
  while (pos <= args.text.size()) {
    size_t end = args.text.find('\n', pos);
    if (end == std::string::npos) end = args.text.size();
    std::string line = args.text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) {
      const std::string result = vt::Utf16ToUtf8(vt::TranslateText(line, args.to, host));
      if (result.empty()) Die("Translation failed: no answer from " + host);
      if (result.find("ExceptionMethod") != std::string::npos) Die(OneLine(result));
      out += result;
    }
    out += '\n';
    pos = end + 1;
  }
  std::cout << out;
}

} // namespace

void RegisterMtCommands(CLI::App &app) {
  auto args = std::make_shared<TranslateArgs>();
  CLI::App *cmd = app.add_subcommand(
      "translate", "Machine-translate English text through the web translation service, line by line");
  cmd->add_option("--to", args->to, "Target language code (es, ca, gl, eo, ...)")->required();
  cmd->add_option("--host", args->host,
                  "Base URL of the service (default: VT_MT_HOST, else " + std::string(vt::kDefaultMtHost) +
                      ")");
  cmd->add_option("TEXT", args->text, "The English text; each line is translated on its own")->required();
  cmd->callback([args] { RunTranslate(*args); });
}

} // namespace lngtool
