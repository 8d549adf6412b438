// zentab.exe: the main window on real Win32 windows and the Windows shell.
#include <cstdio>
#include <exception>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/win32_browser_link.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_form_host.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/windows_api.h"
#include "settings/settings.h"

namespace {

// OLE rather than plain COM: the shell's browser objects want a single-threaded apartment.
class OleSession {
 public:
  OleSession() {
    if (FAILED(OleInitialize(nullptr))) throw zentab::ShellFailure("OleInitialize failed");
  }
  ~OleSession() { OleUninitialize(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
};

int Run(HINSTANCE instance) {
  OleSession ole;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  if (!InitCommonControlsEx(&controls)) throw zentab::ShellFailure("InitCommonControlsEx failed");

  zentab::Win32Form view(zentab::MainWindowDesign(), instance);
  zentab::Win32Shell shell([&view] { view.Destroy(); });
  zentab::Win32FormHost host(instance);
  zentab::Settings settings;
  zentab::MainWindow mainWindow(view, shell, host, settings);
  if (!mainWindow.Load()) return 0;
  // Events flow once the load step is done: a second start must not scan behind its message box.
  view.SetEvents(&mainWindow);
  view.OnShellRestarted([&mainWindow] { mainWindow.OnShellRestarted(); });
  view.OnSessionEndQueried([&mainWindow] { mainWindow.OnSessionEndQueried(); });
  view.OnSessionEnded([&mainWindow](bool ending) { mainWindow.OnSessionEnded(ending); });
  // Only the instance that runs on is found by the browsers' hosts.
  zentab::Win32BrowserLink browsers(
      instance,
      [&mainWindow](std::uintptr_t relay, std::string_view message) {
        mainWindow.OnBrowserMessage(relay, message);
      },
      [&mainWindow](std::uintptr_t relay) { mainWindow.OnBrowserHostClosing(relay); });
  mainWindow.OnBrowsersLinked();
  return zentab::RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return Run(instance);
  } catch (const std::exception& failure) {
    // A failure while starting is fatal; the message is for whoever started us from a console.
    // Not fprintf: the printf family would bring its whole formatter for this one line.
    std::fputs("zentab: ", stderr);
    std::fputs(failure.what(), stderr);
    std::fputc('\n', stderr);
    return 1;
  } catch (...) {
    std::fputs("zentab: failed to start\n", stderr);
    return 1;
  }
}
