#include "dialogs/TSettingsDialog.h"

#include <cstring>
#include <iterator>
#include "dialogs/TAveragingChoices.h"
#include "dialogs/TDialogHost.h"
#include "dialogs/TFieldText.h"
#include "base/TEngineHost.h"
#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "framework/LimitScroll.h"
#include "framework/TComboBox.h"
#include "framework/TDialogBinding.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

using Form = TProcessingSettingsForm;

DEFINE_RESPONSE_TABLE1(TSettingsDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(TSettingsDialog::RateId, EvRate)
    EV_CHILD_NOTIFY_ALL_CODES(TSettingsDialog::FftSizeId, EvFftSize)
    EV_CHILD_NOTIFY_ALL_CODES(TSettingsDialog::DecimationId, EvDecimation)
    EV_CHILD_NOTIFY_ALL_CODES(TSettingsDialog::OverlapId, EvOverlap)
    EV_CHILD_NOTIFY_ALL_CODES(TSettingsDialog::MonoId, EvMono)
    EV_CHILD_NOTIFY_ALL_CODES(TSettingsDialog::StereoId, EvStereo)
    EV_CHILD_NOTIFY_ALL_CODES(TSettingsDialog::AverageModeId, EvAveragingMode)
    EV_COMMAND(TSettingsDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TSettingsDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

// Window names the list leaves out (compared over this many characters).
const char* const HiddenWindow = "Gaussian";
constexpr size_t WindowNameCompare = 20;

std::unique_ptr<TComboBox> Bind(TWindow* dialog, int id) { return std::make_unique<TComboBox>(dialog, id); }

// The fields and plain lists over the form's fields; the FFT size, window
// and speed lists map their entries apart, and the form checks and stores.
const TDialogBinding<Form::TFields>& Binding()
{
    using D = TSettingsDialog;
    using F = Form::TFields;
    constexpr int length = TFieldText::NumberLength;
    static const TDialogBinding<F> binding =
        TDialogBinding<F>()
            .Text(D::DecimationId, &F::Decimation, length)
            .Check(D::LowPassId, &F::LowPass)
            .Selection(D::PeakHoldId, &F::PeakHold, int(std::size(TAveragingChoices::Speeds)))
            .Text(D::OverlapId, &F::Overlap, length)
            .Selection(D::AverageModeId, &F::AverageMode, int(std::size(TAveragingChoices::Modes)))
            .Selection(D::AverageTypeId, &F::AverageType, int(std::size(TAveragingChoices::Types)))
            .Check(D::IndependentId, &F::Independent)
            .Selection(D::ChannelProcessingId, &F::ChannelProcessing, Form::ChannelModeCount)
            .Text(D::DelayId, &F::Delay, length)
            .Check(D::LeftDelayId, &F::LeftDelayed)
            .Check(D::RightDelayId, &F::RightDelayed)
            .Check(D::OverloadId, &F::OverloadDetection)
            .Check(D::ExcludeId, &F::ExcludeOverloaded);
    return binding;
}

void SelectByData(TComboBox& list, int data)
{
    list.SetSelIndex(-1);
    for (int i = 0; i < list.GetCount(); ++i)
        if (int(list.SendMessage(CB_GETITEMDATA, WPARAM(i))) == data) list.SetSelIndex(i);
}

}

TSettingsDialog::TSettingsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                 AnalysisSettingsStruct* settings, bool formatLocked, uint16_t inputDevice)
    : TDialog(parent, templateName), Host(host), Settings(settings), FormatLocked(formatLocked)
{
    {
        TEngineWait wait;
        Input = std::make_unique<TSoundInput>(inputDevice);
    }
    Rates = Bind(this, RateId);
    FftSizes = Bind(this, FftSizeId);
    Windows = Bind(this, WindowId);
    ChannelModes = Bind(this, ChannelProcessingId);
    AverageModes = Bind(this, AverageModeId);
    AverageTypes = Bind(this, AverageTypeId);
    Speeds = Bind(this, SpeedId);
    PeakHolds = Bind(this, PeakHoldId);
    Decimation = std::make_unique<TEdit>(this, DecimationId);
    Overlap = std::make_unique<TEdit>(this, OverlapId);
    Delay = std::make_unique<TEdit>(this, DelayId);
    DecimationSpin = std::make_unique<LimitScroll>(this, DecimationSpinId, nullptr, Decimation.get(),
                                                   float(Form::MaxDecimation), 1.0f, 1.0f);
    OverlapSpin = std::make_unique<LimitScroll>(this, OverlapSpinId, nullptr, Overlap.get(),
                                                float(AnalysisSettingsStruct::MaxOverlapPercent), 0.0f, 1.0f);
    // One sample period per step.
    const uint32_t rate = settings->Format.SamplingRate;
    DelaySpin = std::make_unique<LimitScroll>(this, DelaySpinId, nullptr, Delay.get(), float(Form::MaxDelayMsec),
                                              0.0f, rate ? 1000.0f / float(rate) : 0.1f);
    DelaySpin->SetPrecision(3);
}

