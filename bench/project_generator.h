#pragma once
// Deterministic synthetic language projects for benchmarks and load tests: sections named like
// the product's forms (TID_...), objects with a hidden class-name key and a few text keys, about
// 10% hidden keys, about 70% of the visible entries translated, some status prefixes and comments.
// The same seed and size always give the same project.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vt {
class TWordList;
}

namespace vt::bench {

struct TGeneratedFiles {
  std::string SrcLng, KxLng, AutoLng; // paths written
  std::size_t Bytes = 0;              // total size of the files written
};

// Appends `entries` entries (hidden ones included) to the project through AddEntry, with the
// translations and comments the files would carry.
void FillProject(TWordList &list, std::size_t entries, std::uint32_t seed = 1);

// Writes folder/base.SrcLng, folder/base.kxLng and (when withAuto) folder/base.AutoLng.
TGeneratedFiles WriteProject(const std::string &folder, const std::string &base, std::size_t entries,
                             std::uint32_t seed = 1, bool withAuto = true);

// The visible entries of the same project as one translation file of the Qt tool chain (contexts
// for sections, the key as disambiguation), for comparing with that tool chain's converter.
// Returns the path written (folder/base.ts).
std::string WriteLinguistFile(const std::string &folder, const std::string &base, std::size_t entries,
                              std::uint32_t seed = 1);

// One release of the product as a source file with the project that followed it, for the release
// benchmarks: the generated project, with every message in one "Messages" section at the end under
// keys numbered in file order (Msg_000000_.msg ...). With next, the following release instead: 3% of
// the visible texts changed, 1% new entries, 1% removed (messages renumbered); only its source file
// is written. Without next, also an English project correcting about 5% of the texts (some with a
// status prefix) and a word list correcting about 2% of the messages.
struct TReleaseFiles {
  std::string SrcLng, KxLng, EnglishKxLng, MessageList; // paths written (empty when not written)
  std::size_t Entries = 0;                              // keys in the source file
};
TReleaseFiles WriteRelease(const std::string &folder, const std::string &base, std::size_t entries,
                           std::uint32_t seed = 1, bool next = false);

} // namespace vt::bench
