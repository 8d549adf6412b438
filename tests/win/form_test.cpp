// The forms on real windows: each design as built at 100 % and 150 %, each kind of control's
// adapter, the keyboard through the program's message loop, the modal host and the system's
// notices.
#include <map>
#include <memory>

#include "app/main_window_design.h"
#include "info/about_design.h"
#include "info/vote_design.h"
#include "options/options_design.h"
#include "platform/form_host.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_form_host.h"
#include "win_test.h"

namespace zentab::test {
namespace {

using K = ControlKind;

HWND Of(Win32Form& form) {
  return reinterpret_cast<HWND>(form.Handle());
}

int Px(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}

std::wstring Text(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

DWORD Style(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

// The class and the style bits (mask, value) each kind must have.
struct Expected {
  const wchar_t* windowClass;
  DWORD mask, value;
  bool focusable, hasFont;
};

Expected ExpectedOf(const ControlDesign& c) {
  const DWORD align = c.align == Align::Center ? SS_CENTER : c.align == Align::Right ? SS_RIGHT : 0;
  const bool icon = c.picture == Picture::ProgramIcon || c.picture == Picture::VoteIcon;
  const DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  const std::map<K, Expected> kinds{
      {K::Label, {L"Static", SS_TYPEMASK | SS_NOTIFY, align | SS_NOTIFY, false, true}},
      {K::Line, {L"Static", SS_TYPEMASK, SS_ETCHEDHORZ, false, false}},
      {K::Image, {L"Static", SS_TYPEMASK, icon ? DWORD{SS_ICON} : SS_BITMAP, false, false}},
      {K::ListBox, {L"ListBox", list, list, true, true}},
      {K::CheckBox, {L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, true, true}},
      {K::OptionButton, {L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, false, true}},
      {K::Frame, {L"Button", BS_TYPEMASK, BS_GROUPBOX, false, true}},
      {K::CommandButton,
       {L"Button", BS_TYPEMASK, c.isDefault ? DWORD{BS_DEFPUSHBUTTON} : 0, true, true}},
      {K::TextBox, {L"Edit", ES_READONLY, c.readOnly ? DWORD{ES_READONLY} : 0, true, true}},
      {K::UpDown, {L"msctls_updown32", UDS_ARROWKEYS, UDS_ARROWKEYS, false, false}},
      {K::ScrollBar, {L"ScrollBar", SBS_VERT, SBS_HORZ, true, false}},
      {K::ComboBox, {L"ComboBox", 3, CBS_DROPDOWNLIST, true, true}},
      {K::PictureBox, {L"Zentab.PictureBox", 0, 0, false, false}},
  };
  return kinds.at(c.kind);
}

// Twips from the form's client area: frames add up.
POINT OriginOf(const FormDesign& form, const ControlDesign& c) {
  POINT at{c.left, c.top};
  for (std::string_view in = c.container; !in.empty();) {
    for (const ControlDesign& frame : form.controls) {
      if (frame.name != in) continue;
      at.x += frame.left, at.y += frame.top;
      in = frame.container;
      break;
    }
  }
  return at;
}

// The menu bar, item by item, as the design lists it; the tray's popup menu is not in it.
void ExpectMenuBar(HWND window, const FormDesign& design) {
  HMENU bar = GetMenu(window), menu = nullptr;
  int menus = 0, item = 0;
  for (const MenuDesign& m : design.menus) {
    if (!m.visibleInBar) continue;
    wchar_t caption[128] = L"";
    if (m.level == 0) {
      GetMenuStringW(bar, static_cast<UINT>(menus), caption, 128, MF_BYPOSITION);
      EXPECT_EQ(caption, Widen(m.caption));
      menu = GetSubMenu(bar, menus++);
      item = 0;
    } else if (m.caption == "-") {
      EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(item++), MF_BYPOSITION) & MF_SEPARATOR);
    } else {
      EXPECT_EQ(GetMenuItemID(menu, item), static_cast<UINT>(m.id)) << m.name;
      GetMenuStringW(menu, static_cast<UINT>(item++), caption, 128, MF_BYPOSITION);
      EXPECT_EQ(caption, Widen(m.caption));
    }
  }
  EXPECT_EQ(GetMenuItemCount(bar), bar ? menus : -1);
}

// At the screen's scale: tests/win/run.sh runs these at 100 % and again at 150 %.
class Design : public ::testing::TestWithParam<const FormDesign& (*)()> {};

TEST_P(Design, IsBuiltAsItSays) {
  const FormDesign& design = GetParam()();
  Win32Form form(design, GetModuleHandleW(nullptr));
  HWND window = Of(form);
  form.SetVisible(true);
  Pump(0.3);
  const UINT dpi = GetDpiForWindow(window);
  RECT frame, work;
  GetWindowRect(window, &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
  EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);

  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, Px(design.clientWidth, dpi));
  EXPECT_EQ(client.bottom, Px(design.clientHeight, dpi));
  EXPECT_EQ(Text(window), Widen(design.caption));
  EXPECT_EQ((Style(window) & WS_MINIMIZEBOX) != 0, design.minButton);
  // An owner that is never shown keeps the window off the taskbar.
  HWND owner = GetWindow(window, GW_OWNER);
  EXPECT_TRUE(owner && !IsWindowVisible(owner));
  ExpectMenuBar(window, design);

