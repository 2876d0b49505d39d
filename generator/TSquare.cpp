#include "generator/TSquare.h"

#include "generator/TSignalParamRules.h"
#include "resources/SquareRes.h"

namespace {
constexpr int FrequencyId = IDC_SQUARE_FREQUENCY, FrequencySpinId = IDC_SQUARE_FREQUENCY_SPIN,
    DutyId = IDC_SQUARE_DUTY, DutySpinId = IDC_SQUARE_DUTY_SPIN;
}

const TDialogBinding<SquareParams>& TSquare::Binding()
{
    static const TDialogBinding<SquareParams> binding =
        TDialogBinding<SquareParams>()
            .Number(FrequencyId, &SquareParams::FreqHz, "%6.2f", NumberLength, RealText)
            .Number(DutyId, &SquareParams::DutyCyclePct, nullptr, NumberLength, IntegerText);
    return binding;
}

TSquare::TSquare(TWindow* parent, const char* resource, SquareParams* params, int32_t nyquist, HFONT font,
                 const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 460), Params(params), Nyquist(nyquist),
      FrequencyEdit(std::make_unique<TEdit>(this, FrequencyId, 20)),
      DutyEdit(std::make_unique<TEdit>(this, DutyId, 20)),
      FrequencySpin(std::make_unique<LimitScroll>(this, FrequencySpinId, nullptr, FrequencyEdit.get(), float(nyquist),
                                                  0.0f, 100.0f)),
      DutySpin(std::make_unique<LimitScroll>(this, DutySpinId, nullptr, DutyEdit.get(), 99.0f, 1.0f, 1.0f))
{
}

void TSquare::SetupWindow()
{
    TSignalDialog::SetupWindow();
    Binding().Fill(*this, *Params);
}

void TSquare::CmOk()
{
    SquareParams edited = *Params;
    Binding().Collect(*this, edited);
    std::string message = TSignalParamRules::ShapeFrequency(edited.FreqHz, Nyquist);
    if (message.empty()) message = TSignalParamRules::DutyCycle(edited.DutyCyclePct);
    if (!Accept(message)) return;
    *Params = edited;
    TSignalDialog::CmOk();
}
