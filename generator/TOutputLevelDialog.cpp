#include "generator/TOutputLevelDialog.h"

#include "generator/TOutputLevelRules.h"
#include "resources/OutputLevelDialogRes.h"

namespace {
constexpr int LeftId = IDC_OUTPUT_LEVEL_LEFT, LeftSpinId = IDC_OUTPUT_LEVEL_LEFT_SPIN,
    RightId = IDC_OUTPUT_LEVEL_RIGHT, RightSpinId = IDC_OUTPUT_LEVEL_RIGHT_SPIN, UnitsId = IDC_OUTPUT_LEVEL_UNITS;
constexpr int TypedId = IDC_OUTPUT_LEVEL_TYPED, UnknownId = IDC_OUTPUT_LEVEL_UNKNOWN,
    PickedId = IDC_OUTPUT_LEVEL_PICKED, FullScaleId = IDC_OUTPUT_LEVEL_FULL_SCALE, CardsId = IDC_OUTPUT_LEVEL_CARDS;
constexpr int Decimals = 3;
}

const TDialogBinding<OutputLevelStruct>& TOutputLevelDialog::Binding()
{
    static const TDialogBinding<OutputLevelStruct> binding =
        TDialogBinding<OutputLevelStruct>()
            // No button stands for an unknown option; none checked is read as unknown.
            .Radio({TypedId, PickedId, UnknownId}, &OutputLevelStruct::FSOption,
                   {FullScaleTyped, FullScalePicked, FullScaleUnknown}, 2, TDialogBindingBase::TFallback::StoredOnly)
            .Number(LeftId, &OutputLevelStruct::OutputLevel, "%6.3f", NumberLength, RealText)
            .Number(RightId, &OutputLevelStruct::OutputLevelR, "%6.3f", NumberLength, RealText)
            .Number(FullScaleId, &OutputLevelStruct::FSLevel, "%6.3f", NumberLength, RealText);
    return binding;
}

DEFINE_RESPONSE_TABLE1(TOutputLevelDialog, TSignalDialog)
    EV_CBN_SELCHANGE(CardsId, CardChanged)
    EV_BN_CLICKED(TypedId, FullScaleOptionChanged)
    EV_BN_CLICKED(UnknownId, FullScaleOptionChanged)
    EV_BN_CLICKED(PickedId, FullScaleOptionChanged)
    EV_CBN_SELCHANGE(UnitsId, UnitsChanged)
END_RESPONSE_TABLE;

TOutputLevelDialog::TOutputLevelDialog(TWindow* parent, const char* resource, OutputLevelStruct* level, HFONT font,
                                       const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 600), Level(level),
      LeftEdit(std::make_unique<TEdit>(this, LeftId, 20)),
      RightEdit(std::make_unique<TEdit>(this, RightId, 20)),
      FullScaleEdit(std::make_unique<TEdit>(this, FullScaleId, 20)),
      LeftSpin(std::make_unique<LimitScroll>(this, LeftSpinId, nullptr, LeftEdit.get(), 0.0f, -96.0f, 1.0f)),
      RightSpin(std::make_unique<LimitScroll>(this, RightSpinId, nullptr, RightEdit.get(), 0.0f, -96.0f, 1.0f)),
      UnitList(std::make_unique<TComboBox>(this, UnitsId)),
      CardList(std::make_unique<TComboBox>(this, CardsId))
{
}

void TOutputLevelDialog::SetupWindow()
{
    TSignalDialog::SetupWindow();
    for (const TOutputLevelRules::TPreset& p : TOutputLevelRules::Presets) CardList->AddString(p.Name);
    CardList->SetSelIndex(Level->FSCardType);
    CardList->EnableWindow(Level->FSOption == FullScalePicked);
    FillUnits(true, Level->OutputUnits);
    LeftSpin->SetPrecision(Decimals);
    RightSpin->SetPrecision(Decimals);
    Binding().Fill(*this, *Level);
}

void TOutputLevelDialog::FillUnits(bool all, int selected)
{
    UnitList->ClearList();
    for (int u = 0; u < (all ? OutputUnitCount : PercentFullScaleUnits + 1); ++u)
        UnitList->AddString(TOutputLevelRules::Units[u].Name);
    UnitList->SetSelIndex(selected);
}

uint16_t TOutputLevelDialog::SelectedOption() const
{
    if (IsChecked(TypedId)) return FullScaleTyped;
    if (IsChecked(PickedId)) return FullScalePicked;
    return FullScaleUnknown;
}

void TOutputLevelDialog::CardChanged()
{
    if (!IsChecked(PickedId)) return;
    const int card = CardList->GetSelIndex();
    if (card < 0 || card >= TOutputLevelRules::PresetCount) return;
    for (int id : {FullScaleId, LeftId, RightId}) SetItemText(id, TOutputLevelRules::Presets[card].Volts);
}

void TOutputLevelDialog::FullScaleOptionChanged()
{
    const uint16_t option = SelectedOption();
    FullScaleEdit->EnableWindow(option == FullScaleTyped);
    CardList->EnableWindow(Level->FSOption == FullScalePicked);
    if (option == FullScaleUnknown) {
        FullScaleEdit->SetText("");
        FillUnits(false, DbFullScaleUnits);
        LeftEdit->SetText("0.0");
        RightEdit->SetText("0.0");
        return;
    }
    FillUnits(true, VoltsUnits);
    if (option == FullScalePicked) {
        CardChanged();
        return;
    }
    LeftEdit->SetText("1.0");
    RightEdit->SetText("1.0");
    for (LimitScroll* spin : {LeftSpin.get(), RightSpin.get()}) {
        spin->SetRange(100.0f, 0.0f);
        spin->SetStep(0.1f);
    }
}

void TOutputLevelDialog::UnitsChanged()
{
    const int unit = UnitList->GetSelIndex();
    if (unit < 0 || unit >= OutputUnitCount) return;
    const TOutputLevelRules::TUnit& u = TOutputLevelRules::Units[unit];
    for (LimitScroll* spin : {LeftSpin.get(), RightSpin.get()}) {
        spin->SetRange(u.SpinMaximum, u.SpinMinimum);
        spin->SetStep(1.0f);
    }
    LeftEdit->SetText(u.LevelText);
    RightEdit->SetText(u.LevelText);
}

bool TOutputLevelDialog::CanClose()
{
    // The lists store their index as it is, none selected included.
    Level->OutputUnits = uint16_t(UnitList->GetSelIndex());
    Level->FSCardType = uint16_t(CardList->GetSelIndex());
    Binding().Collect(*this, *Level);
    return Accept(TOutputLevelRules::Check(*Level));
}
