#pragma once
#include <string>
#include "framework/TApplication.h"

class TMainWin;

// The application object: the program path and the one command-line
// argument, the main window and its accelerators.
class TTonalyxApp : public TApplication {
public:
    TTonalyxApp(const char* programPath, const char* commandLineArg);

    void InitMainWindow() override;
    void InitInstance() override;

    TMainWin* GetMainWin() const;

    std::string ProgramPath;
    std::string CommandLineArg;
};