TSettingsDialog::~TSettingsDialog() = default;

bool TSettingsDialog::InputAccepts(uint32_t rate, uint16_t bytesPerSample, uint16_t channels)
{
    return Input->QueryFormat(rate, bytesPerSample, channels) != 0;
}

TWaveFormat TSettingsDialog::InputLargestFormat()
{
    return TWaveFormat(Input->GetMaxRate(), Input->GetMaxChannels(), Input->GetMaxBytesPerSample());
}

void TSettingsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    TEngineWait wait;
    CenterWindow(GetParentH(), HWindow);
    FillRates();
    FillLists();
    ShowFormat();
    const Form::TFields shown = Form::FieldsOf(*Settings);
    Binding().Fill(*this, shown);
    FftSizes->SetSelIndex(shown.FftIndex);
    SelectByData(*Windows, shown.Window);
    if (!Host.IsPostProcessing()) {
        ::EnableWindow(GetDlgItem(OverlapId), FALSE);
        ::EnableWindow(GetDlgItem(OverlapSpinId), FALSE);
    }
    FillAveragingSpeeds();
    if (IsItemChecked(MonoId) == BST_CHECKED) EnableStereoControls(false);
    UpdateReadouts();
}

// A locked format (data of a file) or a missing input port shows the stored
// rate alone; otherwise the rates the device takes as 16-bit mono.
void TSettingsDialog::FillRates()
{
    const bool storedOnly = FormatLocked || !Host.HasInputPort();
    for (uint32_t rate : Form::RateList(Settings->Format.SamplingRate, storedOnly,
                                        [this](uint32_t r) { return InputAccepts(r, 2, 1); }))
        Rates->AddString(std::to_string(rate).c_str());
    Rates->SetSelIndex(Rates->FindExactString(std::to_string(Settings->Format.SamplingRate).c_str()));
}

void TSettingsDialog::FillLists()
{
    for (int i = 0; i < Form::FftSizeCount; ++i) FftSizes->AddString(std::to_string(Form::FftSize(i)).c_str());
    for (const char* text : TAveragingChoices::Speeds) PeakHolds->AddString(text);
    for (uint16_t type = 0; type < TSmoothing::GetWindowCount(); ++type) {
        char name[TSmoothing::NameLength + 1];
        TSmoothing::GetWindowName(type, name);
        if (std::strncmp(name, HiddenWindow, WindowNameCompare) == 0) continue;
        const int index = Windows->AddString(name);
        Windows->SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(type));
    }
    for (const char* text : TAveragingChoices::Modes) AverageModes->AddString(text);
    for (const char* text : TAveragingChoices::Types) AverageTypes->AddString(text);
    for (const char* text : Form::ChannelModes) ChannelModes->AddString(text);
}

