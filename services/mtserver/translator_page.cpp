#include "services/mtserver/translator_page.h"

#include "mt/translator_web_utils.h"

namespace vt::mtserver {
namespace {

// The result element comes first in the document, so that no text shown before it can ever be
// taken for it by a reader that searches the markup. Everything the page writes goes in as text
// nodes, never as markup.
constexpr const char *kPageHead = R"HTML(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Vantreo Translate</title>
<style>
  body { font-family: "DejaVu Sans", sans-serif; margin: 0; display: flex; flex-direction: column; }
  header { order: 0; background: #2b5797; color: #fff; padding: 8px 16px; font-size: 18px; }
  #pair { order: 1; padding: 8px 16px; color: #333; }
  .panes { order: 2; display: flex; gap: 16px; padding: 0 16px; }
  .pane { flex: 1; border: 1px solid #bbb; border-radius: 4px; padding: 8px; min-height: 120px;
          white-space: pre-wrap; }
  #source { background: #f7f7f7; }
  #status { order: 4; padding: 8px 16px; color: #666; }
  #error { order: 5; padding: 8px 16px; color: #b00; }
</style>
</head>
<body>
<div class="panes" style="order:3"><div class="pane" id="result_box" lang="en" aria-live="polite" aria-label="Translation"></div></div>
<header>Vantreo Translate</header>
<div id="pair"></div>
<div class="panes"><div class="pane" id="source" aria-label="Source text"></div></div>
<div id="status"></div>
<div id="error" role="alert"></div>
<script>
"use strict";
)HTML";

constexpr const char *kPageScript = R"JS(
const names = { en: "English", es: "Spanish", ca: "Catalan", gl: "Galician", eo: "Esperanto", auto: "Detect language" };
let generation = 0;

function percentBytes(s) {
  const out = [];
  for (let i = 0; i < s.length; i++) {
    const c = s.charCodeAt(i);
    if (c === 37 && /^[0-9A-Fa-f]{2}$/.test(s.substr(i + 1, 2))) {
      out.push(parseInt(s.substr(i + 1, 2), 16));
      i += 2;
    } else if (c < 128) {
      out.push(c);
    } else {
      for (const b of new TextEncoder().encode(s[i])) out.push(b);
    }
  }
  return new Uint8Array(out);
}

function bytesToText(bytes) {
  try {
    return new TextDecoder("utf-8", { fatal: true }).decode(bytes);
  } catch (e) {
    return new TextDecoder("windows-1252").decode(bytes);
  }
}

function encodeBytes(bytes) {
  let out = "";
  for (const b of bytes) {
    const ch = String.fromCharCode(b);
    out += /[A-Za-z0-9\-._~]/.test(ch) ? ch : "%" + b.toString(16).toUpperCase().padStart(2, "0");
  }
  return out;
}

function showLines(element, text) {
  element.textContent = "";
  text.split(/\r\n|\r|\n/).forEach((line, i) => {
    if (i > 0) element.appendChild(document.createElement("br"));
    element.appendChild(document.createTextNode(line));
  });
}

function parseFragment() {
  const hash = location.hash.replace(/^#/, "");
  const first = hash.indexOf("/");
  const second = first < 0 ? -1 : hash.indexOf("/", first + 1);
  if (second < 0) return null;
  return { from: hash.slice(0, first), to: hash.slice(first + 1, second), text: percentBytes(hash.slice(second + 1)) };
}

async function translate() {
  const mine = ++generation;
  const box = document.getElementById("result_box");
  const status = document.getElementById("status");
  const error = document.getElementById("error");
  box.textContent = "";
  error.textContent = "";
  const request = parseFragment();
  if (!request || request.text.length === 0) {
    document.getElementById("pair").textContent = "";
    document.getElementById("source").textContent = "";
    status.textContent = "Nothing to translate.";
    return;
  }
  document.getElementById("pair").textContent =
      (names[request.from] || request.from) + " \u2192 " + (names[request.to] || request.to);
  showLines(document.getElementById("source"), bytesToText(request.text));
  status.textContent = "Translating\u2026";
  const url = "/v2/Http.svc/Translate?appId=" + APP_ID + "&text=" + encodeBytes(request.text) +
              "&from=" + encodeURIComponent(request.from) + "&to=" + encodeURIComponent(request.to);
  try {
    const response = await fetch(url, { cache: "no-store" });
    const body = await response.text();
    if (mine !== generation) return;
    const doc = new DOMParser().parseFromString(body, "text/html");
    const text = doc.body ? doc.body.textContent : "";
    if (!response.ok || text.indexOf("TranslateApiExceptionMethod") >= 0) {
      status.textContent = "";
      error.textContent = text.trim();
      return;
    }
    showLines(box, text);
    const detected = response.headers.get("X-Detected-Language");
    status.textContent = detected ? "Detected: " + (names[detected] || detected) : "";
  } catch (e) {
    if (mine !== generation) return;
    status.textContent = "";
    error.textContent = "The translation service cannot be reached.";
  }
}

window.addEventListener("hashchange", translate);
translate();
</script>
</body>
</html>
)JS";

} // namespace

std::string TranslatorPageHtml() {
  std::string page = kPageHead;
  page += "const APP_ID = \"";
  page += kTranslatorAppId;
  page += "\";";
  page += kPageScript;
  return page;
}

} // namespace vt::mtserver
