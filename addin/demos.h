// Internal settings of the demonstration procedures (members 0 to 6).
#pragma once
#include <windows.h>

// Shortens the wait after ShowInStatusLine has shown its text (normally
// 5000 ms). For tests only; the platform cannot reach it.
void SetStatusLineWaitForTests(DWORD waitMs);
