#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "engine/TWaveData.h"
#include "framework/TComboBox.h"
#include "framework/TDialog.h"
#include "framework/TStatic.h"

// Save Signal To Wave File's length: the signal's own length and a
// multiplier of 1 to 20, with the total it makes. Cancel leaves the
// caller's multiplier as it was.
class TSignalToWaveOptionsDialog : public TDialog {
public:
    static constexpr int MaxMultiplier = 20;

    TSignalToWaveOptionsDialog(TWindow* parent, const char* resource, TWaveData* signal, int32_t* multiplier,
                               HFONT font);

    void SetupWindow() override;
    void CmOk() override;
    virtual void UpdateLength();

private:
    void ListNotify(UINT code);

    TWaveData* Signal;
    int32_t* Multiplier;
    HFONT Font;
    std::unique_ptr<TStatic> SignalLength, TotalLength;
    std::unique_ptr<TComboBox> MultiplierList;

    DECLARE_RESPONSE_TABLE(TSignalToWaveOptionsDialog);
};