  bool optionRun = false;
  for (const ControlDesign& c : design.controls) {
    if (c.kind == K::Timer) continue;
    SCOPED_TRACE(std::string(c.name));
    HWND control = GetDlgItem(window, c.id);
    ASSERT_TRUE(control);
    const Expected expected = ExpectedOf(c);
    wchar_t windowClass[64] = L"";
    GetClassNameW(control, windowClass, 64);
    EXPECT_EQ(_wcsicmp(windowClass, expected.windowClass), 0) << windowClass;
    EXPECT_EQ(Style(control) & expected.mask, expected.value);
    EXPECT_EQ((Style(control) & WS_VISIBLE) != 0, c.visible);
    // In a run of option buttons only the first takes the tab.
    const bool tabStop = expected.focusable || (c.kind == K::OptionButton && !optionRun);
    optionRun = c.kind == K::OptionButton;
    EXPECT_EQ((Style(control) & WS_TABSTOP) != 0, tabStop && c.tabStop);
    if (expected.hasFont && c.kind != K::ListBox && c.kind != K::ComboBox) {
      EXPECT_EQ(Text(control), Widen(c.caption));
    }

    const POINT at = OriginOf(design, c);
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, Px(at.x, dpi));
    EXPECT_EQ(place.top, Px(at.y, dpi));
    EXPECT_EQ(place.right, Px(at.x + c.width, dpi));
    if (c.kind == K::Line) {
      EXPECT_EQ(place.bottom - place.top, 2);
    } else if (c.kind != K::ComboBox) {  // its window holds the dropped list too
      EXPECT_EQ(place.bottom, Px(at.y + c.height, dpi));
    }

    if (!expected.hasFont) continue;
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    if (c.font) {
      EXPECT_EQ(font.lfHeight, -MulDiv(c.font->hundredthsOfPoint, static_cast<int>(dpi), 7200));
      EXPECT_EQ(font.lfUnderline != 0, c.font->underline);
      EXPECT_EQ(font.lfWeight, c.font->bold ? FW_BOLD : FW_NORMAL);
      EXPECT_EQ(font.lfFaceName, Widen(c.font->face));
    } else {
      EXPECT_EQ(font.lfHeight, -MulDiv(9, static_cast<int>(dpi), 72));
      EXPECT_STREQ(font.lfFaceName, L"MS UI Gothic");
    }
  }
  SaveScreenshot(window, std::string(design.name) + "-" + std::to_string(dpi * 100 / 96));
}

INSTANTIATE_TEST_SUITE_P(Windows, Design,
                         ::testing::Values(MainWindowDesign, OptionsDesign, AboutDesign,
                                           VoteDesign),
                         [](const auto& shown) { return std::string(shown.param().name); });

// Runs `step` from the message loop of the dialog or menu shown next.
void WhileShown(std::function<void()> step) {
  static std::function<void()> pending;
  pending = std::move(step);
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    pending();
  });
}

// A form with its events recorded.
struct Recorded {
  explicit Recorded(const FormDesign& design) : form(design, GetModuleHandleW(nullptr)) {
    form.SetEvents(&events);
  }
  HWND Control(int id) { return GetDlgItem(Of(form), id); }
  Win32Form form;
  Recorder events;
};

