// The folder the program file lies in, as the forms layer reports it.
#pragma once

#include <string>

namespace plumbmark::win32 {

// The folder of plumbmark.exe, whatever its length and characters.
std::string ProgramFolder();

}  // namespace plumbmark::win32
