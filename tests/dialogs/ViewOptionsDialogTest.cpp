// The five view options dialogs on their templates, driven by control ids.
#include <cstdio>
#include <string>
#include "dialogs/TPhaseOptsDialog.h"
#include "dialogs/TSeriesOptsDialog.h"
#include "dialogs/TSpectrogramOptsDialog.h"
#include "dialogs/TSpectrumOptsDialog.h"
#include "dialogs/TSurfaceOptsDialog.h"
#include "framework/TGauge.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using D = TViewOptionsDialog;

// The system colour chooser answered with a colour typed into its red,
// green and blue fields (empty Red: Cancel).
struct TChooserAnswer {
    bool Choose = false;
    COLORREF Colour = 0;
    int Ticks = 0;
};
TChooserAnswer& Answer()
{
    static TChooserAnswer answer;
    return answer;
}

void CALLBACK AnswerChooser(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND chooser = ::FindWindowA("#32770", "Color");
    if (!chooser && ++Answer().Ticks < 50) return;
    ::KillTimer(nullptr, id);
    if (!chooser) return;
    if (!Answer().Choose) {
        ::PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // The chooser's red, green and blue fields.
    const int fields[3] = {706, 707, 708};
    const int parts[3] = {GetRValue(Answer().Colour), GetGValue(Answer().Colour), GetBValue(Answer().Colour)};
    for (int i = 0; i < 3; ++i) ::SetDlgItemInt(chooser, fields[i], UINT(parts[i]), FALSE);
    ::PostMessageA(chooser, WM_COMMAND, IDOK, 0);
}

class ViewOptions : public DialogTest {
protected:
    void ChooseNext(bool choose, COLORREF colour = 0)
    {
        Answer() = {choose, colour, 0};
        ::SetTimer(nullptr, 0, 100, &AnswerChooser);
    }
    static COLORREF Swatch(TDialog& d, int id) { return static_cast<TGauge*>(d.ChildWithId(id))->GetColor(); }
    static std::string Caption(TDialog& d)
    {
        char text[128] = {};
        ::GetWindowTextA(d.GetHandle(), text, sizeof text);
        return text;
    }
    // OK with the fields typed; the message shown, empty when it closed.
    std::string OkWith(TDialog& d, std::initializer_list<std::pair<int, const char*>> typed)
    {
        for (const auto& [id, text] : typed) Control::Type(d, id, text);
        Boxes().Messages.clear();
        if (Control::Ok(d)) return "";
        EXPECT_EQ(Boxes().Messages.size(), 1u);
        if (Boxes().Messages.empty()) return "?";
        EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
        EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK | MB_ICONSTOP));
        return Boxes().Messages[0].Text;
    }
};

}  // namespace

// The checks' table of the spectrum dialog in logarithmic scale between 20
// and 20000 Hz; each row types its fields over the record's and presses OK.
TEST_F(ViewOptions, SpectrumOkChecksEachFieldWithItsMessage)
{
    const struct {
        int Id;
        const char* Text;
        const char* Message;
    } rows[] = {
        {D::PlotRangeId, "300", ""},
        {D::PlotRangeId, "0", "Plot Range must be between  0.000 and 400.000"},
        {D::PlotRangeId, "400.5", "Plot Range must be between  0.000 and 400.000"},
        {D::PlotTopId, "-200.5", "Top of Plot must be between -200.000 and 200.000"},
        {D::StartId, "18.5", "Start Frequency must be between   20.0 and 20000.0 Hz"},
        {D::StartId, "19.5", ""},
        {D::StartId, "20000", "Stop Frequency must be greater than Start Frequency"},
        {D::IntervalId, "3600.1", "Update Interval must be between 1 and 3600 seconds"},
        {D::IntervalId, "0", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.Id << " " << row.Text);
        SpectrumOpts opts;
        opts.StartFreq = 20.0f;
        opts.StopFreq = 20000.0f;
        TSpectrumOptsDialog d(&Owner, Main, "DIALOG_SPECTRUM", &opts, 1, 20.0f, 20000.0f,
                              "Spectrum Plot Options - Left Channel");
        ASSERT_TRUE(d.Create());
        EXPECT_EQ(Caption(d), "Spectrum Plot Options - Left Channel");
        EXPECT_TRUE(Control::Enabled(d, D::PlotRangeId));
        EXPECT_TRUE(Control::Enabled(d, D::IntervalId));
        Control::Click(d, TSpectrumOptsDialog::BarGraphId);
        const std::string message = OkWith(d, {{row.Id, row.Text}});
        EXPECT_EQ(message, row.Message);
        EXPECT_EQ(opts.PlotType, 1);
        if (message.empty()) EXPECT_EQ(opts.IntervalFlag, 1u);
        else d.Destroy();
    }
}

