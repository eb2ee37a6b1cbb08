// Identifiers shared by the resource script and the code.
#pragma once

// The application icon; the lowest icon id, so the shell shows it for the exe.
#define IDI_PLUMBMARK 1
