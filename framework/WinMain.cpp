#include <windows.h>
#include <string>
#include <vector>
#include "framework/TApplication.h"
#include "framework/TCommandLine.h"

// The process entry of a program built on the framework: the command line
// split into words, with the executable's full path as the first, goes to
// the program's OwlMain.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow)
{
    TApplication::SetStartup(instance, cmdShow);
    std::vector<std::string> words = TCommandLine::Split(::GetCommandLineA());
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (words.empty())
        words.emplace_back(path, n);
    else if (n)
        words[0].assign(path, n);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    return OwlMain(int(words.size()), argv.data());
}
