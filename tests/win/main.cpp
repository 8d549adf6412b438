// The Win32 layer's tests: one process under Wine, with OLE and the common controls set up as
// zentab.exe sets them up.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"
#include "win_test.h"

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring_view(argv[1]) == L"probe")
    return zentab::test::Probe(argc - 1, argv + 1);
  testing::InitGoogleTest(&argc, argv);
  if (FAILED(OleInitialize(nullptr))) return 2;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  if (!InitCommonControlsEx(&controls)) return 2;
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
