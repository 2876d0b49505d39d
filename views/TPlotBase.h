#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>

#include "framework/TBitmap.h"
#include "framework/TFont.h"
#include "framework/TGdiCache.h"
#include "framework/TMDIChild.h"
#include "framework/TPoint.h"
#include "framework/TRect.h"
#include "framework/TScrollBar.h"
#include "framework/TSize.h"
#include "views/TDataViewCells.h"
#include "views/TPlotDevice.h"
#include "views/TPrintOptions.h"
#include "views/TViewMenu.h"

// wingdi.h names a CMYK macro after the views' y-value query.
#undef GetYValue

class TCommandEnabler;
class TDataView;
class TDC;
class TPopupMenu;
class TSpectralData;
class TMDIClient;
class TViewHost;

// The MDI child every plot window derives from: the page layout (button
// strip, one or two framed panes, an optional scroll bar), the logo shown
// while stopped, the cursors, readout boxes, crosshair and selection of the
// left mouse button, and the virtual operations through which the pipeline,
// printing and the Edit menu reach any view.
class TPlotBase : public TMDIChild {
public:
    static constexpr int ScrollBarId = 201;
    static constexpr int ScrollBarThickness = 16;

    TPlotBase(TMDIClient& parent, TViewHost* mainWin, const char* title);
    ~TPlotBase() override;

    virtual void CalcPaneRects();
    virtual void PlaceScrollBar();
    virtual int GetScrollBarHeight();
    virtual void ShowScrollBar();
    virtual void HideScrollBar();
    virtual void SetSelectionRect(const TPoint& point);
    virtual void SetSelection(const TRect& rect);
    virtual void ResetVisibleRange();
    virtual void ResetScrollRange();
    virtual void SetPaneMode(int mode);
    virtual void ClearSelection();
    virtual void UpdateBackgroundBrush();
    virtual void DrawXReadout(TDC& dc, const TRect& pane, const TPoint& point, float value);
    virtual void EraseXReadout(TDC& dc, const TRect& pane, const TPoint& point);
    virtual void DrawYReadout(TDC& dc, const TRect& pane, const TPoint& point, float value);
    virtual void EraseYReadout(TDC& dc, const TRect& pane, const TPoint& point);
    virtual void DrawCrosshair(TDC& dc, const TRect& pane, const TPoint& point);
    virtual void DrawHarmonicCursors(TDC& dc, const TRect& pane, const TPoint& point);
    virtual void DrawSidebandCursors(TDC& dc, const TRect& pane, const TPoint& point);
    virtual void DrawSelectionFrame(TDC& dc, const TRect& clip, const TRect& rect);
    virtual void FormatAxisValue(char* text, float value, int format, const char* unit);
    virtual void PaintFrame(TDC& dc, bool erase, TRect& update);
    virtual void PaintGraph(TDC& dc, bool erase, TRect& update);
    virtual void PaintLogo(TDC& dc, const TRect& logoRect, const TRect& update);
    virtual float GetXValue(const TPoint& point);
    virtual float GetYValue(const TPoint& point);
    virtual uint16_t GetHarmonicCount(const TPoint& point);
    virtual TPoint GetHarmonicOffset(int index, const TPoint& point);
    virtual TPoint GetLowerSidebandOffset(int index, const TPoint& anchor, const TPoint& point);
    virtual TPoint GetUpperSidebandOffset(int index, const TPoint& anchor, const TPoint& point);
    virtual uint16_t GetCursorAxis();
    virtual void TrackCursor(const TPoint& point);
    virtual void BeginCursorDraw(TDC& dc);
    virtual void EndCursorDraw(TDC& dc);
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    const char* GetClassName() override { return "PlotBaseClass"; }
    void Paint(TDC& dc, bool erase, TRect& update) override;
    virtual void EvLButtonDown(UINT keys, const TPoint& point);
    virtual void EvLButtonUp(UINT keys, const TPoint& point);
    virtual void EvRButtonDown(UINT keys, const TPoint& point);
    virtual void EvRButtonUp(UINT keys, const TPoint& point);
    virtual void EvMouseMove(UINT keys, const TPoint& point);
    void EvSysCommand(UINT cmdType, const TPoint& point);
    virtual void ScrollNotify(UINT code);
    virtual void UpdateLayout();
    virtual void NewData(float time);
    virtual void PreparePrintLayout(TDC& dc, TPrintOptions options);
    // The whole view drawn into a printer context inside a started page,
    // framed inside the print margins below the header box: laid out by the
    // view for the page (selfLayout), or its window's picture scaled onto it.
    virtual void PrintPlot(TDC& dc, bool selfLayout);
    // Lines of the view's own on a printed page, between the title lines and
    // the comments; most views have none.
    virtual void PrintExtraHeader(TDC&) {}
    virtual int CanCut() { return 0; }
    virtual int CanCopy() { return 0; }
    virtual int CanPaste() { return 0; }
    virtual int CanFilter() { return 0; }
    virtual int CanPlay() { return 0; }
    virtual void GetSelectedSegment(float& start, float& end);

    TRect GetPaneRect(const TPoint& point) const;
    TRect PaneRectToScreen(const TRect& rect) const;
    void InvalidateLogo();
    // The client area below the button strip, framed by a black line: on the
    // clipboard as CF_BITMAP, or in a BMP file asked of the user or named.
    void CopyAsBitmap();
    void SaveAsBitmap();
    bool WriteBitmapFile(const char* path);
    void LoadLogo();
    void Draw3DFrame(TDC& dc, const TRect& rect, int width);
    // The device painting goes to: the page while printing, else the window.
    const TPlotDevice& Device() const;

