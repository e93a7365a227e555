#include "services/mtserver/mt_http_server.h"

#include "services/mtserver/translate_service.h"
#include "services/mtserver/translator_page.h"

#include <httplib.h>

namespace vt::mtserver {
namespace {

std::string_view QueryOf(const std::string &target) {
  const size_t q = target.find('?');
  if (q == std::string::npos) return {};
  std::string_view query(target);
  query.remove_prefix(q + 1);
  if (const size_t hash = query.find('#'); hash != std::string_view::npos) query = query.substr(0, hash);
  return query;
}

void Send(httplib::Response &res, const TServiceReply &reply) {
  res.status = reply.Status;
  res.set_header("Cache-Control", "no-store");
  if (!reply.DetectedLanguage.empty()) res.set_header("X-Detected-Language", reply.DetectedLanguage);
  res.set_content(reply.Body, reply.ContentType.c_str());
}

} // namespace

TMtHttpServer::TMtHttpServer(TApertiumEngine &engine, TServerOptions options)
    : FEngine(engine), FOptions(std::move(options)), FServer(std::make_unique<httplib::Server>()) {
  httplib::Server &s = *FServer;
  // Requests carry no body; the request line is bounded by the library (8 KiB).
  s.set_payload_max_length(64 * 1024);
  s.set_read_timeout(5, 0);
  s.set_write_timeout(5, 0);
  s.Get("/v2/Http.svc/Translate", [this](const httplib::Request &req, httplib::Response &res) {
    Send(res, HandleTranslate(QueryOf(req.target), FEngine));
  });
  s.Get("/languages",
        [this](const httplib::Request &, httplib::Response &res) { Send(res, HandleLanguages(FEngine)); });
  s.Get("/translate", [](const httplib::Request &, httplib::Response &res) {
    res.set_header("Cache-Control", "no-store");
    res.set_content(TranslatorPageHtml(), "text/html; charset=utf-8");
  });
  s.Get("/", [](const httplib::Request &, httplib::Response &res) {
    res.set_redirect("/translate?ie=UTF-8&hl=en&tab=wT");
  });
  s.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
    res.status = 500;
    res.set_content(ErrorPage("Internal error."), "text/html; charset=utf-8");
  });
}

TMtHttpServer::~TMtHttpServer() {
  Stop();
}

int TMtHttpServer::Bind() {
  if (FOptions.Port == 0) return FServer->bind_to_any_port(FOptions.BindAddress);
  return FServer->bind_to_port(FOptions.BindAddress, FOptions.Port) ? FOptions.Port : -1;
}

bool TMtHttpServer::Run() {
  return FServer->listen_after_bind();
}

void TMtHttpServer::Stop() {
  if (FServer->is_running()) FServer->stop();
}

} // namespace vt::mtserver
