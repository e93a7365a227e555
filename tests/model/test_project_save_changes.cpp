// Save writes only the entries whose texts changed while the translation file is in step with the
// entries. The file it writes must be the one that writing every entry's translation and comment in
// turn gives: checked over random projects (hidden entries, repeated keys, orphan and empty lines,
// comments) and random edits through every path.
#include "model/entry_walk.h"
#include "model/word_list.h"
#include "support/file_io.h"
#include "tests/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

class ProjectSaveChanges : public TScratchFolder {};

// Every entry's translation and comment written one by one, in Items order: what a save must
// leave in the file.
void WriteEveryEntry(TIniFile &ini, const TWordList &project) {
  for (const TWordObj *entry : project.Items) {
    const std::string key = entry->Name() + "." + entry->Kind();
    const std::pair<std::string, const TCompactText *> writes[] = {{key, &entry->Translation},
                                                                   {key + "_?", &entry->Comment}};
    for (const auto &[k, value] : writes) {
      if (value->empty())
        ini.DeleteKey(entry->Section(), k);
      else
        ini.WriteString(entry->Section(), k, *value);
    }
  }
}

const char *const kKinds[] = {"VC", "VH", "TC", "_CN", "IT"};

struct TRandomProject {
  std::string Source, Translation;
};

TRandomProject MakeProject(std::mt19937 &rng) {
  const auto odd = [&](unsigned in) { return rng() % in == 0; };
  TRandomProject p;
  p.Translation = "[_info]\r\nDestLng=de\r\n\r\n";
  const int sections = 1 + static_cast<int>(rng() % 4);
  for (int s = 0; s < sections; ++s) {
    const std::string section = "Form" + std::to_string(s);
    const std::string end = odd(4) ? "\n" : "\r\n";
    p.Source += "[" + section + "]\r\n";
    std::vector<std::string> keys;
    for (int e = 2 + static_cast<int>(rng() % 14); e > 0; --e) {
      std::string key = "C" + std::to_string(rng() % 12) + "." + kKinds[rng() % 5];
      if (odd(40)) key += "_?"; // a key that reads like another's comment key
      keys.push_back(key);
      p.Source += key + "=" + (odd(15) ? "" : "source " + key) + "\r\n";
    }
    if (odd(5)) continue; // no section in the translation file
    p.Translation += (odd(6) ? "[form" + std::to_string(s) + "]" : "[" + section + "]") + end;
    if (odd(3)) std::shuffle(keys.begin(), keys.end(), rng);
    for (const std::string &key : keys) {
      if (odd(4)) continue;
      const std::string written = odd(8) ? "c" + key.substr(1) : key; // another case
      p.Translation += written + "=" + (odd(8) ? "" : "[?]trans " + key) + end;
      if (odd(3)) p.Translation += written + "_?=" + (odd(8) ? "" : "note " + key) + end;
      if (odd(12)) p.Translation += written + "=repeated" + end;
      if (odd(12)) p.Translation += "; a comment" + end;
    }
    if (odd(4)) p.Translation += "Orphan" + std::to_string(s) + ".VC=kept" + end;
    if (odd(8)) p.Translation += "raw line" + end;
    p.Translation += end;
    if (odd(8)) p.Translation += "[" + section + "]\r\nC1.VC=second section\r\n\r\n";
  }
  return p;
}

