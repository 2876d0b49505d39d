// The print and annotation commands: the texts on a main window object, and
// the print jobs in a real frame whose default printer is a metafile, read
// back for the texts it was given.
#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>
#include "framework/TMDIClient.h"
#include "tests/shell/commands/CommandTestMain.h"
#include "views/TSpectrumPlot.h"

namespace {

struct TPrintTexts : ::testing::Test {
    TTempFolder Folder;
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        Main = std::make_unique<TMainWin>(nullptr, Folder.File("Tonalyx.exe").c_str(), nullptr, *new TClientMain);
        TPrintOptions& print = State(Main).PrintOptions();
        std::strcpy(print.Annotation1, "old title");
        std::strcpy(print.Annotation2, "old subtitle");
        for (int k = 0; k < TPrintOptions::CommentCount; ++k) std::strcpy(print.Comment[k], "old comment");
        print.EnableCommentBlock = 0;
    }
};

struct TCase {
    std::string Command;
    uint32_t Answer;
    std::function<void(const TPrintOptions&)> Check;
};

}  // namespace

TEST_F(TPrintTexts, TextCommandsFillTheirLineAndNoOther)
{
    const std::string hundred(100, 'a');
    // The longest argument a command carries.
    const std::string long259(259, 'c');
    const TCase cases[] = {
        {"[Set Annotation Line1 Loudspeaker A]", Done, [](const TPrintOptions& p) {
             EXPECT_STREQ(p.Annotation1, "Loudspeaker A");
             EXPECT_STREQ(p.Annotation2, "old subtitle");
         }},
        {"[Set Annotation Line1 " + hundred + "]", Done,
         [&](const TPrintOptions& p) { EXPECT_EQ(std::string(p.Annotation1), hundred.substr(0, 79)); }},
        // Any one character stands for the blank before the text.
        {"[set annotation line2_Room 2]", Done, [](const TPrintOptions& p) {
             EXPECT_STREQ(p.Annotation2, "Room 2");
             EXPECT_STREQ(p.Annotation1, "old title");
         }},
        {"[Enable Comment Block]", Done, [](const TPrintOptions& p) { EXPECT_EQ(p.EnableCommentBlock, 1); }},
        {"[Disable Comment Block]", Done, [](const TPrintOptions& p) { EXPECT_EQ(p.EnableCommentBlock, 0); }},
        {"[Enable Comment Block] ", 0, [](const TPrintOptions& p) { EXPECT_EQ(p.EnableCommentBlock, 0); }},
        {"[Set Comment Line1 first]", Done, [](const TPrintOptions& p) {
             EXPECT_STREQ(p.Comment[0], "first");
             EXPECT_STREQ(p.Comment[9], "old comment");
         }},
        // Line 10 is not taken for line 1 followed by a 0.
        {"[Set Comment Line10 tenth]", Done, [](const TPrintOptions& p) {
             EXPECT_STREQ(p.Comment[9], "tenth");
             EXPECT_STREQ(p.Comment[0], "old comment");
         }},
        {"[Set Comment Line3 ]", Done, [](const TPrintOptions& p) {
             EXPECT_STREQ(p.Comment[2], "");
             EXPECT_STREQ(p.Comment[1], "old comment");
         }},
        {"[Set Comment Line7 " + long259 + "]", Done,
         [](const TPrintOptions& p) { EXPECT_EQ(std::string(p.Comment[6]), std::string(255, 'c')); }},
        // The comment keywords hold their blank: another character matches nothing.
        {"[Set Comment Line5_x]", 0, [](const TPrintOptions& p) { EXPECT_STREQ(p.Comment[4], "old comment"); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Command.substr(0, 40));
        SetUp();
        EXPECT_EQ(Main->ExecuteCommand(c.Command), c.Answer);
        c.Check(Main->GetPrintOptions());
    }
}

namespace {

// The texts drawn on one printed page.
int CALLBACK CollectTexts(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto& texts = *reinterpret_cast<std::vector<std::string>*>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        std::string s;
        for (DWORD i = 0; i < text->emrtext.nChars; ++i) s += char(chars[i]);
        texts.push_back(s);
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        texts.emplace_back(reinterpret_cast<const char*>(record) + text->emrtext.offString, text->emrtext.nChars);
    }
    return 1;
}

// A frame whose print jobs go to metafiles without a dialog; each page
// keeps its texts and the view that was active when it was printed.
class TPrintingMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    struct TPage {
        std::vector<std::string> Texts;
        HWND Active;
    };
    std::vector<TPage> Pages;
    int RunPrintDialog(TPrintDialog::TData& data, bool) override
    {
        data.Dc = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        return IDOK;
    }
    void ReleasePrinterDC(HDC dc) override
    {
        const HENHMETAFILE file = ::CloseEnhMetaFile(dc);
        TPage page{{}, HWND(GetClientWindow()->SendMessage(WM_MDIGETACTIVE))};
        ::EnumEnhMetaFile(nullptr, file, CollectTexts, &page.Texts, nullptr);
        ::DeleteEnhMetaFile(file);
        Pages.push_back(page);
    }
};

