// Checks the compiled resource script against the menu, key and string tables
// that the program's commands and messages are written for.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "resources/CommandIds.h"
#include "resources/AboutDialogRes.h"

namespace {

// A popup shows as id -1 with its title; separators are left out.
struct TItem {
    int Id;
    std::string Text;
    bool operator==(const TItem&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TItem& item)
{
    return out << item.Id << " \"" << item.Text << "\"";
}

void Flatten(HMENU menu, std::vector<TItem>& items)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
        if (info.fType & MFT_SEPARATOR)
            continue;
        if (info.hSubMenu) {
            items.push_back({-1, text});
            Flatten(info.hSubMenu, items);
        } else {
            items.push_back({int(info.wID), text});
        }
    }
}

struct TMenuCase {
    const char* Title;
    std::vector<TItem> Items;
};

const std::vector<TMenuCase> MainMenu = {
    {"&File", {
        {100, "&New..."}, {101, "&Open...\tCtrl+O"}, {102, "&Close"}, {103, "&Save\tCtrl+S"},
        {104, "Save &As...\tCtrl+A"}, {182, "&Delete..."}, {115, "&File I/O Options..."},
        {139, "&Import..."}, {140, "&Export..."}, {183, "Deci&mate..."}, {203, "Mer&ge..."},
        {130, "&Print\tCtrl+P"}, {131, "P&rinter Setup..."}, {138, "Anno&tations and Margins..."},
        {175, "Set Pat&hs..."}, {CM_EXIT, "E&xit\tAlt+F4"}}},
    {"&Edit", {
        {157, "&Undo Edit\tCtrl+Z"}, {143, "Cu&t\tShift+Del"}, {144, "&Copy\tCtrl+Ins"},
        {145, "&Paste Insert\tShift+Ins"}, {146, "Paste &Over"}, {181, "&Mute"},
        {202, "&Gain Adjust"}, {303, "DC O&ffset"}, {179, "Select &All"}, {148, "P&lay"},
        {-1, "Play &Special"}, {156, "&Loop\tCtrl+L"}, {154, "&Half Speed"},
        {155, "&Double Speed"}, {287, "&Arbitrary Speed"}, {147, "&Filter..."}}},
    {"&View", {
        {126, "&Time Series"}, {127, "&Spectrum"}, {135, "&Phase"}, {124, "Spectro&gram"},
        {133, "3&D Surface"}, {134, "&Clear All Views"}, {-1, "Tool&bars"},
        {300, "Main Toolbar"}, {301, "Secondary Toolbar"}, {302, "Lower Statusbar"}}},
    {"&Mode", {{121, "&Real Time"}, {123, "R&ecorder"}, {122, "&Post Process"}}},
    {"&Options", {
        {119, "&Settings...\tF4"}, {117, "Sc&aling...\tF5"}, {128, "&Markers..."},
        {120, "&Trigger...\tF6"}, {129, "&Device..."}, {137, "&Calibration...\tF9"},
        {111, "T&ime Series..."}, {110, "Spect&rum..."}, {136, "&Phase..."},
        {109, "3-D S&urface..."}, {108, "Spectro&gram..."}, {293, "&Reverberation Time..."},
        {296, "P&hase Scope..."}, {306, "&THD+N vs Frequency..."}, {261, "&Delay Finder..."},
        {297, "&Equivalent Noise Level (LEQ)..."}, {161, "&Load Configuration..."},
        {162, "Sa&ve Configuration..."}, {280, "Vie&w Configuration"},
        {163, "Pri&nt Configuration"}}},
    {"&Utilities", {
        {142, "&Signal Generator...\tF11"}, {195, "&Total Harmonic Distortion (THD)"},
        {196, "Total Harmonic Distortion + &Noise (THD+N)"},
        {197, "&Intermodulation Distortion (IMD)"}, {198, "Signal to Noise &Ratio (SNR)"},
        {288, "Signal to Nois&e And Distortion (SINAD)"}, {199, "Peak &Frequency"},
        {200, "Peak &Amplitude"}, {201, "Total P&ower"}, {-1, "&Noise Figure (NF)"},
        {290, "Left vs Right"}, {291, "Right vs Left"}, {260, "&Delay Finder"},
        {298, "Equivalent Noise Level (LEQ)"}, {184, "Save Signal To &Wave File..."},
        {185, "&Lock Signal Generator Channels"}, {294, "&Macro Command Processor"},
        {292, "Rever&beration Time"}, {295, "Stereo &Phase Scope"},
        {305, "Total Harmonic Distortion + Noise (THD+N) &vs Frequency"},
        {-1, "Data Lo&gging"}, {158, "Setup..."}, {159, "On"}, {160, "Off"}, {204, "View..."}}},
    {"&Window", {
        {150, "&Cascade\tShift+F5"}, {151, "&Tile Vertical\tShift+F4"},
        {152, "Tile &Horizontal\tShift+F3"}, {153, "Arrange &Icons"},
        {149, "Close All &Views"}, {205, "Close All &Utilities"}}},
    {"&Help", {
        {176, "&Contents...\tF1"}, {177, "&Search for Help on..."},
        {178, "Application &Notes..."}, {299, "Run &Demonstration Macro..."},
        {270, "&Release Notes..."}, {304, "Go to Website..."},
        {271, "&License Agreement..."}, {118, "&About"}}},
};

