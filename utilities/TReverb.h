#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/TWaveFormat.h"
#include "framework/TPalette.h"
#include "engine/ReverbSettings.h"
#include "utilities/TReverbData.h"
#include "utilities/TReverbLayout.h"
#include "views/TPlotBase.h"

class TButton;
class TComboBoxNonSort;
class TGauge;
class TReverbHost;
class TWaveData;

// The reverberation-time window: measures a room's decay with pink noise
// through the sound card in full duplex, or analyses a segment of a wave,
// and shows T10 to T60 per 1/3-octave band as bars, one band's decay curve
// or a waterfall of all bands; saves, loads, prints and copies the results.
class TReverb : public TPlotBase {
public:
    enum : int {
        StartId = 701, RtPlotId = 702, DecayPlotId = 703, SurfacePlotId = 704, ProgressId = 705, SelectorId = 706,
        LoadId = 707, SaveId = 708, PrintId = 709, OptionsId = 710, TimeId = 711,
        MenuCopyText = 801, MenuCopyBitmap = 802, MenuDecayStart = 803, MenuProperties = 804, MenuHelp = 805,
    };
    static constexpr int ColorCount = 200;
    // The context help topic of the window.
    static constexpr int HelpContext = 650;

    TReverb(TMDIClient& parent, TViewHost* viewHost, TReverbHost& host);
    ~TReverb() override;

    const char* GetClassName() override { return "ReverbClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& update) override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    void BeginCursorDraw(TDC& dc) override;
    void EndCursorDraw(TDC& dc) override;
    void UpdateLayout() override;
    void EvLButtonDown(UINT keys, const TPoint& point) override;
    void EvLButtonUp(UINT keys, const TPoint& point) override;
    void EvMouseMove(UINT keys, const TPoint& point) override;
    void EvRButtonDown(UINT keys, const TPoint& point) override;
    std::unique_ptr<TPopupMenu> BuildContextMenu() const override;

    // 1 to go on (nothing unsaved, or saved, or given up), 0 to keep the data.
    int QuerySave();

    // The measurement (TReverbRun.cpp).
    void CmStart();
    void AnalyzeSegment(TWaveData* wave, float start, float stop);
    void ApplySmoothing();
    void ComputeReverbTimes();

    // The results (TReverbOutput.cpp).
    void CmShowRtPlot() { ShowMode(TReverbLayout::RtBars); }
    void CmShowDecayPlot() { ShowMode(TReverbLayout::DecayCurve); }
    void CmShowSurfacePlot() { ShowMode(TReverbLayout::Surface); }
    void CmLoad();
    void CmSave();
    void CmPrint();
    void CmOptions();
    // Replaces the table only when the whole file is sound; false otherwise,
    // after its message.
    bool ReadReverbFile(const char* name);
    bool WriteReverbFile(const char* name);
    void PrintMethods(TDC& dc, const TRect& page);
    // The two method lines in their box on the printed page.
    void PrintExtraHeader(TDC& dc) override;
    void CopyAsText();
    void CopyAsBitmap();

    // State the tests and the command interpreter read.
    const TReverbData& Data() const { return Table; }
    int32_t GetDisplayMode() const { return DisplayMode; }
    bool IsDataChanged() const { return DataChanged != 0; }
    bool IsFromSegment() const { return FromSegment != 0; }
    bool IsBusy() const { return Busy != 0; }
    bool ShowsCutoffHint() const { return ShowCutoffHint != 0; }
    const std::string& GetFileName() const { return FileName; }
    const TPalette* GetPalette() const { return Palette.get(); }

protected:
    void EvSize(UINT sizeType, const TSize& size);
    void EvSysCommand(UINT cmdType, const TPoint& point);
    void EvLButtonDblClk(UINT keys, const TPoint& point);
    bool EvQueryNewPalette();
    void EvPaletteChanged(HWND changer);
    void EvSelectorChange(UINT code);
    void EvTimeChange(UINT code);

private:
    friend class TReverbProgress;
    TReverbLayout::TGraph Graph() const;
    void ShowMode(int32_t mode);
    void FillSelectors();
    void FillTimeCombo(float shown, double rounding);
    void PlaceButtons();
    void BuildPalette();
    void SetCaptionFromFile();
    // The record with the view's settings as shown.
    ReverbSettings Options() const;
    void StoreOptions(const ReverbSettings& options);
    int Message(const char* text, UINT type, const char* caption = "Tonalyx");

    // Painting (TReverbPaint.cpp).
    void PaintBackground(TDC& dc, const TRect& update);
    void PaintTitle(TDC& dc, const TRect& update);
    void PaintYAxisTitle(TDC& dc, const TRect& update);
    void PaintXAxisTitle(TDC& dc, const TRect& update);
    void PaintMessage(TDC& dc, const TRect& update);
    void PaintRtBars(TDC& dc);
    void PaintDecay(TDC& dc);
    void PaintSurface(TDC& dc);
    void PaintFrequencyLabel(TDC& dc, int x, int entry, const char* text);
    const char* Title(std::string& buffer) const;

    // The run's steps (TReverbRun.cpp).
    void ShowProgress();
    // False once Esc was pressed (or the run stopped otherwise).
    bool SetProgress(int percent, const char* text);
    void HideProgress();
    void BuildExcitation();
    void AcquireResponse();
    void EvaluateLevels();
    void SelectResultDisplay();
    void SelectTimeSpan(float shown);
    void SetDecayStart();
    void CmCopyText() { CopyAsText(); }
    void CmCopyBitmap() { CopyAsBitmap(); }
    void CmDecayStart() { SetDecayStart(); }
    void CmHelp();

    TReverbHost& Host;
    TReverbData Table;
    int32_t Busy = 0;
    int32_t DisplayMode = TReverbLayout::NoData;
    int32_t DataChanged = 0;
    std::string FileName;
    int32_t FromSegment = 0;
    int32_t ShowCutoffHint = 0;
    TWaveFormat Format{44100, 1, 2};
    std::unique_ptr<TWaveData> Captured;
    std::unique_ptr<TWaveData> Excitation;
    int32_t CancelRequested = 0;
    COLORREF ColorMap[ColorCount] = {};
    std::unique_ptr<TPalette> Palette;
    std::unique_ptr<TButton> Buttons[8];
    std::unique_ptr<TGauge> Progress;
    std::unique_ptr<TComboBoxNonSort> TimeCombo;
    std::unique_ptr<TComboBoxNonSort> SelectorCombo;
    std::string ProgressText;
    // Where the context menu was opened, for Set Decay Start Time.
    TPoint MenuPoint;

    DECLARE_RESPONSE_TABLE(TReverb);
};
