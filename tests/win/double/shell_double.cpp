// A stand-in for the shell's ShellWindows and InternetExplorer classes, served in process. Its
// windows come from scenario.txt beside the DLL, one "title<TAB>address" a line in UTF-8;
// "!fail <call> [position]" makes that call fail. What it is asked to do goes to calls.txt there;
// live-<pid>.txt holds the number of its objects alive in that process. Only what the program
// calls is implemented.
#include <exdisp.h>
#include <olectl.h>
#include <windows.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/utf.h"

namespace {

HMODULE g_module;
LONG g_live;

struct Scenario {
  std::vector<std::pair<std::wstring, std::wstring>> windows;  // title, address
  std::set<std::wstring> failures;                             // "url 2", "count", ...
};

std::wstring Beside(const std::wstring& name) {
  wchar_t path[MAX_PATH];
  std::wstring dll(path, GetModuleFileNameW(g_module, path, MAX_PATH));
  return dll.substr(0, dll.rfind(L'\\') + 1) + name;
}

// Read again only when the file changed: a scan asks for many windows.
const Scenario& Current() {
  static Scenario scenario;
  static FILETIME seen{};
  static DWORD seenSize = ~0u;
  const std::wstring path = Beside(L"scenario.txt");
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file)) return scenario = {};
  if (CompareFileTime(&file.ftLastWriteTime, &seen) == 0 && file.nFileSizeLow == seenSize)
    return scenario;
  seen = file.ftLastWriteTime;
  seenSize = file.nFileSizeLow;
  scenario = {};
  std::ifstream in(path.c_str(), std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::wstring wide = zentab::Widen(line);
    if (wide.starts_with(L"!fail ")) {
      scenario.failures.insert(wide.substr(6));
    } else if (const size_t tab = wide.find(L'\t'); tab != std::wstring::npos) {
      scenario.windows.emplace_back(wide.substr(0, tab), wide.substr(tab + 1));
    }
  }
  return scenario;
}

bool Fails(const std::wstring& call, long position = -1) {
  const auto& failures = Current().failures;
  return failures.contains(call) || failures.contains(call + L" " + std::to_wstring(position));
}

void Log(const std::wstring& line) {
  std::ofstream(Beside(L"calls.txt").c_str(), std::ios::binary | std::ios::app)
      << zentab::Narrow(line) << "\n";
}

void CountLive(LONG change) {
  const LONG live = InterlockedAdd(&g_live, change);
  std::ofstream(Beside(L"live-" + std::to_wstring(GetCurrentProcessId()) + L".txt").c_str())
      << live;
}

// clang-format off
#define STUB(...) STDMETHODIMP __VA_ARGS__ override { return E_NOTIMPL; }
// clang-format on

// Reference counting and the interfaces an object answers to.
template <class Interface>
class Object : public Interface {
 public:
  Object() { CountLive(1); }
  virtual ~Object() { CountLive(-1); }
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != __uuidof(Interface))
      return E_NOINTERFACE;
    *out = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = --refs_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  // clang-format off
  STUB(GetTypeInfoCount(UINT*)) STUB(GetTypeInfo(UINT, LCID, ITypeInfo**))
  STUB(GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*))
  STUB(Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*))
      // clang-format on

      private : LONG refs_ = 1;
};

// A window of the scenario at its position, or a new one (position -1).
class Browser final : public Object<IWebBrowser2> {
 public:
  explicit Browser(long position) : position_(position) {}