TEST(Controls, ListsLabelsBoxesTheTrayReceiverAndTheTimerOfTheMainWindow) {
  using namespace main_window;
  Recorded main(MainWindowDesign());
  ListBox& list = main.form.Get(WatchLst);
  for (const std::string line : {"ID 0 : 窓 - http://a.example/", "\xF0\x9F\x98\x80\t\r\nx", "b"})
    list.AddItem(line);
  EXPECT_EQ(list.List(0), "ID 0 : 窓 - http://a.example/");  // in the order added
  list.RemoveItem(2);
  list.SetListIndex(1);
  EXPECT_EQ(list.ListIndex(), 1);
  list.SetListIndex(-1);
  EXPECT_EQ(list.ListIndex(), -1);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListCount(), 1);
  EXPECT_EQ(list.List(0), "\xF0\x9F\x98\x80\t\r\nx");
  EXPECT_EQ(list.List(5), "");
  // A lone surrogate from the shell cannot stand in UTF-8: it comes back as U+FFFD.
  SendMessageW(main.Control(WatchLst.id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"\xD800"));
  EXPECT_EQ(list.List(1), "\xEF\xBF\xBD");
  SendMessageW(main.Control(WatchLst.id), WM_LBUTTONDBLCLK, 0, MAKELPARAM(4, 4));

  Label& counter = main.form.Get(MaxWatchNum);
  counter.SetCaption("3/10");
  EXPECT_EQ(counter.Caption(), "3/10");

  CheckBox& pause = main.form.Get(IsPastLogMake);
  SendMessageW(main.Control(IsPastLogMake.id), BM_CLICK, 0, 0);
  EXPECT_EQ(pause.Value(), 1);
  pause.SetValue(0);
  EXPECT_EQ(pause.Value(), 0);

  // The tray's callback message is the left button's, with the shell's mouse message in x.
  SendMessageW(main.Control(SysTrayPic.id), WM_LBUTTONDOWN, 0, MAKELPARAM(515, 0));
  main.form.Get(WatchTmr).SetInterval(30);
  EXPECT_TRUE(PumpUntil([&] { return main.events.Saw("Tick WatchTmr"); }));
  EXPECT_TRUE(main.events.Saw("DblClick WatchLst"));
  EXPECT_TRUE(main.events.Saw("MouseDown SysTrayPic 1 515"));
}

TEST(Controls, OptionButtonsNumberBoxesTheBarAndButtonsOfTheOptionsDialog) {
  using namespace options_dialog;
  Recorded options(OptionsDesign());
  options.form.Get(IsChkModeOp0).SetValue(true);
  options.form.Get(IsChkModeOp2).SetValue(true);
  EXPECT_FALSE(options.form.Get(IsChkModeOp0).Value());
  EXPECT_TRUE(options.form.Get(IsChkModeOp2).Value());

  // The arrow keys in the box turn its spin control, which says so.
  RangeControl& spin = options.form.Get(HMWatchUD);
  spin.SetValue(140);
  EXPECT_EQ(spin.Value(), 100);
  spin.SetValue(5);
  options.form.SetVisible(true);
  SetFocus(options.Control(HMWatch.id));
  PostMessageW(options.Control(HMWatch.id), WM_KEYDOWN, VK_UP, 0);
  EXPECT_TRUE(PumpUntil([&] { return options.events.Saw("Change HMWatchUD"); }));
  EXPECT_EQ(spin.Value(), 6);

  RangeControl& bar = options.form.Get(HSInterval);
  const auto scroll = [&](WORD request) {
    SendMessageW(Of(options.form), WM_HSCROLL, request,
                 reinterpret_cast<LPARAM>(options.Control(HSInterval.id)));
    return bar.Value();
  };
  bar.SetValue(10);
  EXPECT_EQ(scroll(SB_LINERIGHT), 11);
  EXPECT_EQ(scroll(SB_PAGERIGHT), 16);
  EXPECT_EQ(scroll(SB_LINELEFT), 15);
  EXPECT_EQ(scroll(SB_RIGHT), 30);
  EXPECT_EQ(scroll(SB_LEFT), 1);
  EXPECT_EQ(
      std::count(options.events.events.begin(), options.events.events.end(), "Change HSInterval"),
      5);

  // A new default button is drawn as such, the old one no longer.
  const auto drawnDefault = [&](auto button) {
    return (Style(options.Control(button.id)) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  };
  options.form.SetDefaultButton(cmdCancel);
  EXPECT_TRUE(drawnDefault(cmdCancel));
  EXPECT_FALSE(drawnDefault(cmdOK));

  SendMessageW(options.Control(cmdOK.id), BM_CLICK, 0, 0);
  EXPECT_TRUE(options.events.Saw("Click cmdOK"));
}

TEST(Controls, TheAboutWindowsLinkTakesClicksAndDrawsInItsOwnColour) {
  Recorded about(AboutDesign());
  HWND link = about.Control(about_window::URL.id);
  SendMessageW(link, WM_LBUTTONDOWN, 0, 0);
  SendMessageW(link, WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(about.events.Saw("Click URL"));
  // It draws on the window's face in its own colour.
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(Of(about.form), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  DeleteDC(dc);
}

TEST(Controls, APointerRestingOnAListShowsItsTip) {
  Recorded main(MainWindowDesign());
  main.form.Get(main_window::PastLst).SetToolTipText("ダブルクリックするとその項目を復元します。");
  main.form.SetVisible(true);
  SetForegroundWindow(Of(main.form));
  RECT list;
  GetWindowRect(main.Control(main_window::PastLst.id), &list);
  SetCursorPos((list.left + list.right) / 2, (list.top + list.bottom) / 2);
  HWND tip = nullptr;
  const auto shown = [&] {
    tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    return tip && IsWindowVisible(tip);
  };
  ASSERT_TRUE(PumpUntil(shown, 5));
  EXPECT_EQ(Text(tip), L"ダブルクリックするとその項目を復元します。");
  SetCursorPos(0, 2000);
}

TEST(Menus, TheTrayMenuPopsUpAsDesignedReopenAllInBoldAndAnItemGreyedOut) {
  using namespace main_window;
  Win32Form form(MainWindowDesign(), GetModuleHandleW(nullptr));
  std::wstring shown, designed;
  UINT bold = 0, grey = 0;
  WhileShown([&] {
    HWND popup = FindWindowW(L"#32768", nullptr);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, 0x01E1, 0, 0));  // MN_GETHMENU
    for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
      wchar_t caption[128] = L"-";
      GetMenuStringW(menu, i, caption, 128, MF_BYPOSITION);  // a separator leaves it
      shown += std::wstring(caption[0] ? caption : L"-") + L"|";
    }
    SaveScreenshot(popup, "TrayMenu");
    bold = GetMenuDefaultItem(menu, FALSE, 0);
    grey = GetMenuState(menu, TMCmdOpenLastSession.id, MF_BYCOMMAND) & MF_GRAYED;
    EndMenu();
  });
  form.SetMenuItemEnabled(TMCmdOpenLastSession, false);
  form.PopupMenu(std::string(TaskTrayMenu), std::string(TMAllZentab));
  for (const MenuDesign& m : MainWindowDesign().menus) {
    if (!m.visibleInBar && m.level == 1) designed += Widen(m.caption) + L"|";
  }
  EXPECT_EQ(shown, designed);
  EXPECT_EQ(bold, static_cast<UINT>(TMAllZentab.id));
  EXPECT_TRUE(grey);
}

