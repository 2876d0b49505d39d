#include "dialogs/TViewOptionsDialog.h"

#include "dialogs/TColorSwatch.h"
#include "dialogs/TDialogHost.h"
#include "dialogs/TFieldText.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TViewOptionsDialog, TDialog)
    EV_BN_CLICKED(TViewOptionsDialog::DefaultsId, CmDefaults)
    EV_BN_CLICKED(TViewOptionsDialog::HelpId, CmHelp)
    EV_BN_CLICKED_RANGE(TViewOptionsDialog::MarkerColorId, TViewOptionsDialog::PeakColorId, CmColour)
    EV_BN_CLICKED_RANGE(TViewOptionsDialog::MinCustomColorId, TViewOptionsDialog::MaxCustomColorId, CmColour)
    EV_BN_CLICKED_RANGE(TViewOptionsDialog::AsOftenId, TViewOptionsDialog::AtIntervalsId, CmInterval)
END_RESPONSE_TABLE;

TViewOptionsDialog::TViewOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                       const char* caption, int helpContext,
                                       const TViewOptionsForm::TContext& context)
    : TDialog(parent, templateName), Host(host), Context(context), Caption(caption ? caption : ""),
      HelpContext(helpContext)
{
    AddSpin(IntervalSpinId, IntervalId, TViewOptionsForm::MaxIntervalSecs, TViewOptionsForm::MinIntervalSecs,
            TViewOptionsForm::IntervalStep);
}

TViewOptionsDialog::~TViewOptionsDialog() = default;

void TViewOptionsDialog::AddColour(int buttonId, int swatchId, uint32_t* colour)
{
    Colours.push_back({buttonId, colour, std::make_unique<TColorSwatch>(this, swatchId)});
}

void TViewOptionsDialog::AddSpin(int spinId, int editId, float maximum, float minimum, float step)
{
    auto edit = std::make_unique<TEdit>(this, editId);
    auto bar = std::make_unique<LimitScroll>(this, spinId, nullptr, edit.get(), maximum, minimum, step);
    Spins.push_back({std::move(edit), std::move(bar)});
}

void TViewOptionsDialog::AddLevelSpins(const TViewOptionsForm::TLimits& limits)
{
    AddSpin(PlotTopSpinId, PlotTopId, limits.TopMax, limits.TopMin, limits.Step);
    AddSpin(PlotRangeSpinId, PlotRangeId, limits.RangeMax, limits.RangeMin, limits.Step);
}

void TViewOptionsDialog::AddSpanSpins(float low, float high)
{
    AddSpin(StartSpinId, StartId, high, low, TViewOptionsForm::FrequencyStep);
    AddSpin(StopSpinId, StopId, high, low, TViewOptionsForm::FrequencyStep);
}

LimitScroll* TViewOptionsDialog::Spin(int spinId) const
{
    for (const TSpinBar& s : Spins)
        if (s.Bar->GetId() == spinId) return s.Bar.get();
    return nullptr;
}

void TViewOptionsDialog::Enable(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids) ::EnableWindow(GetDlgItem(id), enable);
}

void TViewOptionsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    PrepareControls();
    Spin(IntervalSpinId)->SetPrecision(2);
    Binding().Fill(*this, FieldsOfRecord());
    ShowSwatches();
    ShowIntervalState();
    ShowStates();
    SetCaption(Caption.c_str());
}

void TViewOptionsDialog::ShowSwatches()
{
    for (const TColourButton& c : Colours) ShowColorSwatch(this, c.ButtonId, c.Swatch.get(), TColor(*c.Colour));
}

void TViewOptionsDialog::ShowIntervalState()
{
    Enable({IntervalId, IntervalSpinId}, ::IsDlgButtonChecked(HWindow, AtIntervalsId) == BST_CHECKED);
}

void TViewOptionsDialog::CmInterval(UINT) { ShowIntervalState(); }

// The chooser starts at the record's colour; its Cancel gives that colour back.
void TViewOptionsDialog::CmColour(UINT id)
{
    for (const TColourButton& c : Colours)
        if (c.ButtonId == int(id)) {
            *c.Colour = COLORREF(ChooseColorDialog(this, TColor(*c.Colour)));
            ShowColorSwatch(this, c.ButtonId, c.Swatch.get(), TColor(*c.Colour));
        }
}

void TViewOptionsDialog::CmOk()
{
    TFields fields = FieldsOfRecord();
    Binding().Collect(*this, fields);
    const TViewOptionsForm::TOutcome outcome = Store(fields);
    if (outcome.Refused) {
        MessageBox(outcome.Message.c_str(), "Tonalyx", MB_OK | outcome.Style);
        return;
    }
    TDialog::CmOk();
}

// The controls only, over what they show now; the colours are the record's at once.
void TViewOptionsDialog::CmDefaults()
{
    TFields fields = FieldsOfRecord();
    Binding().Collect(*this, fields);
    Defaults(fields);
    Binding().Fill(*this, fields);
    ShowSwatches();
    ShowIntervalState();
    ShowStates();
}

void TViewOptionsDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }

void TViewOptionsDialog::ShowSpanState()
{
    Enable({StartId, StartSpinId, StopId, StopSpinId}, ::IsDlgButtonChecked(HWindow, CustomSpanId) == BST_CHECKED);
}

void TViewOptionsDialog::ChooseSpan(const char* format)
{
    ShowSpanState();
    const double low = double(Context.Low), high = double(Context.High);
    const auto show = [&](int id, double value) { SetItemText(id, TViewOptionsForm::Format(format, value).c_str()); };
    if (::IsDlgButtonChecked(HWindow, FullSpanId) == BST_CHECKED) {
        show(StartId, low);
        show(StopId, high);
        return;
    }
    const double start = TFieldText::ToFloat(GetItemText(StartId));
    const double stop = TFieldText::ToFloat(GetItemText(StopId));
    if (start < low || start > high) show(StartId, low);
    if (stop < low || stop > high) show(StopId, high);
}
