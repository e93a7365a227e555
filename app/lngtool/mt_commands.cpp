// translate: one machine translation through the web translation client, line by line.
#include "commands.h"

#include "mt/mt_endpoint.h"
#include "mt/translator_web_utils.h"
#include "mt/url_text.h"
#include "support/text_codec.h"

#include <iostream>
#include <memory>
#include <optional>

namespace lngtool {
namespace {

struct TTranslateArgs {
  std::string To;
  std::string Host;
  std::string Text;
};

std::string OneLine(std::string s) {
  for (char &c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

void RunTranslate(const TTranslateArgs &args) {
  const std::string host =
      vt::ResolveMtEndpoint(args.Host.empty() ? std::nullopt : std::optional<std::string>(args.Host)).Host;
  std::string out;
  size_t pos = 0;
  while (pos <= args.Text.size()) {
    size_t end = args.Text.find('\n', pos);
    if (end == std::string::npos) end = args.Text.size();
    std::string line = args.Text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) {
      // The whole line is the query value: every byte that would end or change it ("&", "+",
      // "%", "#", ...) goes percent-encoded.
      const std::string result = vt::Utf16ToUtf8(vt::TranslateText(vt::EncodeUrlText(line), args.To, host));
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
  auto args = std::make_shared<TTranslateArgs>();
  CLI::App *cmd = app.add_subcommand(
      "translate", "Machine-translate English text through the web translation service, line by line");
  cmd->add_option("--to", args->To, "Target language code (es, ca, gl, eo, ...)")->required();
  cmd->add_option("--host", args->Host,
                  "Base URL of the service (default: VT_MT_HOST, else " + std::string(vt::kDefaultMtHost) +
                      ")");
  cmd->add_option("TEXT", args->Text, "The English text; each line is translated on its own")->required();
  cmd->callback([args] { RunTranslate(*args); });
}

} // namespace lngtool