TEST(Notices, TheSessionsEndAndANewScaleReachTheProgram) {
  Win32Form form(MainWindowDesign(), GetModuleHandleW(nullptr));
  std::vector<bool> ended;
  form.OnSessionEnded([&](bool ending) { ended.push_back(ending); });
  HWND window = Of(form);
  EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(window, WM_ENDSESSION, FALSE, 0);
  SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ended, (std::vector<bool>{false, true}));
  // Moved to a screen of another scale, the window takes its size there.
  form.SetVisible(true);
  RECT before, after;
  GetWindowRect(window, &before);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&before));
  GetWindowRect(window, &after);
  EXPECT_GT(after.right - after.left, (before.right - before.left) * 19 / 10);
  EXPECT_GT(after.bottom - after.top, (before.bottom - before.top) * 17 / 10);
}

// A dialog's logic that records its events and unloads on Esc.
struct Dialog : ModalForm {
  Dialog(FormView& shown, Recorder& recorder) : view(shown), events(recorder) {}
  void Load() override { events.events.push_back("Load"); }
  bool QueryUnload() override { return events.QueryUnload(); }
  void Click(std::string_view c) override {
    events.Click(c);
    if (c == options_dialog::cmdCancel) view.Window().Unload();
  }
  FormView& view;
  Recorder& events;
};

// Enter presses the default button only while the user could press it himself.
TEST(ModalHost, TheOtherWindowsWaitWhileEnterAndEscPressTheDialogsButtonsThenComeBack) {
  Win32Form main(MainWindowDesign(), GetModuleHandleW(nullptr));
  Win32FormHost host(GetModuleHandleW(nullptr));
  for (const bool disabled : {false, true}) {
    Recorder events;
    bool waited = false, activated = false;
    WhileShown([&] {
      waited = !IsWindowEnabled(Of(main));
      activated = host.ActivateModal();
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    host.ShowModal(OptionsDesign(), [&](FormView& view) {
      view.Get(options_dialog::cmdOK).SetEnabled(!disabled);
      return std::make_unique<Dialog>(view, events);
    });
    EXPECT_TRUE(waited && activated);
    EXPECT_TRUE(IsWindowEnabled(Of(main)));
    EXPECT_FALSE(host.ActivateModal());
    using Events = std::vector<std::string>;
    EXPECT_EQ(events.events, (disabled ? Events{"Load", "Click cmdCancel"}
                                       : Events{"Load", "Click cmdOK", "Click cmdCancel"}));
  }
}

}  // namespace
}  // namespace zentab::test