// The stored format, within what the device takes; a locked format only shows.
void TSettingsDialog::ShowFormat()
{
    const int bits = Settings->Format.BytesPerSample == 1 ? Bits8Id : Settings->Format.BytesPerSample == 3 ? Bits24Id
                                                                                                            : Bits16Id;
    CheckItem(Bits8Id, bits == Bits8Id);
    CheckItem(Bits16Id, bits == Bits16Id);
    CheckItem(Bits24Id, bits == Bits24Id);
    CheckItem(MonoId, Settings->Format.NumChannels == 1);
    CheckItem(StereoId, Settings->Format.NumChannels == 2);
    if (FormatLocked) {
        for (int id : {int(RateId), int(Bits8Id), int(Bits16Id), int(Bits24Id), int(MonoId), int(StereoId)})
            ::EnableWindow(GetDlgItem(id), FALSE);
        return;
    }
    const TWaveFormat largest = InputLargestFormat();
    if (largest.NumChannels == 1) {
        CheckItem(MonoId, BST_CHECKED);
        CheckItem(StereoId, BST_UNCHECKED);
        ::EnableWindow(GetDlgItem(StereoId), FALSE);
    }
    if (largest.BytesPerSample == 1) {
        CheckItem(Bits8Id, BST_CHECKED);
        CheckItem(Bits16Id, BST_UNCHECKED);
        CheckItem(Bits24Id, BST_UNCHECKED);
        ::EnableWindow(GetDlgItem(Bits16Id), FALSE);
    }
    if (largest.BytesPerSample <= 2) ::EnableWindow(GetDlgItem(Bits24Id), FALSE);
}

void TSettingsDialog::FillAveragingSpeeds()
{
    Speeds->ClearList();
    if (AverageModes->GetSelIndex() == AnalysisSettingsStruct::BlockAveraging) {
        for (const char* text : TAveragingChoices::BlockCounts) Speeds->AddString(text);
        Speeds->SetSelIndex(TAveragingChoices::BlockCountIndex(Settings->AverageBlocks));
    } else {
        for (const char* text : TAveragingChoices::Speeds) Speeds->AddString(text);
        Speeds->SetSelIndex(Settings->AverageSpeed);
    }
}

void TSettingsDialog::EnableStereoControls(bool stereo)
{
    if (!stereo) ChannelModes->SetSelIndex(0);
    for (int id : {int(IndependentId), int(ChannelProcessingId), int(DelayId), int(DelaySpinId), int(LeftDelayId),
                   int(RightDelayId)})
        ::EnableWindow(GetDlgItem(id), stereo);
}

std::string TSettingsDialog::FieldText(int id) const
{
    char text[TFieldText::NumberLength + 1] = {};
    GetItemText(id, text, sizeof text);
    return text;
}

void TSettingsDialog::UpdateReadouts()
{
    Form::TReadouts r;
    if (!Form::Readouts(FieldText(RateId), FftSizes->GetSelIndex(), FieldText(DecimationId), FieldText(OverlapId),
                        Host.IsPostProcessing(), r))
        return;
    SetItemText(ResolutionId, r.Resolution.c_str());
    SetItemText(LimitId, r.Limit.c_str());
    SetItemText(TimeId, r.Time.c_str());
}

void TSettingsDialog::EvRate(UINT code)
{
    // The edit field of the list takes the chosen text only after this
    // notification; choosing the entry again puts it there now.
    if (code == CBN_SELCHANGE) Rates->SetSelIndex(Rates->GetSelIndex());
    UpdateReadouts();
}

void TSettingsDialog::EvFftSize(UINT) { UpdateReadouts(); }

void TSettingsDialog::EvDecimation(UINT)
{
    UpdateReadouts();
    ::EnableWindow(GetDlgItem(LowPassId), TFieldText::ToInt(FieldText(DecimationId)) != 1);
}

void TSettingsDialog::EvOverlap(UINT) { UpdateReadouts(); }

void TSettingsDialog::EvMono(UINT code)
{
    if (code == BN_CLICKED) EnableStereoControls(false);
}

void TSettingsDialog::EvStereo(UINT code)
{
    if (code != BN_CLICKED) return;
    EnableStereoControls(true);
    ChannelModes->SetSelIndex(2);
}

void TSettingsDialog::EvAveragingMode(UINT code)
{
    if (code != CBN_SELCHANGE) return;
    FillAveragingSpeeds();
    if (AverageModes->GetSelIndex() == AnalysisSettingsStruct::TimedAveraging) AverageTypes->SetSelIndex(0);
}