  STDMETHODIMP get_LocationURL(BSTR* url) override { return Read(L"url", false, url); }
  STDMETHODIMP get_LocationName(BSTR* name) override { return Read(L"name", true, name); }
  STDMETHODIMP Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
    if (!url || url->vt != VT_BSTR || Fails(L"navigate", position_)) return E_FAIL;
    Log(L"navigate " + Name() + L" " + std::wstring(url->bstrVal, SysStringLen(url->bstrVal)));
    return S_OK;
  }
  STDMETHODIMP put_Visible(VARIANT_BOOL visible) override {
    if (Fails(L"visible")) return E_FAIL;
    Log(L"visible " + Name() + L" " + std::to_wstring(visible));
    return S_OK;
  }

  // clang-format off
  STUB(GoBack()) STUB(GoForward()) STUB(GoHome()) STUB(GoSearch()) STUB(Refresh()) STUB(Stop())
  STUB(Navigate(BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*)) STUB(Refresh2(VARIANT*))
  STUB(get_Application(IDispatch**)) STUB(get_Parent(IDispatch**)) STUB(get_Container(IDispatch**))
  STUB(get_Document(IDispatch**)) STUB(get_TopLevelContainer(VARIANT_BOOL*)) STUB(get_Type(BSTR*))
  STUB(get_Left(LONG*)) STUB(put_Left(LONG)) STUB(get_Top(LONG*)) STUB(put_Top(LONG))
  STUB(get_Width(LONG*)) STUB(put_Width(LONG)) STUB(get_Height(LONG*)) STUB(put_Height(LONG))
  STUB(get_Busy(VARIANT_BOOL*)) STUB(Quit()) STUB(ClientToWindow(int*, int*))
  STUB(PutProperty(BSTR, VARIANT)) STUB(GetProperty(BSTR, VARIANT*)) STUB(get_Name(BSTR*))
  STUB(get_HWND(SHANDLE_PTR*)) STUB(get_FullName(BSTR*)) STUB(get_Path(BSTR*))
  STUB(get_Visible(VARIANT_BOOL*)) STUB(get_StatusBar(VARIANT_BOOL*)) STUB(put_StatusBar(VARIANT_BOOL))
  STUB(get_StatusText(BSTR*)) STUB(put_StatusText(BSTR)) STUB(get_ToolBar(int*)) STUB(put_ToolBar(int))
  STUB(get_MenuBar(VARIANT_BOOL*)) STUB(put_MenuBar(VARIANT_BOOL)) STUB(get_FullScreen(VARIANT_BOOL*))
  STUB(put_FullScreen(VARIANT_BOOL)) STUB(QueryStatusWB(OLECMDID, OLECMDF*))
  STUB(ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*)) STUB(ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*))
  STUB(get_ReadyState(READYSTATE*)) STUB(get_Offline(VARIANT_BOOL*)) STUB(put_Offline(VARIANT_BOOL))
  STUB(get_Silent(VARIANT_BOOL*)) STUB(put_Silent(VARIANT_BOOL)) STUB(get_RegisterAsBrowser(VARIANT_BOOL*))
  STUB(put_RegisterAsBrowser(VARIANT_BOOL)) STUB(get_RegisterAsDropTarget(VARIANT_BOOL*))
  STUB(put_RegisterAsDropTarget(VARIANT_BOOL)) STUB(get_TheaterMode(VARIANT_BOOL*))
  STUB(put_TheaterMode(VARIANT_BOOL)) STUB(get_AddressBar(VARIANT_BOOL*)) STUB(put_AddressBar(VARIANT_BOOL))
  STUB(get_Resizable(VARIANT_BOOL*)) STUB(put_Resizable(VARIANT_BOOL))
      // clang-format on

      private : std::wstring Name() const {
    return position_ < 0 ? L"new" : std::to_wstring(position_);
  }
  // A window that has gone since the scan found it fails, as a closed browser does.
  HRESULT Read(const wchar_t* call, bool title, BSTR* out) {
    const auto& windows = Current().windows;
    if (!out || position_ < 0 || position_ >= static_cast<long>(windows.size()) ||
        Fails(call, position_)) {
      return E_FAIL;
    }
    const auto& window = windows[static_cast<size_t>(position_)];
    const std::wstring& text = title ? window.first : window.second;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  long position_;
};

class ShellWindows final : public Object<IShellWindows> {
 public:
  STDMETHODIMP get_Count(LONG* count) override {
    if (Fails(L"count")) return E_FAIL;
    *count = static_cast<LONG>(Current().windows.size());
    return S_OK;
  }
  // Past the end: S_FALSE and no window, as the shell answers.
  STDMETHODIMP Item(VARIANT index, IDispatch** window) override {
    *window = nullptr;
    VARIANT position;
    VariantInit(&position);
    if (FAILED(VariantChangeType(&position, &index, 0, VT_I4))) return E_INVALIDARG;
    if (Fails(L"item", position.lVal)) return E_FAIL;
    if (position.lVal < 0 || position.lVal >= static_cast<long>(Current().windows.size()))
      return S_FALSE;
    *window = new Browser(position.lVal);
    return S_OK;
  }
  // clang-format off
  STUB(_NewEnum(IUnknown**)) STUB(Register(IDispatch*, LONG, int, LONG*)) STUB(Revoke(LONG))
  STUB(RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*)) STUB(OnNavigate(LONG, VARIANT*))
  STUB(OnActivated(LONG, VARIANT_BOOL)) STUB(FindWindowSW(VARIANT*, VARIANT*, int, LONG*, int, IDispatch**))
  STUB(OnCreated(LONG, IUnknown*)) STUB(ProcessAttachDetach(VARIANT_BOOL))
  // clang-format on
};

class Factory final : public IClassFactory {
 public:
  explicit Factory(bool shellWindows) : shellWindows_(shellWindows) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  // Static objects: nothing to count.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!shellWindows_ && Fails(L"create")) return REGDB_E_CLASSNOTREG;
    if (!shellWindows_) Log(L"create");
    IUnknown* made = shellWindows_ ? static_cast<IUnknown*>(new ShellWindows)
                                   : static_cast<IUnknown*>(new Browser(-1));
    const HRESULT result = made->QueryInterface(iid, out);
    made->Release();
    return result;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  bool shellWindows_;
};

Factory g_shellWindows(true);
Factory g_internetExplorer(false);

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (clsid == CLSID_ShellWindows) return g_shellWindows.QueryInterface(iid, out);
  if (clsid == CLSID_InternetExplorer) return g_internetExplorer.QueryInterface(iid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return g_live == 0 ? S_OK : S_FALSE;
}