// Linear scale: the range shows N/A, cannot be edited and is not read; "As
// often as possible" keeps the stored interval and disables its field.
TEST_F(ViewOptions, SpectrumInLinearScale)
{
    SpectrumOpts opts;
    opts.PlotTop = 2.0f;
    opts.IntervalSecs = 0.5f;
    TSpectrumOptsDialog d(&Owner, Main, "DIALOG_SPECTRUM", &opts, 0, 0.0f, 22050.0f, "Spectrum Plot Options");
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Text(d, D::PlotRangeId), "N/A");
    EXPECT_FALSE(Control::Enabled(d, D::PlotRangeId));
    EXPECT_FALSE(Control::Enabled(d, D::PlotRangeSpinId));
    EXPECT_EQ(Control::Text(d, D::PlotTopId), "2.0");
    Control::Click(d, D::AsOftenId);
    EXPECT_FALSE(Control::Enabled(d, D::IntervalId));
    ExpectHelp(d, D::HelpId, 130);
    EXPECT_EQ(OkWith(d, {{D::IntervalId, "99999"}}), "");
    EXPECT_EQ(opts.IntervalFlag, 0u);
    EXPECT_EQ(opts.IntervalSecs, 0.5f);
    EXPECT_EQ(opts.PlotRange, 120.0f);
}

// A colour chosen is the working record's at once and shows in its swatch;
// a cancelled chooser changes nothing; Defaults sets colours and controls
// but leaves the span as typed.
TEST_F(ViewOptions, ColoursAndDefaults)
{
    SpectrumOpts opts;
    opts.LineColor = RGB(1, 2, 3);
    TSpectrumOptsDialog d(&Owner, Main, "DIALOG_SPECTRUM", &opts, 1, 0.0f, 22050.0f, "Spectrum Plot Options");
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Swatch(d, D::LineSwatchId), RGB(1, 2, 3));
    ChooseNext(true, RGB(10, 200, 30));
    Control::Press(d, D::LineColorId);
    EXPECT_EQ(opts.LineColor, RGB(10, 200, 30));
    EXPECT_EQ(Swatch(d, D::LineSwatchId), RGB(10, 200, 30));
    ChooseNext(false);
    Control::Press(d, D::GridColorId);
    EXPECT_EQ(opts.GridColor, 0x808080u);

    Control::Type(d, D::StartId, "321");
    Control::Click(d, TSpectrumOptsDialog::RmsLevelId);
    Control::Press(d, D::DefaultsId);
    EXPECT_EQ(opts.LineColor, RGB(0, 0, 255));
    EXPECT_EQ(opts.BackgroundColor, RGB(255, 255, 220));
    EXPECT_EQ(Swatch(d, D::BackgroundSwatchId), RGB(255, 255, 220));
    EXPECT_EQ(Control::Text(d, D::StartId), "321");
    EXPECT_EQ(Control::Text(d, D::PlotTopId), "0.0");
    EXPECT_EQ(Control::Text(d, D::PlotRangeId), "120.0");
    EXPECT_EQ(Control::Text(d, D::IntervalId), "0.02");
    EXPECT_FALSE(Control::Checked(d, TSpectrumOptsDialog::RmsLevelId));
    EXPECT_TRUE(Control::Checked(d, D::AtIntervalsId));
    // Nothing but the colours is stored before OK.
    EXPECT_EQ(opts.StartFreq, 5.0f);
    d.Destroy();
}

TEST_F(ViewOptions, PhaseShowsDegreesAndChecksItsRange)
{
    PhaseOpts opts;
    TPhaseOptsDialog d(&Owner, Main, "DIALOG_PHASE", &opts, 0.0f, 22050.0f, "Phase Plot Options");
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Text(d, D::PlotTopId), "180.0");
    EXPECT_EQ(Control::Text(d, D::PlotRangeId), "360.0");
    EXPECT_FALSE(Control::Enabled(d, D::IntervalId));
    ExpectHelp(d, D::HelpId, 100);
    EXPECT_EQ(OkWith(d, {{D::PlotRangeId, "360.5"}}), "Plot Range must be between  0.000 and 360.000");
    EXPECT_EQ(OkWith(d, {{D::PlotRangeId, "90"}, {D::PlotTopId, "45"}}), "");
    EXPECT_EQ(opts.PlotRange, 90.0f);
    EXPECT_EQ(opts.PlotTop, 45.0f);
}

