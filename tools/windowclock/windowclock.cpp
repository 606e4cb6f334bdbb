// Starts a command and prints the milliseconds until a top-level X window whose
// name contains the given text is mapped; the command is then killed.
//   windowclock [--keep] [--count N] TEXT -- COMMAND ARGS...
// The command's standard error is discarded. With --keep the command is left
// running and its process id is printed after the time. With --count it waits
// for N such windows. Exit status 1 when the command ends or 60 s pass without
// the windows.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

extern char** environ;

namespace {

double NowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

std::string TextProperty(Display* d, Window w, Atom property) {
  XTextProperty tp;
  if (!XGetTextProperty(d, w, &tp, property) || !tp.value) return std::string();
  std::string s(reinterpret_cast<char*>(tp.value), tp.nitems);
  XFree(tp.value);
  return s;
}

// Both the UTF-8 and the legacy name: Wine sets each.
bool NameContains(Display* d, Window w, const char* text) {
  static Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
  return TextProperty(d, w, netName).find(text) != std::string::npos ||
         TextProperty(d, w, XA_WM_NAME).find(text) != std::string::npos;
}

bool Viewable(Display* d, Window w) {
  XWindowAttributes a;
  return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }  // windows vanish while we look

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  bool keep = false;
  std::size_t count = 1;
  if (arg < argc && std::strcmp(argv[arg], "--keep") == 0) keep = true, ++arg;
  if (arg + 1 < argc && std::strcmp(argv[arg], "--count") == 0) count = std::strtoul(argv[arg + 1], nullptr, 10), arg += 2;
  if (argc - arg < 3 || std::strcmp(argv[arg + 1], "--") != 0 || count == 0) {
    std::fprintf(stderr, "usage: windowclock [--keep] [--count N] TEXT -- COMMAND ARGS...\n");
    return 2;
  }
  const char* text = argv[arg];
  char** command = argv + arg + 2;

  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "windowclock: no display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  Window root = DefaultRootWindow(d);
  XSelectInput(d, root, SubstructureNotifyMask);
  XSync(d, False);

  // The command's own diagnostics (Wine's) would bury the figures.
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  const double start = NowMs();
  if (posix_spawnp(&pid, command[0], &quiet, nullptr, command, environ) != 0) {
    std::perror("windowclock: spawn");
    return 2;
  }
  posix_spawn_file_actions_destroy(&quiet);

  double found = -1;
  std::set<Window> named;
  pollfd pfd = {ConnectionNumber(d), POLLIN, 0};
  while (found < 0 && NowMs() - start < 60000) {
    if (!XPending(d)) {
      int status;
      if (waitpid(pid, &status, WNOHANG) == pid) break;
      poll(&pfd, 1, 50);
      continue;
    }
    XEvent e;
    XNextEvent(d, &e);
    const double at = NowMs();
    Window w = 0;
    if (e.type == CreateNotify && e.xcreatewindow.parent == root) {
      // A name given after mapping shows up as a property change.
      XSelectInput(d, e.xcreatewindow.window, PropertyChangeMask);
    } else if (e.type == MapNotify && e.xmap.event == root) {
      w = e.xmap.window;
    } else if (e.type == PropertyNotify && Viewable(d, e.xproperty.window)) {
      w = e.xproperty.window;
    }
    if (w && NameContains(d, w, text)) named.insert(w);
    if (named.size() >= count) found = at;
  }

  if (found < 0) {
    std::fprintf(stderr, "windowclock: no window named \"%s\"\n", text);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 1;
  }
  if (keep) {
    std::printf("%.1f %d\n", found - start, int(pid));
  } else {
    std::printf("%.1f\n", found - start);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  XCloseDisplay(d);
  return 0;
}
