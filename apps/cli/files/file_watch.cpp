#include "files/file_watch.h"

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <system_error>
#include <thread>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include "command_error.h"
#include "files/command_files.h"

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#endif

namespace rxTheme::cli {
namespace {

using namespace std::chrono_literals;

// How long the files must stay unchanged before a wait ends.
constexpr auto kSettle = 100ms;

volatile sig_atomic_t stop_signal = 0;

extern "C" void OnStopSignal(int) { stop_signal = 1; }

// The handlers of SIGINT and SIGTERM for the watch's lifetime. Without
// SA_RESTART, a signal also cuts a wait for events short.
class StopSignals {
 public:
  StopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &old_int_);
    sigaction(SIGTERM, &action, &old_term_);
  }
  ~StopSignals() {
    sigaction(SIGINT, &old_int_, nullptr);
    sigaction(SIGTERM, &old_term_, nullptr);
  }

 private:
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

}  // namespace

#ifdef __linux__

struct FileWatch::State {
  std::function<bool(const std::string&)> wanted;
  int fd = -1;
  StopSignals signals;

  // Reads the events that come within `timeout_ms`: -1 when none came (or
  // a signal), else 1 when a wanted file changed and 0 when not.
  int Read(int timeout_ms) {
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, timeout_ms);
    if (ready <= 0) return -1;
    alignas(inotify_event) char buffer[16 * 1024];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return -1;
    int changed = 0;
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && wanted(event->name)) changed = 1;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    return changed;
  }
};

FileWatch::FileWatch(const WString& folder, std::function<bool(const std::string&)> wanted)
    : state_(std::make_unique<State>()) {
  state_->wanted = std::move(wanted);
  state_->fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  constexpr uint32_t kChanges =
      IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB;
  if (state_->fd < 0 || inotify_add_watch(state_->fd, Narrow(folder).c_str(), kChanges) < 0) {
    if (state_->fd >= 0) close(state_->fd);
    state_->fd = -1;
    RaiseAbout(kPathNotFound, u"cannot watch " + DisplayPath(folder));
  }
}

FileWatch::~FileWatch() {
  if (state_->fd >= 0) close(state_->fd);
}

bool FileWatch::Wait() {
  // A quarter-second limit on each wait lets a signal that arrives just
  // before the wait still end it promptly.
  while (!Stopped() && state_->Read(250) != 1) {
  }
  while (!Stopped() && state_->Read(static_cast<int>(kSettle.count())) != -1) {
  }
  return !Stopped();
}

void FileWatch::Forget() {
  while (state_->Read(0) != -1) {
  }
}

#else  // a gentle look at the folder's listing, twice a second

namespace fs = std::filesystem;

struct FileWatch::State {
  fs::path folder;
  std::function<bool(const std::string&)> wanted;
  std::map<std::string, std::pair<uintmax_t, fs::file_time_type> > seen;
  StopSignals signals;

  std::map<std::string, std::pair<uintmax_t, fs::file_time_type> > Look() const {
    std::map<std::string, std::pair<uintmax_t, fs::file_time_type> > files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (!wanted(name)) continue;
      std::error_code no_status;
      files[name] = {it->file_size(no_status), it->last_write_time(no_status)};
    }
    return files;
  }
};

FileWatch::FileWatch(const WString& folder, std::function<bool(const std::string&)> wanted)
    : state_(std::make_unique<State>()) {
  state_->folder = fs::path(Narrow(folder));
  state_->wanted = std::move(wanted);
  std::error_code error;
  if (!fs::is_directory(state_->folder, error)) {
    RaiseAbout(kPathNotFound, u"cannot watch " + DisplayPath(folder));
  }
  state_->seen = state_->Look();
}

FileWatch::~FileWatch() = default;

bool FileWatch::Wait() {
  while (!Stopped()) {
    std::this_thread::sleep_for(500ms);
    auto now = state_->Look();
    if (now == state_->seen) continue;
    // Settled: two looks a tenth of a second apart agree.
    for (;;) {
      std::this_thread::sleep_for(kSettle);
      auto later = state_->Look();
      if (later == now) break;
      now = std::move(later);
    }
    state_->seen = std::move(now);
    return !Stopped();
  }
  return false;
}

void FileWatch::Forget() { state_->seen = state_->Look(); }

#endif

bool FileWatch::Stopped() { return stop_signal != 0; }

}  // namespace rxTheme::cli
