// The entry point of plumbmark.exe: the program on the Win32 backend, run
// until it ends; a failure that escapes both is reported here.
#include <exception>

#include "forms.h"
#include "program.h"
#include "system_error.h"
#include "system_library.h"
#include "win32_backend.h"
#include "windows_api.h"

namespace {

// Starts the program on the backend and runs it; returns the exit code.
int Run(HINSTANCE instance) {
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
  plumbmark::win32::HardenDllSearch();
  try {
    return Run(instance);
  } catch (const std::exception& error) {
    plumbmark::win32::ReportFatal(error.what());
  } catch (...) {
    plumbmark::win32::ReportFatal("unknown exception");
  }
  return plumbmark::win32::kFailureExitCode;
}
