// The scan of the shell's windows, then of the connected browsers' tabs: one line per accepted
// window or tab into the scratch list, then the watch list rebuilt from it when an end-of-scan
// test says it changed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "browsers/connected_browsers.h"
#include "platform/controls.h"
#include "platform/shell_services.h"
#include "settings/settings.h"
#include "watch/past_log.h"

namespace zentab {

class Scan {
 public:
  // `rebuilt` runs each time the end-of-scan rule has rebuilt the watch list.
  Scan(ShellServices& shell, ConnectedBrowsers& browsers, const Settings& settings,
       Label& maxWatchNum, ListBox& watchLst, ListBox& watchLstTmp, PastLog& pastLog,
       std::function<void()> rebuilt);

  // One scan; a tick that arrives while one runs is dropped.
  void OnScanTimer();
  // -1 once a scan sent a window on past a redirect, until the watch list is rebuilt.
  std::int16_t RedirectNavigated() const { return redirectNavigated_; }
  // Lets go of the last window the scan looked at.
  void ReleaseBrowser() { curBrowser_.reset(); }

 private:
  void ScanWindows();
  void EndOfFullScan();
  void EndOfShortScan();
  void CopyScratchToWatchList();
  void AddWatchEntry(std::int16_t position, const std::string& title, const std::string& address,
                     std::uint32_t origin);

  ShellServices& shell_;
  ConnectedBrowsers& browsers_;
  const Settings& settings_;
  Label& maxWatchNum_;
  ListBox& watchLst_;
  ListBox& watchLstTmp_;
  PastLog& pastLog_;
  std::function<void()> rebuilt_;

  std::shared_ptr<BrowserWindow> curBrowser_;
  std::int16_t redirectNavigated_ = 0;
  bool scanning_ = false;
};

}  // namespace zentab
