// The files the program writes for other programs and for its own later
// runs (its INI at exit, the undo copy saved before a configuration loads, a
// macro's output file) stay byte for byte what the program wrote before from
// the same start. The fixtures under automation/stored were written by the
// program; the test folder's path stands in them as "<folder>".
#include <cctype>
#include <cstdlib>
#include <cstring>
#include "tests/automation/ProgramRun.h"

namespace {

std::string FixturePath(const std::string& name)
{
    return std::string(TONALYX_FIXTURES) + "/automation/stored/" + name;
}

// Bytes as they are: line ends count.
std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class TStoredFiles : public TProgramRun {
protected:
    void SetUp() override
    {
        TProgramRun::SetUp();
        for (const char* key : {"Wav", "cfg", "cal", "mic", "ovl", "txt", "rvb", "thd", "filter"})
            Set("Paths", key, Folder.Path.c_str());
        Set("Settings", "SamplingRate", "48000");
    }
    // A file of the folder as text, with the folder's path replaced.
    std::string Written(const std::string& name)
    {
        std::string text = ReadBytes(Folder.File(name));
        // The program keeps a command-line file's path in capitals.
        std::string upper = text, folder = Folder.Path;
        for (std::string* s : {&upper, &folder})
            for (char& c : *s) c = char(std::toupper(static_cast<unsigned char>(c)));
        for (size_t at = upper.find(folder); at != std::string::npos; at = upper.find(folder, at + 1)) {
            text.replace(at, folder.size(), "<folder>");
            upper.replace(at, folder.size(), "<folder>");
        }
        // The sound devices are those of the machine the test runs on.
        for (const char* key : {"InputDeviceName=", "OutputDeviceName="})
            for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
                const size_t value = at + std::strlen(key);
                text.replace(value, text.find('\r', value) - value, "<device>");
            }
        return text;
    }
    bool Idle(HWND macro) { return ::IsWindowEnabled(::GetDlgItem(macro, 101)) != FALSE; }
};

}  // namespace

TEST_F(TStoredFiles, IniConfigurationAndMacroOutputAsBefore)
{
    // A configuration loaded at start: the settings it replaces go to the undo copy first.
    ASSERT_TRUE(::CopyFileA(FixturePath("start.cfg").c_str(), Folder.File("start.cfg").c_str(), FALSE));
    Start("\"" + Folder.File("start.cfg") + "\"");
    ASSERT_TRUE(WaitUntil([&] { return !ReadBytes(Folder.File("-Undo.cfg")).empty(); }, 20000));
    EXPECT_EQ(Exit(), 0u);
    ::CloseHandle(Process.hProcess);
    ::CloseHandle(Process.hThread);
    Process = {};

    // A macro that changes settings and writes what it reads back.
    ASSERT_TRUE(::CopyFileA(FixturePath("settings.mac").c_str(), Folder.File("settings.mac").c_str(), FALSE));
    Start("\"" + Folder.File("settings.mac") + "\"");
    HWND macro = Window("MacroProcessorClass");
    ASSERT_TRUE(macro);
    ASSERT_TRUE(WaitUntil([&] { return Idle(macro); }, 15000));
    EXPECT_EQ(Exit(), 0u);

    const struct { const char* Written; const char* Fixture; } files[] = {
        {"-Undo.cfg", "undo.cfg"}, {"macro_output.txt", "macro_output.txt"}, {"Tonalyx.ini", "Tonalyx.ini"}};
    for (const auto& f : files) {
        // Set only where a change of a stored format is meant: the build then writes the new fixtures.
        if (std::getenv("TONALYX_WRITE_STORED_FIXTURES"))
            std::ofstream(FixturePath(f.Fixture), std::ios::binary) << Written(f.Written);
        EXPECT_EQ(Written(f.Written), ReadBytes(FixturePath(f.Fixture))) << f.Written;
    }
}
