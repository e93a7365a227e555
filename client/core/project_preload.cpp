#include "project_preload.h"

#include <utility>

namespace vt {

TProjectPreload::TProjectPreload(std::string path) : FPath(std::move(path)), FProject(new TWordList) {
  try {
    FThread = std::thread([this] { FOpened = FProject->Open(FPath, &FError); });
  } catch (...) {
    FReadInTake = true; // no thread to be had: the read happens in Take
  }
}

TProjectPreload::~TProjectPreload() {
  if (FThread.joinable()) FThread.join();
}

TRef<TWordList> TProjectPreload::Take(std::string *error) {
  if (FThread.joinable())
    FThread.join();
  else if (std::exchange(FReadInTake, false))
    FOpened = FProject->Open(FPath, &FError);
  if (error) *error = FError;
  TRef<TWordList> project = std::exchange(FProject, TRef<TWordList>());
  if (!FOpened) return {};
  FOpened = false;
  return project;
}

} // namespace vt
