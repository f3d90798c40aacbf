// A small X client for the window and keystroke tests:
//
//   tolm_testwin --title T --class C [--log FILE] [--children N] [--many N] [--pid-file F]
//                [--name-only STRING|COMPOUND_TEXT] [--unmapped N]
//
// Maps a top-level window titled T (WM_NAME and _NET_WM_NAME) of class C with
// _NET_WM_PID and the WM_DELETE_WINDOW protocol; a delete request ends it
// with status 0. --children N adds N titled child windows "T child 1"..;
// --many N adds N more top-level windows "T 1".."T N". Every key press is
// appended to the log as one flushed line: the text it types (UTF-8), or the
// keysym name for keys that type no text; with CTRL or ALT held the keysym
// name with "C-" / "M-" in front. The pid file is written once the main
// window is mapped, so its presence means "ready". --name-only gives the main
// window no _NET_WM_NAME and its title (given in UTF-8) in WM_NAME only, in
// that encoding, as older toolkits do. --unmapped N adds N titled top-level
// windows "T unmapped 1".. that are never mapped.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Options {
  std::string title = "tolm test window";
  std::string className = "TolmTestWin";
  std::string log;
  std::string pidFile;
  std::string nameOnly;  // "", "STRING" or "COMPOUND_TEXT"
  int children = 0;
  int many = 0;
  int unmapped = 0;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    const char* value = argv[i + 1];
    if (key == "--title") o.title = value;
    else if (key == "--class") o.className = value;
    else if (key == "--log") o.log = value;
    else if (key == "--pid-file") o.pidFile = value;
    else if (key == "--children") o.children = std::atoi(value);
    else if (key == "--many") o.many = std::atoi(value);
    else if (key == "--unmapped") o.unmapped = std::atoi(value);
    else if (key == "--name-only" && (std::strcmp(value, "STRING") == 0 || std::strcmp(value, "COMPOUND_TEXT") == 0))
      o.nameOnly = value;
    else return false;
  }
  return argc % 2 == 1;
}

class TestWindow {
 public:
  TestWindow(Display* d, const Options& o) : d_(d), options_(o) {}

