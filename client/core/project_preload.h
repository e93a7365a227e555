#pragma once
// A project read ahead on a thread of its own, while the program starts its toolkit and builds its
// window; the window then takes the opened project instead of reading the files itself.
#include "model/release_obj.h"
#include "model/word_list.h"

#include <string>
#include <thread>

namespace vt {

class TProjectPreload {
public:
  // Starts opening path as the window opens a project (TWordList::Open in its Edit mode).
  explicit TProjectPreload(std::string path);
  // Waits for the read; a project nobody took is closed.
  ~TProjectPreload();
  TProjectPreload(const TProjectPreload &) = delete;
  TProjectPreload &operator=(const TProjectPreload &) = delete;

  // The path being opened, as given.
  const std::string &Path() const noexcept { return FPath; }
  // Waits for the read and hands over the project when it opened; none when it did not (error says
  // why) or when it was taken already.
  TRef<TWordList> Take(std::string *error = nullptr);

private:
  std::string FPath;
  TRef<TWordList> FProject;
  bool FOpened = false;
  bool FReadInTake = false;
  std::string FError;
  std::thread FThread;
};

} // namespace vt
