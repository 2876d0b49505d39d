#include "framework/THtmlHelp.h"

#include <string>

#include "base/TEngineHost.h"

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

    // The entry of the control once loaded, without loading it.
    THtmlHelp::Entry LoadedEntry() const { return Override ? Override : Own; }
    // Whether the control was tried and found lacking.
    bool ControlMissing() const { return Loaded && !Module; }

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

namespace {

void Report(const std::string& text)
{
    TEngineHost::Get().ShowMessage(text, "Tonalyx", TEngineHost::MsgOk | TEngineHost::MsgIconExclamation);
}

bool FileExists(const char* path)
{
    const DWORD attributes = path ? ::GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

HWND THtmlHelp::Call(HWND owner, const char* helpFile, UINT command, DWORD_PTR data)
{
    THelpControl& control = Control();
    const Entry entry = control.GetEntry();
    if (!entry) {
        Report(control.ControlMissing() ? "The help viewer (hhctrl.ocx) could not be loaded."
                                        : "The help viewer (hhctrl.ocx) has no entry HtmlHelpA.");
        return nullptr;
    }
    // A replaced entry answers for itself.
    if (control.Override)
        return entry(owner, helpFile, command, data);
    const std::string file = helpFile ? helpFile : "";
    if (!FileExists(helpFile)) {
        Report("The help file " + file + " was not found.");
        return nullptr;
    }
    const HWND viewer = entry(owner, helpFile, command, data);
    if (!viewer)
        Report("The help viewer could not show " + file + ".");
    return viewer;
}

void THtmlHelp::CloseAllViewers()
{
    if (const Entry entry = Control().LoadedEntry())
        entry(nullptr, nullptr, CloseAll, 0);
}

void THtmlHelp::SetEntry(Entry entry)
{
    Control().Override = entry;
}
