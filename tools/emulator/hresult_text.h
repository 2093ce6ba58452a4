// HRESULTs as the emulator prints them: "0x80040154 REGDB_E_CLASSNOTREG".
#pragma once
#include <windows.h>

#include <string>

std::wstring HResultText(HRESULT hr);
