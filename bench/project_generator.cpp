#include "project_generator.h"

#include "model/ids.h"
#include "model/word_list.h"
#include "support/file_io.h"
#include "support/markup_text.h"

#include <array>
#include <cstdio>
#include <functional>
#include <random>
#include <string_view>
#include <vector>

namespace vt::bench {

namespace {

constexpr std::array<std::string_view, 48> kWords = {
    "file",   "open",     "save",    "project", "layer",  "image",  "color",   "brush",  "select", "all",
    "none",   "cancel",   "apply",   "export",  "import", "view",   "zoom",    "window", "help",   "about",
    "tool",   "settings", "preview", "print",   "page",   "text",   "font",    "size",   "width",  "height",
    "rotate", "flip",     "crop",    "resize",  "filter", "effect", "history", "undo",   "redo",   "copy",
    "paste",  "delete",   "new",     "close",   "recent", "mask",   "channel", "curve"};
constexpr std::array<std::string_view, 8> kForeign = {"Datei",
                                                      "\xC3\xB6"
                                                      "ffnen",
                                                      "Ebene",
                                                      "Bild",
                                                      "Farbe",
                                                      "Gr\xC3\xB6\xC3\x9F"
                                                      "e",
                                                      "Schlie\xC3\x9F"
                                                      "en",
                                                      "\xC3\x9C"
                                                      "bersicht"};
constexpr std::array<std::string_view, 6> kVisibleKinds = {"VC", "VH", "TC", "THF", "IT", "VI"};
constexpr std::array<std::string_view, 5> kClasses = {"TTntButton", "TStaticHotBtn", "TTntLabel",
                                                      "TTntCheckBox", "TToolTextBtn"};

struct TRecord {
  std::string Section, Name, Kind, Source, Translation, Comment, Auto;
};

class TGenerator {
public:
  TGenerator(std::uint32_t seed) : FRng(seed) {}

  // Calls out(record) `entries` times, in file order (sections grouped).
  void Run(std::size_t entries, const std::function<void(const TRecord &)> &out) {
    TRecord r;
    std::size_t made = 0, formNo = 0;
    while (made < entries) {
      r.Section = formNo % 50 == 49 ? "Messages" : "TID_Form" + std::to_string(formNo);
      ++formNo;
      const std::size_t objects = 20 + Pick(60);
      for (std::size_t o = 0; o < objects && made < entries; ++o) {
        r.Name = (Pick(3) == 0 ? "Panel" + std::to_string(Pick(5)) + "." : std::string()) + "Control" +
                 std::to_string(o);
        // Hidden class-name key first, as the extraction writes it.
        Emit(r, std::string(kind::CN), std::string(kClasses[Pick(kClasses.size())]), out, made);
        // Texts of the object and of its unnamed parts (items, columns), which carry no class key.
        const std::string objectName = r.Name;
        const std::size_t texts = 1 + Pick(14);
        for (std::size_t t = 0; t < texts && made < entries; ++t) {
          r.Name = t == 0 ? objectName : objectName + ".Part" + std::to_string(t);
          Emit(r, std::string(kVisibleKinds[Pick(kVisibleKinds.size())]), {}, out, made);
        }
      }
    }
  }

private:
  std::size_t Pick(std::size_t n) { return static_cast<std::size_t>(FRng() % n); }

  std::string Words(std::size_t n, bool foreign) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
      if (i) s += ' ';
      s += foreign && Pick(3) == 0 ? kForeign[Pick(kForeign.size())] : kWords[Pick(kWords.size())];
    }
    if (!s.empty() && !foreign) s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
  }

  std::string Text(std::string_view kindName, bool foreign) {
    // Built step by step: the order of the random draws must not depend on the compiler.
    std::string s;
    if (kindName == "VH" || kindName == "THF") {
      s.append(Words(1 + Pick(3), foreign)).append("|");
      s.append(Words(4 + Pick(12), foreign));
    } else if (kindName == "IT") {
      s.append("\"").append(Words(1, foreign)).append("\",\"");
      s.append(Words(2, foreign)).append("\"");
    } else if (kindName == "VI") {
      s.append(Words(2, foreign)).append("\\n");
      s.append(Words(2, foreign));
    } else {
      s.append(Words(1 + Pick(3), foreign));
      if (Pick(4) == 0) s.append("...");
    }
    return s;
  }

