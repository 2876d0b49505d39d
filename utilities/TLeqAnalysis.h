#pragma once
#include <memory>
#include <string>
#include "framework/TWindow.h"
#include "utilities/TLeqData.h"

class TButton;
class TDC;
class TMDIClient;
class TUtilityHost;

// The equivalent-level meter: takes 8192-frame blocks of each channel from
// the current source after every processed block, feeds one TLeqData per
// channel and shows the nine figures, recalculated at every update interval
// or when the analyser stops.
class TLeqAnalysis : public TWindow {
public:
    enum : int { OptionsId = 102, ResetId = 105, CopyId = 106 };
    static constexpr int MinWidth = 300;
    static constexpr int MinHeight = 220;
    static constexpr float NoTime = -9999.0f;
    // Blocks closer than this in analysis time are not taken twice.
    static constexpr float MinBlockSpacing = 0.1f;

    TLeqAnalysis(TMDIClient& parent, TUtilityHost& host, const char* caption);
    ~TLeqAnalysis() override;

    const char* GetClassName() override { return "LeqAnalysisClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;

    void Rebuild();
    void Refresh();
    bool AcquireBlock();
    // final: the analyser has stopped, which recalculates in either mode.
    void Update(bool final);
    const TLeqData* Data(int channel) const { return channel == 0 ? LeftData.get() : RightData.get(); }
    // The table's value text of a row (0-8) and channel; empty without data.
    std::string ValueText(int row, int channel) const;
    // The clipboard text: both channels' reports.
    std::string CopyText() const;

    void CmOptions();
    void CmReset();
    void CmCopy();
    void EvSize(UINT sizeType, const TSize& size);
    void EvSysCommand(UINT cmdType, const TPoint& point);

private:
    void LayoutButtons();

    TUtilityHost& Host;
    std::unique_ptr<TSeriesData> LeftBlock, RightBlock;
    std::unique_ptr<TLeqData> LeftData, RightData;
    std::unique_ptr<TButton> OptionsButton, ResetButton, CopyButton;
    float StartTime = NoTime;
    float LastBlockTime = NoTime;
    float LastRecalculation = NoTime;

    DECLARE_RESPONSE_TABLE(TLeqAnalysis);
};