    // The view's numbers listed in a window of their own (TPlotBaseDataView.cpp):
    // opened, or closed when open; told of new data and of a new source.
    void ToggleDataView(const TSpectralData* source, TDataViewCells::Kind kind, const uint16_t* seriesScale = nullptr);
    void RefreshDataView();
    void DataViewSource(const TSpectralData* source);
    const TDataView* GetDataView() const { return DataView.get(); }
    // The listing's close box asks the view to close it.
    LRESULT EvDataViewClose(WPARAM, LPARAM);
    // Its menu row, checked while the listing is open.
    void CeDataView(TCommandEnabler& ce);

    // The main window, seen through what a view may ask of it.
    TViewHost* MainWin;
    std::unique_ptr<TFont> Font;
    int FontHeight = 0;
    // Set while the view paints a printed page: chooses Device().
    int PrintMode = 0;
    HCURSOR PlotCursor = nullptr;
    HCURSOR BlankCursor = nullptr;
    HCURSOR ArrowCursor = nullptr;
    HCURSOR SelectionCursor = nullptr;
    int PaneMode = 2;
    TRect GraphRect;
    TRect PaneRect1;
    TRect PaneRect2;
    TRect LogoRect;
    // Pixels between the logo and the edges of the button strip.
    static constexpr int LogoInset = 3;
    int ButtonBarHeight = 30;
    int TopInset = 50;
    int BottomInset = 30;
    int LeftMargin = 20;
    int RightMargin = 20;
    int PaneGap = 20;
    TSize XReadoutSize{60, 17};
    TSize YReadoutSize{60, 17};
    std::unique_ptr<TBitmap> XReadoutBitmap;
    std::unique_ptr<TBitmap> XReadoutSaveBitmap;
    std::unique_ptr<TBitmap> YReadoutBitmap;
    std::unique_ptr<TBitmap> YReadoutSaveBitmap;
    float XValue = 0.0f;
    float YValue = 0.0f;
    float ZValue = 0.0f;
    int DeltaMode = 0;
    int HarmonicMode = 0;
    int SidebandMode = 0;
    int Tracking = 0;
    TPoint LastPoint;
    TPoint AnchorPoint;
    float AnchorXValue = 0.0f;
    float AnchorYValue = 0.0f;
    int SelectMode = 0;
    int SelectAxis = 0;
    TRect SelectionRect;
    int ScrollBarShown = 1;
    std::unique_ptr<TScrollBar> ScrollBar;
    int ScrollPos = 0;
    int VisibleStart = 0;
    int VisibleEnd = 100;
    int ScrollRange = 0;
    float LastUpdateTime = 0.0f;
    int XFormat = 101;
    int YFormat = 101;
    char XUnit[10] = {};
    char YUnit[10] = {};
    // The pens, brushes and fonts the view draws with, made once.
    TGdiCache Gdi;

protected:
    void EvSize(UINT sizeType, const TSize& size);
    // A readout box: the screen under it saved into save, then picture with
    // the text centred copied over it; EraseReadout puts the screen back.
    void DrawReadoutText(TDC& dc, const TRect& box, const TBitmap& picture, const TBitmap& save, const char* text);
    void EraseReadout(TDC& dc, const TRect& box, const TBitmap& save);
    void DrawLine(TDC& dc, int x1, int y1, int x2, int y2);
    // Text on a transparent background in font, the view's own when null.
    void DrawText(TDC& dc, int x, int y, const char* text, UINT align, const TFont* font = nullptr);
    // The view's face turned a quarter to read upwards, for vertical axis titles.
    const TFont& RotatedFont();
    // Whether the plot's title is drawn: always in the window; on paper as
    // "PrintPlotTitle" in the settings file says, TRUE unless it reads FALSE.
    bool ShowsTitle() const;
    // The caption name, followed by the data's label while each channel is
    // scaled and calibrated on its own.
    void SetCaptionFor(const char* name, const TSpectralData* data);

    // The right button's menus. While a measurement cursor is held: the
    // cursor menu, its copy acted on at once, then the measurement ends as on
    // a release at the point. Otherwise, on a pane, BuildContextMenu's menu,
    // whose choice arrives as a command. The view is made active first, by
    // any right click with activateOffPanes, else by one that shows a menu.
    void ShowViewMenus(const TPoint& point, bool activateOffPanes);
    // The view's context menu; none by default.
    virtual std::unique_ptr<TPopupMenu> BuildContextMenu() const;
    // The held cursor's values on the clipboard; nothing by default.
    virtual void CopyCursorValues();
    // This view made the active MDI child.
    void ActivateView();
    // The cursor menu at a client point, with a view's own rows after the
    // shared ones; the choice is returned, not sent.
    UINT ShowCursorMenu(const TPoint& point, TViewMenu::TRows ownRows = {});
    // A menu at a client point whose choice arrives as a command.
    void ShowContextMenu(const TPoint& point, TPopupMenu& menu);

private:
    // The host's button-face brush, or null.
    HBRUSH FaceBrush() const;
    void CreateReadoutBitmaps();
    void DeleteReadoutBitmaps();
    TRect XReadoutBox(const TRect& pane, const TPoint& point) const;
    TRect YReadoutBox(const TRect& pane, const TPoint& point) const;
    void DrawReadout(TDC& dc, const TRect& box, const TBitmap& picture, const TBitmap& save, float value, int format,
                     const char* unit);
    void InvalidateReadoutStrips(const TRect& pane);
    void ConfineTo(const TRect& pane);
    // The logo at the top right of the first pane of a printed page.
    void PrintLogo(TDC& dc);
    std::unique_ptr<TBitmap> PictureBelowButtons();

    // "SPLASH_BITMAP", loaded once.
    std::unique_ptr<TBitmap> Logo;
    std::unique_ptr<TDataView> DataView;

    DECLARE_RESPONSE_TABLE(TPlotBase);
};
