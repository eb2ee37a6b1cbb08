// The entry point of plumbmark.exe: the Win32 backend, the forms layer and
// the program, then the message loop until the program ends.
#include <exception>

#include "platform/forms.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/windows_api.h"
#include "program.h"

namespace {

// Tells the user why the program could not start or go on.
void ReportFatal(const char* what) {
  const std::wstring text = plumbmark::win32::WideText(
      std::string("予期しないエラーが発生したため、Plumbmark を終了します。\n\n") + what);
  MessageBoxW(nullptr, text.c_str(), L"Plumbmark", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

int Run(HINSTANCE instance) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  plumbmark::win32::Win32Backend backend(instance);
  plumbmark::forms::Application app(backend);
  backend.Attach(app);
  plumbmark::Plumbmark program(app);
  if (!program.Start()) return 0;
  return backend.RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  try {
    return Run(instance);
  } catch (const std::exception& error) {
    ReportFatal(error.what());
  } catch (...) {
    ReportFatal("unknown exception");
  }
  return 1;
}
