#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "tests/shell/ExpectedKeys.h"

// A fresh folder under the temporary folder, removed with its files at the end.
class TTempFolder {
public:
    TTempFolder()
    {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        static int serial = 0;
        Path = std::string(base) + "tonalyx_shell_" + std::to_string(::GetCurrentProcessId()) + "_"
            + std::to_string(++serial);
        ::CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TTempFolder()
    {
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA((Path + "\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileA((Path + "\\" + found.cFileName).c_str());
            } while (::FindNextFileA(h, &found));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(Path.c_str());
    }
    std::string File(const char* name) const { return Path + "\\" + name; }
    std::string Path;
};

struct TIniLine {
    std::string Section, Key, Value;
};

// The entries of a settings file in file order.
inline std::vector<TIniLine> ReadIniLines(const std::string& path)
{
    std::vector<TIniLine> lines;
    std::ifstream in(path);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        size_t eq = line.find('=');
        lines.push_back({section, line.substr(0, eq), eq == std::string::npos ? "" : line.substr(eq + 1)});
    }
    return lines;
}

// The text a fresh writer produces for a key of the table.
inline std::string ExpectedText(const TExpectedKey& k)
{
    std::string type = k.Type;
    std::string key = k.Key;
    if (key == "CalibrationStructTypeID" || key == "ScalingStructTypeID") return "102";
    // The reader fills an empty macro output name from the macro folder.
    if (key == "OutputFilename") return "..\\.\\macro\\macro_output.txt";
    char text[64];
    if (type == "f") {
        std::snprintf(text, sizeof text, *k.Format ? k.Format : "%f", double(float(std::strtod(k.Default, nullptr))));
        // The profile functions drop a value's leading blanks.
        std::string padded = text;
        return padded.substr(padded.find_first_not_of(' '));
    }
    if (type == "c") return std::to_string(std::strtoul(k.Default, nullptr, 0));
    return k.Default;
}

// Compares a written file with the table: same keys in the same order, each
// with the default text. Device names depend on the machine and are only
// checked for presence; sections outside the settings model are skipped.
inline void ExpectDefaultFile(const std::string& path)
{
    std::vector<TIniLine> lines;
    for (const TIniLine& l : ReadIniLines(path))
        if (l.Section != "FileHistory" && l.Section != "Placement") lines.push_back(l);
    size_t count = sizeof ExpectedKeys / sizeof ExpectedKeys[0];
    ASSERT_EQ(lines.size(), count);
    for (size_t i = 0; i < count; ++i) {
        const TExpectedKey& k = ExpectedKeys[i];
        SCOPED_TRACE(std::string(k.Section) + "/" + k.Key);
        EXPECT_EQ(lines[i].Section, k.Section);
        EXPECT_EQ(lines[i].Key, k.Key);
        const std::string section = k.Section, key = k.Key;
        if (section == "SpectrumOpts" && (key == "StartFreq" || key == "StopFreq")) {
            // The spectrum view a fresh start opens snaps its range to the
            // engine's: the bin at 5 Hz (bins of 44100 / 16384 Hz) and at
            // most the Nyquist frequency.
            const double value = std::strtod(lines[i].Value.c_str(), nullptr);
            if (key == "StartFreq") {
                EXPECT_NEAR(value, 5.0, 44100.0 / 16384);
            } else {
                EXPECT_TRUE(value > 21000.0 && value <= 22050.0) << value;
            }
            continue;
        }
        if (section != "Device") {
            EXPECT_EQ(lines[i].Value, ExpectedText(k));
        }
    }
}

inline void WriteIni(const std::string& path, const char* text)
{
    std::ofstream(path) << text;
}

// A dropped-files handle as the shell builds it, holding ANSI names.
inline HDROP MakeDrop(const std::vector<std::string>& files)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& f : files) size += f.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    char* p = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& f : files) {
        std::memcpy(p, f.c_str(), f.size() + 1);
        p += f.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}
