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

void Send(httplib::Response &res, const ServiceReply &reply) {
  res.status = reply.status;
  res.set_header("Cache-Control", "no-store");
  if (!reply.detected_language.empty()) res.set_header("X-Detected-Language", reply.detected_language);
  res.set_content(reply.body, reply.content_type.c_str());
}

} // namespace

MtHttpServer::MtHttpServer(ApertiumEngine &engine, ServerOptions options)
    : engine_(engine), options_(std::move(options)), server_(std::make_unique<httplib::Server>()) {
  httplib::Server &s = *server_;
  // Requests carry no body; the request line is bounded by the library (8 KiB).
  s.set_payload_max_length(64 * 1024);
  s.set_read_timeout(5, 0);
  s.set_write_timeout(5, 0);
  s.Get("/v2/Http.svc/Translate", [this](const httplib::Request &req, httplib::Response &res) {
    Send(res, HandleTranslate(QueryOf(req.target), engine_));
  });
  s.Get("/languages",
        [this](const httplib::Request &, httplib::Response &res) { Send(res, HandleLanguages(engine_)); });
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

MtHttpServer::~MtHttpServer() {
  Stop();
}

int MtHttpServer::Bind() {
  if (options_.port == 0) return server_->bind_to_any_port(options_.bind_address);
  return server_->bind_to_port(options_.bind_address, options_.port) ? options_.port : -1;
}

bool MtHttpServer::Run() {
  return server_->listen_after_bind();
}

void MtHttpServer::Stop() {
  if (server_->is_running()) server_->stop();
}

} // namespace vt::mtserver