bool Has(const std::vector<std::string>& texts, const std::string& text)
{
    for (const std::string& t : texts)
        if (t == text) return true;
    return false;
}

// One frame for the suite, as a frame takes seconds to make under Wine;
// each test closes the views it opened.
struct TPrintJobs : ::testing::Test {
    static inline std::unique_ptr<TTempFolder> Folder;
    static inline std::unique_ptr<TPrintingMain> Main;

    static void SetUpTestSuite()
    {
        Folder = std::make_unique<TTempFolder>();
        WriteIni(Folder->File("Tonalyx.ini"), FrameIni);
        Main = std::make_unique<TPrintingMain>(nullptr, Folder->File("Tonalyx.exe").c_str(), nullptr, *new TClientMain);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(0));
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
        State(*Main).OpMode() = TMainWin::PostProcess;
        State(*Main).Settings().Format = TWaveFormat(48000, 2, 2);
        State(*Main).Settings().FFTsize = 1024;
        // Both channels, each in its own spectrum view.
        State(*Main).Settings().ChannelProcessing = 2;
        State(*Main).Settings().IndependentScalingAndCalibration = 1;
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1000, 760, true);
        Pump();
    }
    static void TearDownTestSuite()
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
        Folder.reset();
    }
    void SetUp() override { Main->Pages.clear(); }
};

}  // namespace

TEST_F(TPrintJobs, EachOpenViewOfTheKindPrintsOneJobInOrder)
{
    // Nothing open: nothing printed.
    for (const char* command : {"[Print Time Series]", "[Print Spectrum]", "[Print Phase]", "[Print Spectrogram]",
                                "[Print 3D Surface]"}) {
        EXPECT_EQ(Main->ExecuteCommand(command), Done) << command;
    }
    EXPECT_TRUE(Main->Pages.empty());

    Main->CmViewSpectrum();
    Pump();
    const std::array<TSpectrumPlot*, 2> views = Main->SpectrumViews();
    ASSERT_TRUE(views[0] && views[1]);
    EXPECT_EQ(Main->ExecuteCommand("[Print Spectrum]"), Done);
    ASSERT_EQ(Main->Pages.size(), 2u);
    EXPECT_EQ(Main->Pages[0].Active, views[0]->GetHandle());
    EXPECT_EQ(Main->Pages[1].Active, views[1]->GetHandle());

    // With the first closed from its close box, the second alone prints once.
    views[0]->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    Pump();
    ASSERT_EQ(Main->SpectrumView(0), nullptr);
    ASSERT_NE(Main->SpectrumView(1), nullptr);
    Main->Pages.clear();
    EXPECT_EQ(Main->ExecuteCommand("[Print Spectrum]"), Done);
    ASSERT_EQ(Main->Pages.size(), 1u);
    EXPECT_EQ(Main->Pages[0].Active, Main->SpectrumView(1)->GetHandle());
    Main->CmViewSpectrum();
    Pump();
}

TEST_F(TPrintJobs, TheCommentBlockSetByCommandsPrintsWithTheTimeSeries)
{
    Main->CmViewTimeSeries();
    Pump();
    ASSERT_NE(Main->TimeSeriesView(), nullptr);
    for (const char* command : {"[Set Annotation Line1 Loudspeaker A]", "[Set Comment Line10 Last comment]",
                                "[Print Time Series]", "[Enable Comment Block]", "[Print Time Series]"}) {
        EXPECT_EQ(Main->ExecuteCommand(command), Done) << command;
    }
    ASSERT_EQ(Main->Pages.size(), 2u);
    EXPECT_TRUE(Has(Main->Pages[0].Texts, "Loudspeaker A"));
    EXPECT_FALSE(Has(Main->Pages[0].Texts, "Last comment"));
    EXPECT_TRUE(Has(Main->Pages[1].Texts, "Last comment"));
    Main->CmViewTimeSeries();
    Pump();
}