  int Run() {
    main_ = MakeWindow(DefaultRootWindow(d_), options_.title, 400, 300);
    if (!options_.nameOnly.empty() && !SetNameOnly(main_, options_.title)) return 2;
    XSelectInput(d_, main_, KeyPressMask | StructureNotifyMask | FocusChangeMask);
    Atom deleteWindow = Intern("WM_DELETE_WINDOW");
    XSetWMProtocols(d_, main_, &deleteWindow, 1);
    for (int i = 1; i <= options_.children; ++i) {
      XMapWindow(d_, MakeWindow(main_, options_.title + " child " + std::to_string(i), 40, 20));
    }
    for (int i = 1; i <= options_.many; ++i) {
      XMapWindow(d_, MakeWindow(DefaultRootWindow(d_), options_.title + " " + std::to_string(i), 20, 20));
    }
    for (int i = 1; i <= options_.unmapped; ++i) {
      MakeWindow(DefaultRootWindow(d_), options_.title + " unmapped " + std::to_string(i), 20, 20);
    }
    OpenInputContext();
    XMapWindow(d_, main_);
    for (;;) {
      XEvent event;
      XNextEvent(d_, &event);
      if (XFilterEvent(&event, None)) continue;
      if (event.type == MapNotify && event.xmap.window == main_) WritePidFile();
      if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
      if (event.type == KeyPress) Log(Describe(event.xkey));
      if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) return 0;
    }
  }

 private:
  Window MakeWindow(Window parent, const std::string& title, unsigned w, unsigned h) {
    const Window window = XCreateSimpleWindow(d_, parent, 10, 10, w, h, 1, BlackPixel(d_, 0), WhitePixel(d_, 0));
    XStoreName(d_, window, title.c_str());
    XChangeProperty(d_, window, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    std::string instance = "tolm_testwin";
    XClassHint hint{instance.data(), const_cast<char*>(options_.className.c_str())};
    XSetClassHint(d_, window, &hint);
    const long pid = static_cast<long>(getpid());
    XChangeProperty(d_, window, Intern("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    return window;
  }

  // Replaces both titles by WM_NAME alone, converted from UTF-8 by Xlib.
  bool SetNameOnly(Window window, const std::string& title) {
    char* list[] = {const_cast<char*>(title.c_str())};
    const XICCEncodingStyle style = options_.nameOnly == "STRING" ? XStringStyle : XCompoundTextStyle;
    XTextProperty property{};
    if (Xutf8TextListToTextProperty(d_, list, 1, style, &property) != Success) {
      std::cerr << "tolm_testwin: the title cannot be written as " << options_.nameOnly << "\n";
      return false;
    }
    XSetWMName(d_, window, &property);
    XFree(property.value);
    XDeleteProperty(d_, window, Intern("_NET_WM_NAME"));
    return true;
  }

  void OpenInputContext() {
    if (!XSupportsLocale()) return;
    XSetLocaleModifiers("@im=none");
    im_ = XOpenIM(d_, nullptr, nullptr, nullptr);
    if (im_ == nullptr) return;
    ic_ = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, main_,
                    XNFocusWindow, main_, nullptr);
  }

  std::string Describe(XKeyEvent& key) {
    char text[64] = {};
    KeySym keysym = NoSymbol;
    int length = 0;
    if (ic_ != nullptr) {
      Status status = 0;
      length = Xutf8LookupString(ic_, &key, text, sizeof text - 1, &keysym, &status);
      if (status != XLookupChars && status != XLookupBoth) length = 0;
      if (status == XLookupChars) keysym = NoSymbol;
    } else {
      length = XLookupString(&key, text, sizeof text - 1, &keysym, nullptr);
    }
    const char* name = keysym != NoSymbol ? XKeysymToString(keysym) : nullptr;
    const std::string keyName = name != nullptr ? name : "keycode " + std::to_string(key.keycode);
    std::string prefix;
    if (key.state & ControlMask) prefix += "C-";
    if (key.state & Mod1Mask) prefix += "M-";
    if (!prefix.empty()) return prefix + keyName;
    const std::string typed(text, static_cast<size_t>(length > 0 ? length : 0));
    const bool printable = !typed.empty() && static_cast<unsigned char>(typed[0]) >= 0x20 && typed[0] != 0x7F;
    return printable ? typed : keyName;
  }

  void Log(const std::string& line) {
    if (options_.log.empty()) return;
    std::ofstream out(options_.log, std::ios::app | std::ios::binary);
    out << line << '\n';
    out.flush();
  }

  void WritePidFile() {
    if (options_.pidFile.empty() || pidWritten_) return;
    pidWritten_ = true;
    // Written under a temporary name and renamed, so a reader never sees half of it.
    const std::string temporary = options_.pidFile + ".tmp";
    std::ofstream(temporary) << getpid() << '\n';
    std::rename(temporary.c_str(), options_.pidFile.c_str());
  }

  Atom Intern(const char* name) { return XInternAtom(d_, name, False); }

  Display* d_;
  const Options& options_;
  Window main_ = None;
  XIM im_ = nullptr;
  XIC ic_ = nullptr;
  bool pidWritten_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::cerr << "usage: tolm_testwin --title T --class C [--log FILE] [--children N] [--many N] [--pid-file F]"
                 " [--name-only STRING|COMPOUND_TEXT] [--unmapped N]\n";
    return 2;
  }
  std::setlocale(LC_CTYPE, "C.UTF-8");
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::cerr << "tolm_testwin: cannot open display\n";
    return 2;
  }
  const int status = TestWindow(display, options).Run();
  XCloseDisplay(display);
  return status;
}
