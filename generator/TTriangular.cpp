#include "generator/TTriangular.h"

#include "generator/TSignalParamRules.h"
#include "resources/TriangularRes.h"

namespace {
constexpr int FrequencyId = IDC_TRIANGULAR_FREQUENCY, FrequencySpinId = IDC_TRIANGULAR_FREQUENCY_SPIN;
}

const TDialogBinding<TriangularParams>& TTriangular::Binding()
{
    static const TDialogBinding<TriangularParams> binding =
        TDialogBinding<TriangularParams>()
            .Number(FrequencyId, &TriangularParams::FreqHz, "%6.2f", NumberLength, RealText);
    return binding;
}

TTriangular::TTriangular(TWindow* parent, const char* resource, TriangularParams* params, int32_t nyquist,
                         HFONT font, const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 480), Params(params), Nyquist(nyquist),
      FrequencyEdit(std::make_unique<TEdit>(this, FrequencyId, 20)),
      FrequencySpin(std::make_unique<LimitScroll>(this, FrequencySpinId, nullptr, FrequencyEdit.get(), float(nyquist),
                                                  0.0f, 100.0f))
{
}

void TTriangular::SetupWindow()
{
    TSignalDialog::SetupWindow();
    Binding().Fill(*this, *Params);
}

void TTriangular::CmOk()
{
    TriangularParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::ShapeFrequency(edited.FreqHz, Nyquist))) return;
    *Params = edited;
    TSignalDialog::CmOk();
}
