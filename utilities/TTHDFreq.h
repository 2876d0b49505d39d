#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "utilities/TThdFreqRun.h"
#include "utilities/TThdFreqScale.h"
#include "views/TPlotBase.h"

class TButton;
class TGauge;
class TOverlayData;
class TThdFreqHost;
class TWaveData;

// The THD+N versus frequency window: plays a stepped sine and records the
// answer in full duplex, then draws each channel's THD+N against frequency
// (left above right with two channels) with limit curves; loads, saves,
// copies and prints the results.
class TTHDFreq : public TPlotBase, private TThdFreqRun::TProgress {
public:
    enum ControlId {
        StartId = 101, GaugeId = 105, LoadId = 107, SaveId = 108, PrintId = 109, OptionsId = 110
    };
    enum MenuId { MenuCopyText = 801, MenuCopyBitmap = 802, MenuProperties = 803, MenuHelp = 804 };
    static constexpr DWORD HelpContext = 745;
    static constexpr const char* Title = "THD+N vs Frequency";

    TTHDFreq(TMDIClient& parent, TViewHost& host, TThdFreqHost& thd);
    ~TTHDFreq() override;

    const char* GetClassName() override { return "THDFreqClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& update) override;
    void UpdateLayout() override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    void EvRButtonDown(UINT keys, const TPoint& point) override;

    // The measurement (Start); the command language calls it too.
    void CmStart();
    // Lets the results go without asking to save them (an unattended start).
    void DiscardChanges() { Changed = false; }
    // The .thd files: bare names are taken in the "thd" folder. SaveFile and
    // LoadFile answer whether the file was written or read.
    bool SaveFile(const std::string& name);
    bool LoadFile(const std::string& name);
    void CmLoad();
    void CmSave();
    // The print job through the main window: the Print button's interactive
    // one, or on the default printer without a dialog.
    void PrintPlot(bool interactive);
    using TPlotBase::PrintPlot;
    void CmPrint() { PrintPlot(true); }
    // 1 to go on, 0 when the user cancels; asks to save unsaved results.
    int QuerySave();
    // -1 without points, -2 without a usable limit, else 1 when a point of
    // the channel lies above its limit.
    int CompareToLimits(int channel);

    void CopyAsText();
    void CopyAsBitmap();
    // The text CopyAsText puts on the clipboard.
    std::string ResultText() const;

    // The results and state the tests and the DDE items read.
    const std::vector<TThdPoint>& LeftPoints() const { return Left; }
    const std::vector<TThdPoint>& RightPoints() const { return Right; }
    const std::string& FileName() const { return ResultFile; }
    bool IsChanged() const { return Changed; }
    bool IsRunning() const { return Running; }
    bool Overloaded() const { return Overload; }
    bool TooLow() const { return LevelTooLow; }
    // The text the status line shows now, empty for none.
    const char* StatusText() const;
    const std::vector<TThdFreqScale::TTick>& FrequencyTicks() const { return FreqTicks; }
    const std::vector<TThdFreqScale::TTick>& AmplitudeTicks() const { return AmpTicks; }

    void EvSysCommand(UINT cmdType, const TPoint& point);
    void EvDestroy();
    void EvLButtonDblClk(UINT keys, const TPoint& point);

protected:
    // The measurement's stages after the signal is built.
    void Acquire();
    void BeginProgress();
    void EndProgress();
    bool Show(int percent, const char* text) override;

private:
    // The upper pane with two channels, the only one with one.
    TRect FirstPane() const;
    // The save dialog and the save; true when the results were written.
    bool SaveWithDialog();
    int FrequencyToX(float frequency) const { return TThdFreqScale::ToPixel(FreqScale, frequency); }
    int ValueToY(float value) const { return TThdFreqScale::ToPixel(AmpScale, value); }
    void BuildScales();
    void PlaceButtons();
    void CmOptions();
    void CmHelp();
    // The gauge and the progress text, then Esc from the window's and the main window's queues.
    bool PollEscape();
    void WriteDebugCapture();

    // Painting (TTHDFreqPaint.cpp).
    void PaintPane(TDC& dc, const TRect& pane, const TRect& update, int channel, bool frequencyAxis, bool status);
    void PaintBackground(TDC& dc, const TRect& pane);
    void PaintTitle(TDC& dc, const TRect& pane, const char* title);
    void PaintGrids(TDC& dc, const TRect& pane);
    void PaintAmplitudeAxis(TDC& dc, const TRect& pane);
    void PaintFrequencyAxis(TDC& dc, const TRect& pane);
    void PaintStatusMessage(TDC& dc, const TRect& pane);
    void PaintLimitCurve(TDC& dc, const TRect& pane, const TOverlayData& limit);
    void PaintCurve(TDC& dc, const TRect& pane, const std::vector<TThdPoint>& points);
    TColor PenColour(COLORREF colour) const;

    TThdFreqHost& Thd;
    // A working copy of the host's settings: a run and a load change it and
    // hand it back through the host's door.
    THDFreqSettings Opts;
    TThdFreqRun Run;
    std::unique_ptr<TWaveData> Capture;
    std::vector<TThdPoint> Left;
    std::vector<TThdPoint> Right;
    std::string ResultFile;
    bool Running = false;
    bool Changed = false;
    bool Overload = false;
    bool LevelTooLow = false;

    std::unique_ptr<TButton> StartButton;
    std::unique_ptr<TGauge> Gauge;
    std::unique_ptr<TButton> LoadButton;
    std::unique_ptr<TButton> SaveButton;
    std::unique_ptr<TButton> PrintButton;
    std::unique_ptr<TButton> OptionsButton;
    std::string ProgressText;

    std::vector<float> FreqScale;
    std::vector<float> AmpScale;
    std::vector<TThdFreqScale::TTick> FreqTicks;
    std::vector<TThdFreqScale::TTick> AmpTicks;

    std::unique_ptr<TPopupMenu> BuildContextMenu() const override;

    DECLARE_RESPONSE_TABLE(TTHDFreq);
};