// One random edit through one of the ways entries change; keyEdits adds the ways that change keys
// or entries (which end the saving of changes alone).
void EditAtRandom(std::mt19937 &rng, TWordList &project, int n, bool keyEdits) {
  if (project.Items.Empty()) return;
  TWordObj *entry = project.Items[rng() % project.Items.Count()];
  const std::string text = "edit " + std::to_string(n);
  unsigned way = rng() % 14;
  if (!keyEdits && way >= 6 && way <= 11) way -= 6;
  entry->Changed = true;
  switch (way) {
  case 0:
    entry->Translation = text;
    break;
  case 1:
    entry->Comment = text;
    break;
  case 2:
    entry->Translation.clear();
    break;
  case 3:
    entry->Comment.clear();
    break;
  case 4:
    entry->SetTranslationText(u"wide text");
    break;
  case 5:
    entry->SetFlags(static_cast<TEntryFlags>(rng() % 8));
    break;
  case 6:
    entry->SetSource(text);
    break;
  case 7:
    entry->SetName("C" + std::to_string(rng() % 12));
    break;
  case 8:
    entry->SetKind(kKinds[rng() % 5]);
    break;
  case 9:
    entry->SetSection("Form" + std::to_string(rng() % 5));
    break;
  case 10: {
    TWordObj *added = project.AddEntry("Form" + std::to_string(rng() % 4), "C" + std::to_string(rng() % 14),
                                       kKinds[rng() % 5], "added");
    if (rng() % 2) added->Translation = text;
    break;
  }
  case 11:
    project.Items.Delete(rng() % project.Items.Count());
    project.ItemsReordered();
    break;
  case 12:
    entry->Translation = TCompactText(entry->Translation); // the same text, a copy
    break;
  default: {
    TCompactText moved(text);
    entry->Comment = std::move(moved);
  }
  }
}

TEST_F(ProjectSaveChanges, SavedFileIsTheOneWritingEveryEntryGives) {
  for (unsigned seed = 1; seed <= 120; ++seed) {
    std::mt19937 rng(seed);
    const TRandomProject made = MakeProject(rng);
    Write("R.SrcLng", made.Source);
    Write("R.kxLng", made.Translation);
    TRef<TWordList> project(new TWordList());
    if (!project->Open(P("R.kxLng"))) continue; // no entry at all
    TIniFile expected;
    expected.LoadFromBytes(made.Translation);
    // Only some projects get edits that change keys or entries; the others see texts change only.
    const bool keyEdits = seed % 3 == 0;
    for (int round = 0; round < 4; ++round) {
      for (int e = static_cast<int>(rng() % 6); e > 0; --e) EditAtRandom(rng, *project, e, keyEdits);
      // Now and then a save fails: the file in memory is written all the same, nothing on disk.
      const bool fail = rng() % 6 == 0;
      if (fail) project->TransIni->SetFileName(P("missing/R.kxLng"));
      project->Modified = true;
      const bool saved = project->Save();
      WriteEveryEntry(expected, *project);
      if (fail) {
        ASSERT_FALSE(saved);
        EXPECT_TRUE(project->Modified);
        project->TransIni->SetFileName(P("R.kxLng"));
        continue;
      }
      ASSERT_TRUE(saved);
      ASSERT_EQ(Read("R.kxLng"), expected.ComposedBytes()) << "seed " << seed << " round " << round << "\n"
                                                           << made.Source << "\n"
                                                           << made.Translation;
      for (const TWordObj *entry : project->Items) ASSERT_FALSE(entry->Changed);
    }
  }
}

TEST_F(ProjectSaveChanges, LongProjectSavesWhatWritingEveryEntryGives) {
  // Long enough for a save's walk over the entries to run in parts, with sections that end before
  // the middle, run across it, and start after it; edits on both sides and right at the middle.
  const int sizes[] = {9000, 500, 60000, 1, 25000};
  std::string source, translation = "[_info]\r\nDestLng=de\r\n\r\n";
  for (std::size_t s = 0; s < std::size(sizes); ++s) {
    const std::string section = "S" + std::to_string(s);
    source += "[" + section + "]\r\n";
    translation += "[" + section + "]\r\n";
    for (int e = 0; e < sizes[s]; ++e) {
      const std::string key = "K" + std::to_string(e) + ".VC";
      source += key + "=source " + std::to_string(e) + "\r\n";
      if (e % 3 != 0) translation += key + "=text " + std::to_string(e) + "\r\n";
    }
    translation += "\r\n";
  }
  Write("L.SrcLng", source);
  Write("L.kxLng", translation);
  TRef<TWordList> project(new TWordList());
  ASSERT_TRUE(project->Open(P("L.kxLng")));
  const std::size_t count = project->Items.Count();
  ASSERT_GE(count, 2 * kMinEntryPart);
  TIniFile expected;
  expected.LoadFromBytes(translation);
  std::mt19937 rng(11);
  for (int round = 0; round < 5; ++round) {
    for (int e = 0; e < 6; ++e) EditAtRandom(rng, *project, e, false);
    if (round % 2 == 0) {
      const std::size_t middle = count / 2 + static_cast<std::size_t>(round) - 2;
      project->Items[middle]->Translation = "middle " + std::to_string(round);
      project->Items[middle]->Changed = true;
    }
    if (round == 3) project->Items[9000]->Comment = "the lone entry of S1"; // a section of its own
    ASSERT_TRUE(project->Save());
    WriteEveryEntry(expected, *project);
    ASSERT_EQ(Read("L.kxLng"), expected.ComposedBytes()) << "round " << round;
    for (const TWordObj *entry : project->Items) ASSERT_FALSE(entry->Changed) << "round " << round;
  }
}