TEST(ResourcesTest, MainMenuHoldsEveryItemInOrder)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "MENU_TONALYX");
    ASSERT_NE(menu, nullptr);
    std::vector<TItem> bar;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        bar.push_back({-1, text});
    }
    std::vector<TItem> expectedBar;
    for (const auto& c : MainMenu)
        expectedBar.push_back({-1, c.Title});
    EXPECT_EQ(bar, expectedBar);

    for (size_t i = 0; i < MainMenu.size() && i < bar.size(); ++i) {
        std::vector<TItem> items;
        Flatten(GetSubMenu(menu, int(i)), items);
        EXPECT_EQ(items, MainMenu[i].Items) << MainMenu[i].Title;
    }
    // The Window menu is found by its Cascade item when MDI children are listed.
    EXPECT_NE(GetMenuState(GetSubMenu(menu, 6), CM_CASCADE, MF_BYCOMMAND), UINT(-1));
    DestroyMenu(menu);
}

TEST(ResourcesTest, KeyTableHoldsExactlyTheShortcuts)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "MAIN_ACCELERATORS");
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> loaded(CopyAcceleratorTableA(table, nullptr, 0));
    CopyAcceleratorTableA(table, loaded.data(), int(loaded.size()));

    using TKey = std::tuple<int, int, int>;  // modifiers, virtual key, command
    const BYTE V = FVIRTKEY;
    std::vector<TKey> expected = {
        {V, VK_RETURN, 906}, {V | FALT, 'R', 901}, {V | FALT, 'S', 902}, {V | FALT, 'P', 903},
        {V | FALT, 'D', 904}, {V | FCONTROL, 'O', 101}, {V | FCONTROL, 'S', 103},
        {V | FCONTROL, 'A', 104}, {V | FCONTROL, 'P', 130}, {V | FCONTROL, 'Z', 157},
        {V | FSHIFT, VK_DELETE, 143}, {V | FCONTROL, VK_INSERT, 144},
        {V | FSHIFT, VK_INSERT, 145}, {V | FCONTROL, 'L', 156}, {V, VK_F1, 176},
        {V, VK_F4, 119}, {V, VK_F5, 117}, {V, VK_F6, 120}, {V, VK_F9, 137}, {V, VK_F11, 142},
        {V | FSHIFT, VK_F5, 150}, {V | FSHIFT, VK_F4, 151}, {V | FSHIFT, VK_F3, 152},
    };
    std::vector<TKey> actual;
    for (const ACCEL& a : loaded)
        actual.emplace_back(a.fVirt & ~0x80, a.key, a.cmd);  // 0x80 marks the last entry
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);
    DestroyAcceleratorTable(table);
}

