#pragma once
#include <memory>
#include "framework/TWindow.h"
#include "utilities/TDelayCorrelator.h"

class TButton;
class TDC;
class TEdit;
class TMDIClient;
class TUtilityHost;

// The delay between the two input channels while the analyser runs: after
// every processed block one block of each channel is cross-correlated and
// the lag shown in ms, feet or metres; a button copies it into the
// processing delay, whose edit box sets it by hand.
class TDelayFinder : public TWindow {
public:
    enum : int { ApplyId = 101, OptionsId = 102, DelayEditId = 103 };
    static constexpr int MinWidth = 342;
    static constexpr int MinHeight = 100;
    static constexpr int EditLength = 20;

    TDelayFinder(TMDIClient& parent, TUtilityHost& host, const char* caption);
    ~TDelayFinder() override;

    const char* GetClassName() override { return "DelayFinderClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;

    // Rebuilds the correlation for the current settings; a mono format closes the window.
    void Initialize();
    // Reads a block of each channel and measures their delay.
    void Update();
    bool FetchBlocks();
    void ClearDelay();
    float GetDelayInUnits() const;
    uint32_t GetFftSize() const { return Correlator ? Correlator->GetBlockSize() : 0; }
    float GetDelayMsec() const { return DelayMsec; }
    // The text the next paint draws.
    std::string DelayText() const;

    void CmApplyDelay();
    void CmOptions();
    void EvDelayEditChange();
    void EvSize(UINT sizeType, const TSize& size);
    void EvSysCommand(UINT cmdType, const TPoint& point);

private:
    void PlaceControls();
    void ShowProcessingDelay();

    TUtilityHost& Host;
    std::unique_ptr<TDelayCorrelator> Correlator;
    std::unique_ptr<TSeriesData> LeftBlock, RightBlock;
    float DelayMsec = 0.0f;
    std::unique_ptr<TButton> ApplyButton, OptionsButton;
    std::unique_ptr<TEdit> DelayEdit;

    DECLARE_RESPONSE_TABLE(TDelayFinder);
};