// The rate, width and channels on screen, stored once the rate is above 0
// and, when the device refuses the format, the user wants it anyway.
bool TSettingsDialog::StoreFormat()
{
    if (FormatLocked) return true;
    uint16_t bytes = 1;
    if (IsItemChecked(Bits16Id)) bytes = 2;
    if (IsItemChecked(Bits24Id)) bytes = 3;
    const uint16_t channels = IsItemChecked(StereoId) ? 2 : 1;
    uint32_t rate = 0;
    const Form::TVerdict verdict = Form::CheckRate(FieldText(RateId), rate);
    if (!verdict.Passed) {
        MessageBox(verdict.Message.c_str(), "Tonalyx", MB_OK | verdict.Style);
        return false;
    }
    if (!InputAccepts(rate, bytes, channels)
        && MessageBox(RateQuestion, "Tonalyx", MB_YESNO | MB_ICONQUESTION) == IDNO)
        return false;
    Settings->Format.SamplingRate = rate;
    Settings->Format.BytesPerSample = bytes;
    Settings->Format.NumChannels = channels;
    return true;
}

TProcessingSettingsForm::TFields TSettingsDialog::ReadFields() const
{
    Form::TFields f;
    Binding().Collect(*this, f);
    f.FftIndex = FftSizes->GetSelIndex();
    f.SpeedIndex = Speeds->GetSelIndex();
    if (f.SpeedIndex >= 0) f.SpeedText = Speeds->GetString(f.SpeedIndex);
    const int window = Windows->GetSelIndex();
    f.Window = window < 0 ? -1 : int(Windows->SendMessage(CB_GETITEMDATA, WPARAM(window)));
    return f;
}

void TSettingsDialog::CmOk()
{
    if (!StoreFormat()) return;
    const Form::TOutcome outcome = Form::Store(ReadFields(), Host.IsPostProcessing(), *Settings);
    if (outcome.Failed != Form::TField::None) {
        MessageBox(outcome.Verdict.Message.c_str(), "Tonalyx", MB_OK | outcome.Verdict.Style);
        if (outcome.Failed == Form::TField::Overlap) SetItemText(OverlapId, Form::DefaultOverlap);
        return;
    }
    if (Settings->FFTsize > Form::LargestUncheckedFft && !Host.MemoryAllows(*Settings)) return;
    TDialog::CmOk();
}

// Sets the controls only; the record changes at OK.
void TSettingsDialog::CmDefaults()
{
    if (!FormatLocked) {
        const int rate = Rates->FindExactString(std::to_string(Form::DefaultRate).c_str());
        if (rate >= 0) Rates->SetSelIndex(rate);
        CheckItem(Bits8Id, BST_UNCHECKED);
        CheckItem(Bits16Id, BST_CHECKED);
        CheckItem(Bits24Id, BST_UNCHECKED);
        CheckItem(MonoId, BST_CHECKED);
        CheckItem(StereoId, BST_UNCHECKED);
        EnableStereoControls(false);
    }
    FftSizes->SetSelIndex(Form::DefaultFftIndex);
    SetItemText(DecimationId, "1");
    CheckItem(LowPassId, BST_CHECKED);
    AverageModes->SetSelIndex(AnalysisSettingsStruct::BlockAveraging);
    AverageTypes->SetSelIndex(0);
    // The block counts, not the meter speeds, must be in the list before
    // the fourth entry is chosen.
    Speeds->ClearList();
    for (const char* text : TAveragingChoices::BlockCounts) Speeds->AddString(text);
    Speeds->SetSelIndex(Form::DefaultSpeedIndex);
    PeakHolds->SetSelIndex(Form::DefaultPeakHold);
    SelectByData(*Windows, Form::DefaultWindow);
    SetItemText(OverlapId, Form::DefaultOverlap);
    CheckItem(IndependentId, BST_UNCHECKED);
    ChannelModes->SetSelIndex(0);
    SetItemText(DelayId, Form::DefaultDelay);
    CheckItem(LeftDelayId, BST_UNCHECKED);
    CheckItem(RightDelayId, BST_CHECKED);
    CheckItem(OverloadId, BST_CHECKED);
    CheckItem(ExcludeId, BST_UNCHECKED);
    UpdateReadouts();
}

void TSettingsDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