// The key table as the message loop uses it: the chord reaches the window as
// the command, never as another one (Ctrl+Z is Undo, not Cut).
TEST(ResourcesTest, KeyChordsTranslateToTheirCommands)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "MAIN_ACCELERATORS");
    ASSERT_NE(table, nullptr);
    static std::vector<int> commands;
    WNDCLASSA cls{};
    cls.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_COMMAND)
            commands.push_back(LOWORD(wp));
        return DefWindowProcA(hwnd, msg, wp, lp);
    };
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "ResourcesTestKeys";
    RegisterClassA(&cls);
    HWND window = CreateWindowA("ResourcesTestKeys", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    struct TChord {
        UINT Message;
        WPARAM Key;
        int Modifier;  // virtual key held down, or 0
        int Command;
    };
    const TChord chords[] = {
        {WM_KEYDOWN, 'Z', VK_CONTROL, CM_EDITUNDO},
        {WM_KEYDOWN, VK_DELETE, VK_SHIFT, CM_EDITCUT},
        {WM_KEYDOWN, VK_INSERT, VK_SHIFT, CM_EDITPASTEINSERT},
        {WM_KEYDOWN, VK_RETURN, 0, CM_RUN},
        {WM_KEYDOWN, VK_F5, 0, CM_SCALING},
        {WM_KEYDOWN, VK_F5, VK_SHIFT, CM_CASCADE},
        {WM_SYSKEYDOWN, 'R', VK_MENU, CM_ACCELRUN},
    };
    for (const TChord& chord : chords) {
        BYTE keys[256] = {};
        if (chord.Modifier)
            keys[chord.Modifier] = 0x80;
        SetKeyboardState(keys);
        commands.clear();
        MSG msg{window, chord.Message, chord.Key,
                chord.Message == WM_SYSKEYDOWN ? LPARAM(1) << 29 : 0, 0, {}};
        EXPECT_TRUE(TranslateAcceleratorA(window, table, &msg)) << chord.Command;
        EXPECT_EQ(commands, std::vector<int>{chord.Command});
    }
    BYTE none[256] = {};
    SetKeyboardState(none);
    DestroyWindow(window);
    DestroyAcceleratorTable(table);
}

TEST(ResourcesTest, StringTableHoldsTheProgramsTexts)
{
    const std::pair<UINT, const char*> strings[] = {
        {25, "Failure writing wave file."},
        {27, "%s has changed. Save file before closing?"},
        {28, "Failure Opening file: %s"},
        {32, "Untitled"},
        {34, "Overlap Percentage must be between 0 and 99%"},
        {36, "Threshold must be between %d and %d percent."},
        {45, "Please Open a .WAV file for processing"},
        {46, "Phase"}, {47, "Spectrum"}, {48, "Time Series"}, {49, "Spectrogram"},
        {50, "3-D Surface"},
        {55, "FFT %ld pts"}, {59, "Avg:"}, {60, "Stopped"}, {61, "Running..."},
        {67, "(msecs)"}, {69, "(Hz)"},
        {70, "Insufficient Memory to continue.  Please close some applications to free up memory."},
        {71, "Time"}, {73, "Frequency"},
        {120, "Calibration"}, {122, "FileIO"}, {125, "Settings"}, {138, "FileHistory"},
        {139, "You are about to modify the disk file and have not selected the \"Make Backup\" "
              "file option.\r\rDo you want to continue?"},
        {160, "ASCII - integer"}, {161, "ASCII - floating point"}, {162, "Binary - 8 bit"},
        {163, "Binary - 16 bit"}, {164, "Binary - 32 bit"}, {165, "Binary - floating point"},
        {166, "Sampling rate must be greater than zero"},
        {167, "Examining data file..."},
        {168, "Insufficient Memory to store wave data.  Try using DISK file mode."},
        {169, "Importing..."},
        {170, "Are you sure you want to cancel Importing?"},
        {171, "Decimation Ratio must be between 1 and %d"},
        {174, "Sampling rate or bits per sample not supported."},
        {178, "Rebuilding display... press <Esc> to cancel."},
        {185, "Trigger delay must be between 0 and %d"},
        {189, "Opening Wave file..."}, {190, "Saving Wave file..."},
        {213, "Phase (degrees)"}, {214, "Printed by: %s"},
        {221, "Bartlett"}, {222, "Blackman"}, {223, "Hamming"}, {224, "Hanning"},
        {225, "Kaiser"}, {226, "Parzen"}, {227, "Triangular"}, {228, "Uniform"},
        {253, "Flat top"},
        {230, "Percent Full Scale"}, {231, "Relative Amplitude (dB)"},
        {235, "Time (milliseconds)"}, {237, "Time (seconds)"}, {238, "Peak Hold:"},
        {240, "file: %s must contain at least 3 entries.  File will not be used."},
        {241, "Frequency terms in file: %s are not in ascending order.  File will not be used."},
        {245, "Intensity:"}, {246, "Plot Range:"},
        {248, "Are you sure you want to delete: %s"}, {249, "Failure deleting file: %s"},
        {261, "Phase2"}, {262, "Spectrum2"}, {263, "Spectrogram2"}, {264, "3-D Surface2"},
        {270, "CalibrationR"}, {591, "Plot Top:"},
    };
    for (const auto& [id, text] : strings) {
        char loaded[256] = {};
        EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), id, loaded, sizeof loaded), 0) << id;
        EXPECT_STREQ(loaded, text) << id;
    }
}