TEST_F(ProjectSaveChanges, FileInStepIsLeftAloneAndOnlyTheMarkedEntriesAreWritten) {
  Write("D.SrcLng", "[F]\r\nA.VC=a\r\nB.VC=b\r\nH._CN=hidden\r\n");
  Write("D.kxLng", "[F]\r\nA.VC=x\r\nA.VC_?=note\r\nB.VC=\r\n\r\n");
  TRef<TWordList> project(new TWordList());
  ASSERT_TRUE(project->Open(P("D.kxLng")));
  // The empty line of B is deleted by the first save, as writing every entry does; then the file
  // is in step and a save with nothing changed writes nothing into it.
  ASSERT_TRUE(project->Save());
  EXPECT_EQ(Read("D.kxLng"), "[F]\r\nA.VC=x\r\nA.VC_?=note\r\n\r\n");
  const std::uint64_t stamp = project->TransIni->ChangeStamp();
  ASSERT_TRUE(project->Save());
  EXPECT_EQ(project->TransIni->ChangeStamp(), stamp);
  project->Items[1]->Translation = "y";
  ASSERT_TRUE(project->Save());
  EXPECT_EQ(Read("D.kxLng"), "[F]\r\nA.VC=x\r\nA.VC_?=note\r\nB.VC=y\r\n\r\n");
  // Someone else writing an entry's key into the file: the next save writes every entry again.
  project->TransIni->WriteString("F", "A.VC", "outside");
  ASSERT_TRUE(project->Save());
  EXPECT_EQ(Read("D.kxLng"), "[F]\r\nA.VC=x\r\nA.VC_?=note\r\nB.VC=y\r\n\r\n");
}

TEST(CompactTextMark, EveryChangeSetsTheMarkAndViewsStartWithout) {
  TCompactText view = TCompactText::View("bytes");
  EXPECT_FALSE(view.IsChanged());
  TCompactText made("made");
  EXPECT_TRUE(made.IsChanged());
  made.ClearChanged();
  EXPECT_EQ(made, "made");
  EXPECT_FALSE(made.IsChanged());
  const auto check = [](auto change) {
    TCompactText t = TCompactText::View("v");
    change(t);
    return t.IsChanged();
  };
  EXPECT_TRUE(check([](TCompactText &t) { t = "x"; }));
  EXPECT_TRUE(check([](TCompactText &t) { t = std::string_view("v"); }));
  EXPECT_TRUE(check([](TCompactText &t) { t.clear(); }));
  EXPECT_TRUE(check([](TCompactText &t) { t.SetView("other"); }));
  EXPECT_TRUE(check([](TCompactText &t) { t = TCompactText::View("w"); }));
  EXPECT_TRUE(check([](TCompactText &t) {
    const TCompactText other("o");
    t = other;
  }));
  EXPECT_TRUE(check([](TCompactText &t) { t = t; }));
  // Moving carries the text and its mark along.
  TCompactText moved(std::move(view));
  EXPECT_FALSE(moved.IsChanged());
  EXPECT_EQ(moved, "bytes");
}

} // namespace