// Custom keeps a start and stop inside the data's range and replaces only
// those outside it; Full Span shows the range and OK leaves the stored span.
TEST_F(ViewOptions, SpectrogramSpanAndPalette)
{
    SpectrogramOpts opts;
    opts.StartFreq = 150.0f;
    opts.StopFreq = 30000.0f;
    opts.ColorMode = 0;
    TSpectrogramOptsDialog d(&Owner, Main, "DIALOG_SPECTROGRAM", &opts, 1, 10.0f, 20000.0f, "Spectrogram Options");
    ASSERT_TRUE(d.Create());
    EXPECT_TRUE(Control::Checked(d, D::FullSpanId));
    EXPECT_FALSE(Control::Enabled(d, D::StartId));
    EXPECT_TRUE(Control::Enabled(d, D::MinCustomColorId));
    Control::Click(d, D::CustomSpanId);
    EXPECT_TRUE(Control::Enabled(d, D::StartId));
    EXPECT_EQ(Control::Text(d, D::StartId), "150");
    EXPECT_EQ(Control::Text(d, D::StopId), "20000");
    Control::Click(d, TSpectrogramOptsDialog::GrayScaleId);
    EXPECT_FALSE(Control::Enabled(d, D::MaxCustomColorId));
    Control::Click(d, TSpectrogramOptsDialog::CustomColorsId);
    EXPECT_TRUE(Control::Enabled(d, D::MaxCustomColorId));
    Control::Click(d, D::FullSpanId);
    EXPECT_EQ(Control::Text(d, D::StartId), " 10");
    Control::Click(d, TSpectrogramOptsDialog::ScrollUpId);
    Control::Click(d, TSpectrogramOptsDialog::OverlappedScrollId);
    ExpectHelp(d, D::HelpId, 160);
    // The range is checked in both scales.
    EXPECT_EQ(OkWith(d, {{D::PlotRangeId, "0"}}), "Plot Range must be between  0.000 and 400.000");
    EXPECT_EQ(OkWith(d, {{D::PlotRangeId, "80"}}), "");
    EXPECT_EQ(opts.UseFullSpan, 1u);
    EXPECT_EQ(opts.StartFreq, 150.0f);
    EXPECT_EQ(opts.StopFreq, 30000.0f);
    EXPECT_EQ(opts.ColorMode, 2u);
    EXPECT_EQ(opts.Direction, 2);
    EXPECT_EQ(opts.ScrollType, 1);
}

TEST_F(ViewOptions, SurfaceInLinearScaleAndItsDefaults)
{
    SurfaceOpts opts;
    opts.UseFullSpan = 0;
    opts.ColorMode = 0;
    opts.Intensity = 9;
    TSurfaceOptsDialog d(&Owner, Main, "DIALOG_SURFACE", &opts, 0, 10.0f, 20000.0f, "3-D Surface Plot Options");
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Text(d, D::PlotRangeId), "N/A");
    EXPECT_FALSE(Control::Enabled(d, D::PlotRangeId));
    EXPECT_EQ(Control::Text(d, D::StartId), "100.0");
    EXPECT_TRUE(Control::Checked(d, TSurfaceOptsDialog::GradientId));
    Control::Type(d, D::StopId, "25000");
    Control::Click(d, D::CustomSpanId);
    EXPECT_EQ(Control::Text(d, D::StartId), "100.0");
    EXPECT_EQ(Control::Text(d, D::StopId), "20000.00");
    Control::Press(d, D::DefaultsId);
    EXPECT_TRUE(Control::Checked(d, TSurfaceOptsDialog::SolidId));
    EXPECT_TRUE(Control::Checked(d, D::FullSpanId));
    EXPECT_EQ(opts.BackgroundColor, RGB(0, 0, 0));
    EXPECT_EQ(opts.LineColor, RGB(0, 0, 255));
    EXPECT_EQ(opts.Intensity, 0u);
    ExpectHelp(d, D::HelpId, 180);
    EXPECT_EQ(OkWith(d, {{D::PlotTopId, "3"}}), "");
    EXPECT_EQ(opts.ColorMode, 1u);
    EXPECT_EQ(opts.UseFullSpan, 1u);
    EXPECT_EQ(opts.PlotRange, 60.0f);
}