  void Emit(TRecord &r, std::string kindName, std::string hiddenValue,
            const std::function<void(const TRecord &)> &out, std::size_t &made) {
    const bool hidden = !hiddenValue.empty();
    r.Kind = std::move(kindName);
    r.Source = hidden ? std::move(hiddenValue) : Text(r.Kind, false);
    r.Translation.clear();
    r.Comment.clear();
    r.Auto.clear();
    if (!hidden) {
      if (Pick(10) < 7) {
        const std::size_t p = Pick(100);
        const char *prefix = p < 10 ? "[~]" : p < 13 ? "[?]" : p < 15 ? "[!]" : p < 17 ? "[+]" : "";
        r.Translation = prefix + Text(r.Kind, true);
      }
      if (Pick(33) == 0) r.Comment = "check " + Words(2 + Pick(4), false);
      if (Pick(3) == 0) r.Auto = Text(r.Kind, true);
    }
    out(r);
    ++made;
  }

  std::mt19937 FRng;
};

// One ini file written as it would be by the dialect: "[name]", key=value lines, empty line.
class TIniWriter {
public:
  void Section(std::string_view name) {
    if (name == FCurrent) return;
    if (!FCurrent.empty() || FOpen) Bytes += "\r\n";
    FCurrent = name;
    FOpen = true;
    Bytes.append("[").append(name).append("]\r\n");
  }
  void Line(std::string_view key, std::string_view value) {
    Bytes.append(key).append("=").append(value).append("\r\n");
  }
  std::string Finish() {
    if (FOpen) Bytes += "\r\n";
    return std::move(Bytes);
  }
  std::string Bytes;

private:
  std::string FCurrent;
  bool FOpen = false;
};

} // namespace

void FillProject(TWordList &list, std::size_t entries, std::uint32_t seed) {
  TGenerator(seed).Run(entries, [&](const TRecord &r) {
    TWordObj *e = list.AddEntry(r.Section, r.Name, r.Kind, r.Source);
    e->Translation = r.Translation;
    e->Comment = r.Comment;
    e->AutoText = r.Auto;
  });
  for (const TWordObj *e : list.Items)
    if (list.Sections.empty() || list.Sections.back() != e->Section()) list.Sections.push_back(e->Section());
}

TGeneratedFiles WriteProject(const std::string &folder, const std::string &base, std::size_t entries,
                             std::uint32_t seed, bool withAuto) {
  TIniWriter src, trans, autoLng;
  trans.Section(section::Info);
  trans.Line(kDestLngKey, "de");
  std::string key;
  TGenerator(seed).Run(entries, [&](const TRecord &r) {
    key = Key(r.Name, r.Kind);
    src.Section(r.Section);
    src.Line(key, r.Source);
    if (!r.Translation.empty() || !r.Comment.empty()) trans.Section(r.Section);
    if (!r.Translation.empty()) trans.Line(key, r.Translation);
    if (!r.Comment.empty()) trans.Line(key + std::string(kind::CommentSuffix), r.Comment);
    if (!r.Auto.empty()) {
      autoLng.Section(r.Section);
      autoLng.Line(key, r.Auto);
    }
  });
  TGeneratedFiles files;
  const std::string stem = folder + "/" + base;
  files.SrcLng = stem + ".SrcLng";
  files.KxLng = stem + ".kxLng";
  const std::string srcBytes = src.Finish(), transBytes = trans.Finish();
  WriteFileAtomic(files.SrcLng, srcBytes);
  WriteFileAtomic(files.KxLng, transBytes);
  files.Bytes = srcBytes.size() + transBytes.size();
  if (withAuto) {
    files.AutoLng = stem + ".AutoLng";
    const std::string autoBytes = autoLng.Finish();
    WriteFileAtomic(files.AutoLng, autoBytes);
    files.Bytes += autoBytes.size();
  }
  return files;
}

namespace {

// Character data of the generated file, quotes as references too.
void AppendXml(std::string &out, std::string_view text) {
  AppendMarkupText(out, text, true);
}

} // namespace

