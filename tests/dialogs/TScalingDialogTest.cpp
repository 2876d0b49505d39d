// Both scaling dialogs on their templates: what OK stores, the density
// check, Defaults and the compensation file choice.
#include <cstring>
#include <string>
#include "dialogs/TScalingDialog.h"
#include "dialogs/TScalingIndependentDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using C = TScalingDialog;
using I = TScalingIndependentDialog;

class ScalingDialog : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        std::strcpy(Left.MicCompFilename, "C:\\mic\\left.mic");
        std::strcpy(Right.MicCompFilename, "C:\\mic\\right.mic");
        Right.AmpScaleType = 0;
        Right.StandardWeighting = 2;
    }
    template <class D> std::unique_ptr<D> Run(const char* name)
    {
        auto d = std::make_unique<D>(&Owner, Main, name, &Left, &Right);
        EXPECT_TRUE(d->Create());
        Boxes().Messages.clear();
        return d;
    }
    static bool Same(const DisplaySettingsStruct& a, const DisplaySettingsStruct& b)
    {
        return a.AmpScaleType == b.AmpScaleType && a.FreqScaleType == b.FreqScaleType
            && a.OctaveNumber == b.OctaveNumber && a.SpectralDensityFlag == b.SpectralDensityFlag
            && a.SpectralDensityType == b.SpectralDensityType && a.StandardWeighting == b.StandardWeighting
            && a.TotalPowerWeighting == b.TotalPowerWeighting && a.MicCompEnable == b.MicCompEnable
            && std::strcmp(a.MicCompFilename, b.MicCompFilename) == 0;
    }
    DisplaySettingsStruct Left, Right;
};

}

TEST_F(ScalingDialog, CommonDialogStoresTheCheckedChoicesInTheLeftRecord)
{
    const struct {
        int Frequency;
        uint16_t Scale, Fraction;
    } rows[] = {{206, 0, 3}, {205, 1, 3}, {200, 2, 1}, {204, 2, 12}, {223, 2, 96}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Frequency);
        Left = DisplaySettingsStruct{};
        std::strcpy(Left.MicCompFilename, "C:\\mic\\left.mic");
        auto d = Run<C>("DIALOG_SCALING_ADVANCED");
        Control::Click(*d, C::LinearAmplitudeId);
        Control::Click(*d, row.Frequency);
        Control::Click(*d, C::SpectrumWeightingIds[1]);
        Control::Click(*d, C::PowerWeightingIds[3]);
        Control::Click(*d, C::CompensationId);
        Control::Type(*d, C::RightFileId, "D:\\other.mic");
        ASSERT_TRUE(Control::Ok(*d));
        EXPECT_EQ(Left.AmpScaleType, 0);
        EXPECT_EQ(Left.FreqScaleType, row.Scale);
        EXPECT_EQ(Left.OctaveNumber, row.Fraction);
        EXPECT_EQ(Left.StandardWeighting, 1);
        EXPECT_EQ(Left.TotalPowerWeighting, 3);
        EXPECT_EQ(Left.MicCompEnable, 1u);
        EXPECT_STREQ(Left.MicCompFilename, "C:\\mic\\left.mic");
        EXPECT_STREQ(Right.MicCompFilename, "D:\\other.mic");
        // The dialog writes only the right file; the command copies the rest.
        EXPECT_EQ(Right.AmpScaleType, 0);
        EXPECT_EQ(Right.StandardWeighting, 2);
    }
}

// A fraction no button offers shows 1/3 and OK stores 3; density over
// bands is refused, and Cancel then leaves both records as they were.
TEST_F(ScalingDialog, CommonDialogFractionFiveAndTheDensityCheck)
{
    Left.FreqScaleType = DisplaySettingsStruct::OctaveBands;
    Left.OctaveNumber = 5;
    {
        auto d = Run<C>("DIALOG_SCALING_ADVANCED");
        EXPECT_TRUE(Control::Checked(*d, 201));
        EXPECT_FALSE(Control::Enabled(*d, C::SqrtHzId));
        ASSERT_TRUE(Control::Ok(*d));
        EXPECT_EQ(Left.OctaveNumber, 3);
    }
    const DisplaySettingsStruct left = Left, right = Right;
    auto d = Run<C>("DIALOG_SCALING_ADVANCED");
    Control::Click(*d, C::DensityId);
    EXPECT_TRUE(Control::Enabled(*d, C::SqrtHzId));
    Control::Click(*d, C::LinearAmplitudeId);
    Control::Type(*d, C::RightFileId, "changed.mic");
    EXPECT_FALSE(Control::Ok(*d));
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text,
              "PSD cannot be used with Octave frequency scaling - please select narrowband scaling or disable PSD.");
    EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
    EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK | MB_ICONINFORMATION));
    Control::Press(*d, IDCANCEL);
    EXPECT_EQ(d->GetHandle(), nullptr);
    EXPECT_TRUE(Same(Left, left));
    EXPECT_TRUE(Same(Right, right));
}

