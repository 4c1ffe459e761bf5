// Waiting for the files of one folder to change, for `preview --watch`.
// On Linux the kernel says when a file is written, created, renamed or
// removed (inotify): nothing is read from the disk while nothing changes.
// Elsewhere the folder's listing (names, sizes, times) is compared twice a
// second. Ctrl-C (SIGINT) and SIGTERM end a wait, so that the command can
// stop cleanly.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

class FileWatch {
 public:
  // Watches the files of `folder` whose names `wanted` accepts. Raises 76
  // naming the folder when it cannot be watched.
  FileWatch(const WString& folder, std::function<bool(const std::string&)> wanted);
  ~FileWatch();
  FileWatch(const FileWatch&) = delete;
  FileWatch& operator=(const FileWatch&) = delete;

  // Waits until a wanted file changes, then until the changes have settled
  // (no further change for a tenth of a second), so that a save that writes
  // several files wakes it once. Returns false when a signal ended the wait.
  bool Wait();

  // Forgets the changes seen so far: what the command itself wrote.
  void Forget();

  // Whether Ctrl-C or SIGTERM arrived since the watch began.
  static bool Stopped();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace rxTheme::cli