// Mono data: the channel list holds its eight entries, shows the first and
// cannot be changed.
TEST_F(ViewOptions, SeriesOnMonoAndItsScaleRadios)
{
    SeriesOpts opts;
    opts.PlotChannel = 3;
    TSeriesOptsDialog d(&Owner, Main, "DIALOG_TSERIES", &opts, 1, false);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Caption(d), "Time Series Display Options");
    const std::vector<std::string> names(std::begin(TSeriesOptsDialog::ChannelNames),
                                         std::end(TSeriesOptsDialog::ChannelNames));
    EXPECT_EQ(Control::Entries(d, TSeriesOptsDialog::ChannelId), names);
    EXPECT_EQ(Control::Selection(d, TSeriesOptsDialog::ChannelId), 0);
    EXPECT_FALSE(Control::Enabled(d, TSeriesOptsDialog::ChannelId));
    EXPECT_EQ(Control::Text(d, D::PlotRangeId), "N/A");
    EXPECT_EQ(Control::Text(d, TSeriesOptsDialog::MaxZoomOutId), "10000.0");
    Control::Click(d, TSeriesOptsDialog::EnergyId);
    EXPECT_EQ(Control::Text(d, D::PlotTopId), "0.0");
    EXPECT_EQ(Control::Text(d, D::PlotRangeId), "100.0");
    EXPECT_TRUE(Control::Enabled(d, D::PlotRangeId));
    ExpectHelp(d, D::HelpId, 80);
    EXPECT_EQ(OkWith(d, {{D::PlotTopId, "-401"}}), "Top of Plot must be between -400.000 and 400.000");
    EXPECT_EQ(OkWith(d, {{D::PlotTopId, "-20"}, {TSeriesOptsDialog::StartTimeId, "-0.001"}}),
              "Start Time must be greater than zero");
    EXPECT_EQ(OkWith(d, {{TSeriesOptsDialog::StartTimeId, "0"}, {TSeriesOptsDialog::MaxZoomOutId, "0.05"}}),
              "Max Zoom Out Time must be at least 0.1 seconds");
    EXPECT_EQ(OkWith(d, {{TSeriesOptsDialog::MaxZoomOutId, "0.1"}}), "");
    EXPECT_EQ(opts.AmpScaleType, 1);
    EXPECT_EQ(opts.PlotChannel, 0);
    EXPECT_EQ(opts.PlotTop, -20.0f);
    EXPECT_FLOAT_EQ(opts.MaxZoomOutTime, 0.1f);
}

// Order tracking: the labels speak of RPM and the values are thousands.
TEST_F(ViewOptions, SeriesInOrderTracking)
{
    SeriesOpts opts;
    opts.StopTime = 4.0f;
    TSeriesOptsDialog d(&Owner, Main, "DIALOG_TSERIES", &opts, 2, true);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Text(d, TSeriesOptsDialog::StartLabelId), "Start (RPM)");
    EXPECT_EQ(Control::Text(d, TSeriesOptsDialog::SpanLabelId), "RPM Span");
    EXPECT_EQ(Control::Text(d, TSeriesOptsDialog::StopTimeId), "4000.0000");
    EXPECT_TRUE(Control::Enabled(d, TSeriesOptsDialog::ChannelId));
    Control::Choose(d, TSeriesOptsDialog::ChannelId, 6);
    Control::Press(d, D::DefaultsId);
    EXPECT_EQ(Control::Selection(d, TSeriesOptsDialog::ChannelId), 2);
    Control::Choose(d, TSeriesOptsDialog::ChannelId, 6);
    EXPECT_EQ(OkWith(d, {{TSeriesOptsDialog::StartTimeId, "1500"}, {TSeriesOptsDialog::StopTimeId, "3000"}}), "");
    EXPECT_EQ(opts.StartTime, 1.5f);
    EXPECT_EQ(opts.MaxZoomOutTime, 10.0f);
    EXPECT_EQ(opts.PlotChannel, 6);
    EXPECT_EQ(opts.LineColor, RGB(255, 0, 0));
}
