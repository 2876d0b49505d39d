#include "framework/THtmlHelp.h"

namespace {

// The control stays loaded from its first use to the end of the program.
class THelpControl {
public:
    ~THelpControl()
    {
        if (Module)
            ::FreeLibrary(Module);
    }
    THtmlHelp::Entry GetEntry()
    {
        if (Override)
            return Override;
        if (!Loaded) {
            Loaded = true;
            Module = ::LoadLibraryA("hhctrl.ocx");
            if (Module)
                Own = reinterpret_cast<THtmlHelp::Entry>(
                    reinterpret_cast<void*>(::GetProcAddress(Module, "HtmlHelpA")));
        }
        return Own;
    }

    THtmlHelp::Entry Override = nullptr;

private:
    bool Loaded = false;
    HMODULE Module = nullptr;
    THtmlHelp::Entry Own = nullptr;
};

THelpControl& Control()
{
    static THelpControl control;
    return control;
}

}  // namespace

HWND THtmlHelp::ShowContext(HWND owner, const char* helpFile, DWORD contextId)
{
    return Call(owner, helpFile, HelpContext, contextId);
}

HWND THtmlHelp::Call(HWND owner, const char* helpFile, UINT command, DWORD_PTR data)
{
    const Entry entry = Control().GetEntry();
    return entry ? entry(owner, helpFile, command, data) : nullptr;
}

void THtmlHelp::SetEntry(Entry entry)
{
    Control().Override = entry;
}