TEST(ResourcesTest, IconBitmapWaveAndAboutTemplateExist)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_NE(LoadIconA(module, "ICON_SPECTRUM"), nullptr);
    EXPECT_NE(FindResourceA(module, "PINKWAVE", "PinkWave"), nullptr);

    HBITMAP picture = LoadBitmapA(module, "ABOUT_BITMAP");
    ASSERT_NE(picture, nullptr);
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    // The About box's picture button is 134 x 103 pixels.
    EXPECT_EQ(info.bmWidth, 134);
    EXPECT_EQ(info.bmHeight, 103);
    DeleteObject(picture);

    HWND about = CreateDialogParamA(module, "ABOUT_TONALYX", nullptr,
                                    [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(about, nullptr);
    char caption[32] = {};
    GetWindowTextA(about, caption, sizeof caption);
    EXPECT_STREQ(caption, "Tonalyx");
    EXPECT_NE(GetDlgItem(about, IDC_ABOUT_INFO), nullptr);
    EXPECT_NE(GetDlgItem(about, IDC_ABOUT_RIGHTS), nullptr);
    char ok[16] = {};
    GetDlgItemTextA(about, IDOK, ok, sizeof ok);
    EXPECT_STREQ(ok, "Ok");
    // Room for the picture button at 10, 12 pixels, left of the texts.
    RECT info198{};
    GetWindowRect(GetDlgItem(about, IDC_ABOUT_INFO), &info198);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&info198), 2);
    EXPECT_GE(info198.left, 10 + 134);
    DestroyWindow(about);
}


TEST(ResourcesTest, TimeSeriesViewFacesAndIconExist)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_NE(LoadIconA(module, "ICON_TSERIES"), nullptr);
    const char* const faces[] = {"SelectUp", "SelectDn", "SelectGry", "SelectPlayUp", "SelectPlayDn",
                                 "SelectPlayGry", "SelectFilterUp", "SelectFilterDn", "SelectFilterGry",
                                 "ZoomInUp", "ZoomInDn", "ZoomInGry", "ZoomFullUp", "ZoomFullDn", "ZoomFullGry",
                                 "Zoom2XInUp", "Zoom2XInDn", "Zoom2XInGry", "Zoom2XOutUp", "Zoom2XOutDn",
                                 "Zoom2XOutGry", "OptionsUp", "OptionsDn", "AutoScaleUp", "AutoScaleDn", "AutoGr"};
    for (const char* face : faces) {
        HBITMAP picture = LoadBitmapA(module, face);
        ASSERT_NE(picture, nullptr) << face;
        BITMAP info{};
        GetObjectA(picture, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 28) << face;
        EXPECT_EQ(info.bmHeight, 28) << face;
        DeleteObject(picture);
    }
}

}

TEST(ResourcesTest, SurfaceAndPhaseViewIconsExist)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (const char* icon : {"ICON_SURFACE", "ICON_PHASE"}) EXPECT_NE(LoadIconA(module, icon), nullptr) << icon;
}
