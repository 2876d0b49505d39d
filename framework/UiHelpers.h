#pragma once
#include <windows.h>
#include <cstdint>
#include "framework/TColor.h"
#include "framework/TRect.h"

class TWindow;

// Free helpers shared by the shell, the views and the dialogs.

// The module whose string table LoadStr reads; set once at start-up.
void SetStringInstance(HINSTANCE instance);
// The text of string id in one static buffer, overwritten by the next call.
const char* LoadStr(uint16_t id);

// Moves dialog to the middle of mainWindow's client area, its size unchanged.
void CenterWindow(HWND mainWindow, HWND dialog);

// Seconds as "h:mm:ss.mmm" and its shorter forms (see FormatTime.cpp); the
// text lives in a static buffer that the next call overwrites.
const char* FormatTime(float seconds, bool withMilliseconds, bool fullForm);

TRect ClientToScreenRect(HWND window, const TRect& rect);
TRect ScreenToClientRect(HWND window, const TRect& rect);

// The system colour dialog started at initial; cancelling returns initial.
TColor ChooseColorDialog(TWindow* owner, TColor initial);
// The sixteen custom colours the chooser starts with for a given initial colour.
void DefaultCustomColors(COLORREF initial, COLORREF colors[16]);

// Which Windows generation runs the program.
bool IsWin32s();
bool IsWin95();
bool IsWinMe();
bool IsWinNT3();
bool IsWinXP();
bool IsWinNT6();
// The same tests on a given platform id and version.
bool IsWin32s(DWORD platform, DWORD major, DWORD minor);
bool IsWin95(DWORD platform, DWORD major, DWORD minor);
bool IsWinMe(DWORD platform, DWORD major, DWORD minor);
bool IsWinNT3(DWORD platform, DWORD major, DWORD minor);
bool IsWinXP(DWORD platform, DWORD major, DWORD minor);
bool IsWinNT6(DWORD platform, DWORD major, DWORD minor);

bool IsColorDevice(HDC dc);

// Copies source into destination and cuts it at its last backslash (from
// position 1 on), leaving the folder; a bare name is copied whole.
void CopyPathFolder(const char* source, char* destination);

bool FloatsEqualToDigits(float a, float b, int digits);
void SortFloats(float* values, int count);
int CompareFloats(const void* a, const void* b);
