#pragma once
#include <cstdint>

// Section "MacroOpts".
struct MacroSettings {
    static constexpr int ButtonCount = 6;

    char MacroFilename[260] = {};
    uint32_t OverwriteFlag = 1;
    char OutputFilename[260] = {};
    char OutputViewerProgram[260] = "notepad.exe";
    uint32_t ShowUserBtnToolbar = 0;
    char BtnLabel[ButtonCount][12] = {"Test 1", "Test 2", "Test 3", "Test 4", "Test 5", "Test 6"};
    char BtnFilename[ButtonCount][260] = {};
};