TEST_F(ScalingDialog, DefaultsStoreNothingUntilOk)
{
    Left = DisplaySettingsStruct{0, 2, 24, 1, 0, 3, 2, 1, "x.mic"};
    const DisplaySettingsStruct before = Left;
    {
        auto d = Run<C>("DIALOG_SCALING_ADVANCED");
        Control::Press(*d, C::DefaultsId);
        EXPECT_TRUE(Same(Left, before));
        EXPECT_TRUE(Control::Checked(*d, C::LogAmplitudeId));
        EXPECT_TRUE(Control::Checked(*d, 205));
        EXPECT_FALSE(Control::Checked(*d, 221));
        EXPECT_TRUE(Control::Checked(*d, C::SqrtHzId));
        EXPECT_EQ(Control::Text(*d, C::LeftFileId), "");
        ASSERT_TRUE(Control::Ok(*d));
    }
    const DisplaySettingsStruct expected{1, 1, 24, 0, 1, 0, 0, 0, ""};
    EXPECT_TRUE(Same(Left, expected));
    EXPECT_STREQ(Right.MicCompFilename, "");

    auto d = Run<I>("DIALOG_SCALING_INDEPENDENT");
    Control::Press(*d, I::DefaultsId);
    ASSERT_TRUE(Control::Ok(*d));
    for (const DisplaySettingsStruct* s : {&Left, &Right}) {
        EXPECT_EQ(s->AmpScaleType, 1);
        EXPECT_EQ(s->FreqScaleType, 1);
        EXPECT_EQ(s->SpectralDensityFlag, 0u);
        EXPECT_EQ(s->StandardWeighting, 0);
        EXPECT_EQ(s->MicCompEnable, 0u);
        EXPECT_STREQ(s->MicCompFilename, "");
    }
}

// Each channel's lists: what they show and what they store; a fraction no
// entry shows leaves the list empty and the field as it was.
TEST_F(ScalingDialog, IndependentDialogListsPerChannel)
{
    Left.FreqScaleType = DisplaySettingsStruct::OctaveBands;
    Left.OctaveNumber = 5;
    Right.SpectralDensityFlag = 1;
    Right.SpectralDensityType = 1;
    auto d = Run<I>("DIALOG_SCALING_INDEPENDENT");
    EXPECT_EQ(Control::Selection(*d, I::FrequencyIds[0]), -1);
    EXPECT_EQ(Control::Text(*d, I::FrequencyIds[1]), "Logarithmic (Narrowband)");
    EXPECT_EQ(Control::Text(*d, I::AmplitudeIds[1]), "Linear");
    EXPECT_EQ(Control::Text(*d, I::DensityIds[1]), "Units/Sqrt Hz");
    EXPECT_EQ(Control::Text(*d, I::SpectrumWeightingIds[1]), "B");
    EXPECT_EQ(Control::Entries(*d, I::FrequencyIds[0]).size(), 10u);
    Control::Choose(*d, I::FrequencyIds[1], 7);
    Control::Choose(*d, I::PowerWeightingIds[0], 2);
    Control::Click(*d, I::RightEnableId);
    // Density over 1/24 octave bands on the right is refused.
    EXPECT_FALSE(Control::Ok(*d));
    EXPECT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Right.FreqScaleType, 1);
    Control::Choose(*d, I::DensityIds[1], 0);
    ASSERT_TRUE(Control::Ok(*d));
    EXPECT_EQ(Left.FreqScaleType, 2);
    EXPECT_EQ(Left.OctaveNumber, 5);
    EXPECT_EQ(Left.TotalPowerWeighting, 2);
    EXPECT_EQ(Right.FreqScaleType, 2);
    EXPECT_EQ(Right.OctaveNumber, 24);
    EXPECT_EQ(Right.SpectralDensityFlag, 0u);
    EXPECT_EQ(Right.MicCompEnable, 1u);
    EXPECT_STREQ(Right.MicCompFilename, "C:\\mic\\right.mic");
}

// Select asks for a compensation file in the compensation folder, keeps
// its folder and checks the compensation box even when it was cleared.
TEST_F(ScalingDialog, SelectChoosesACompensationFile)
{
    Main.ChosenFile = "C:\\curves\\room.mic";
    {
        auto d = Run<C>("DIALOG_SCALING_ADVANCED");
        EXPECT_FALSE(Control::Checked(*d, C::CompensationId));
        Control::Press(*d, C::SelectRightId);
        ASSERT_EQ(Main.FileDialogs.size(), 1u);
        const TOpenSaveDialog::TData& asked = Main.FileDialogs[0];
        EXPECT_EQ(Main.FileDialogTitles[0], "Open Mic Compensation File");
        EXPECT_EQ(asked.Filter, "Mic comp *.mic; Overlay *.ovl; Filter *.flt|*.mic; *.ovl; *.flt|");
        EXPECT_EQ(asked.FileName, "*.mic; *.ovl; *.flt");
        EXPECT_EQ(asked.InitialDir, "C:\\mic");
        EXPECT_EQ(asked.DefExt, "mic");
        EXPECT_EQ(asked.Flags, DWORD(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
        EXPECT_EQ(Main.KeptFolders, std::vector<std::string>{"mic:C:\\curves\\room.mic"});
        EXPECT_EQ(Control::Text(*d, C::RightFileId), "C:\\curves\\room.mic");
        EXPECT_TRUE(Control::Checked(*d, C::CompensationId));
        ExpectHelp(*d, C::HelpId, 360);
        ASSERT_TRUE(Control::Ok(*d));
        EXPECT_STREQ(Right.MicCompFilename, "C:\\curves\\room.mic");
    }
    // A name the file field cannot hold is refused, not cut.
    Main.ChosenFile = "C:\\" + std::string(300, 'a') + ".mic";
    Left.MicCompEnable = 0;
    auto d = Run<I>("DIALOG_SCALING_INDEPENDENT");
    Control::Press(*d, I::SelectLeftId);
    EXPECT_EQ(Control::Text(*d, I::LeftFileId), "C:\\mic\\left.mic");
    EXPECT_FALSE(Control::Checked(*d, I::LeftEnableId));
    Main.ChosenFile = "C:\\curves\\near.mic";
    Control::Press(*d, I::SelectLeftId);
    EXPECT_TRUE(Control::Checked(*d, I::LeftEnableId));
    EXPECT_EQ(Control::Text(*d, I::LeftFileId), "C:\\curves\\near.mic");
    ExpectHelp(*d, I::HelpId, 360);
    d->Destroy();
}