std::string WriteLinguistFile(const std::string &folder, const std::string &base, std::size_t entries,
                              std::uint32_t seed) {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                    "<TS version=\"2.1\" language=\"de\">\n";
  std::string context;
  TGenerator(seed).Run(entries, [&](const TRecord &r) {
    if (IsHiddenKind(r.Kind)) return;
    if (r.Section != context) {
      if (!context.empty()) out += "</context>\n";
      context = r.Section;
      out += "<context>\n    <name>";
      AppendXml(out, context);
      out += "</name>\n";
    }
    out += "    <message>\n        <source>";
    AppendXml(out, r.Source);
    out += "</source>\n        <comment>";
    AppendXml(out, Key(r.Name, r.Kind));
    out += "</comment>\n";
    if (!r.Comment.empty()) {
      out += "        <translatorcomment>";
      AppendXml(out, r.Comment);
      out += "</translatorcomment>\n";
    }
    if (r.Translation.empty()) {
      out += "        <translation type=\"unfinished\"></translation>\n";
    } else {
      out += "        <translation>";
      AppendXml(out, r.Translation);
      out += "</translation>\n";
    }
    out += "    </message>\n";
  });
  if (!context.empty()) out += "</context>\n";
  out += "</TS>\n";
  const std::string path = folder + "/" + base + ".ts";
  WriteFileAtomic(path, out);
  return path;
}

TReleaseFiles WriteRelease(const std::string &folder, const std::string &base, std::size_t entries,
                           std::uint32_t seed, bool next) {
  struct TMessage {
    std::string Text, Translation, Comment;
  };
  TIniWriter src, trans, english;
  std::string words;
  std::vector<TMessage> messages;
  trans.Section(section::Info);
  trans.Line(kDestLngKey, "de");
  english.Section(section::Info);
  english.Line(kDestLngKey, "en");
  // The release's changes come from a generator of their own, so that the project's own texts stay
  // those of WriteProject.
  std::mt19937 changes(seed * 7919u + 17u);
  auto per1000 = [&changes](unsigned n) { return changes() % 1000 < n; };
  std::size_t keys = 0, inserted = 0;
  std::string key;
  TGenerator(seed).Run(entries, [&](const TRecord &r) {
    const bool removed = per1000(10), changed = per1000(30), added = per1000(10), fixed = per1000(50),
               prefixed = per1000(333);
    const bool visible = !IsHiddenKind(r.Kind);
    if (next && visible && removed) return;
    std::string source = r.Source;
    if (next && visible && changed) source += " (revised)";
    if (r.Section == "Messages") {
      messages.push_back({source, next ? std::string() : r.Translation, next ? std::string() : r.Comment});
      if (next && added) messages.push_back({"New message " + std::to_string(++inserted), {}, {}});
      return;
    }
    key = Key(r.Name, r.Kind);
    src.Section(r.Section);
    src.Line(key, source);
    ++keys;
    if (next && visible && added) {
      const std::string number = std::to_string(++inserted);
      src.Line("Added" + number + "." + r.Kind, "New text " + number);
      ++keys;
    }
    if (next) return;
    if (!r.Translation.empty() || !r.Comment.empty()) trans.Section(r.Section);
    if (!r.Translation.empty()) trans.Line(key, r.Translation);
    if (!r.Comment.empty()) trans.Line(key + std::string(kind::CommentSuffix), r.Comment);
    if (visible && fixed) {
      english.Section(r.Section);
      english.Line(key, (prefixed ? "[~]" : "") + source + " fixed");
    }
  });
  src.Section("Messages");
  trans.Section("Messages");
  char msgKey[32];
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const TMessage &m = messages[i];
    std::snprintf(msgKey, sizeof msgKey, "Msg_%06zu_.msg", i);
    src.Line(msgKey, m.Text);
    ++keys;
    if (!m.Translation.empty()) trans.Line(msgKey, m.Translation);
    if (!m.Comment.empty()) trans.Line(std::string(msgKey) + std::string(kind::CommentSuffix), m.Comment);
    if (!next && i % 50 == 7)
      words.append("R=").append(m.Text).append("\r\nL=").append(m.Text).append(".\r\n\r\n");
  }
  TReleaseFiles files;
  files.Entries = keys;
  const std::string stem = folder + "/" + base;
  files.SrcLng = stem + ".SrcLng";
  WriteFileAtomic(files.SrcLng, src.Finish(), nullptr, TFileSync::NoFlush);
  if (next) return files;
  files.KxLng = stem + ".kxLng";
  files.EnglishKxLng = stem + ".English.kxLng";
  files.MessageList = stem + ".Messages.txt";
  WriteFileAtomic(files.KxLng, trans.Finish(), nullptr, TFileSync::NoFlush);
  WriteFileAtomic(files.EnglishKxLng, english.Finish(), nullptr, TFileSync::NoFlush);
  WriteFileAtomic(files.MessageList, words, nullptr, TFileSync::NoFlush);
  return files;
}

} // namespace vt::bench
