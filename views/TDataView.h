#pragma once
#include <memory>
#include "framework/TWindow.h"
#include "views/TDataViewCells.h"

class TDC;
class TScroller;
class TSpectralData;
class TViewHost;

// The numbers a plot view shows, listed: one row per bin or sample, the
// frequency or time and one or two value columns. It keeps no copy: every
// paint reads the host's current data, and only the visible rows.
class TDataView : public TWindow {
public:
    // Asks the source view to close the listing, which is the view's to destroy.
    static constexpr UINT CloseRequest = WM_USER + 101;
    // Rows shown for a time series whose blocks are missing.
    static constexpr long MissingSeriesRows = 12;

    // seriesScale: the time-series view's amplitude scale, read at each
    // paint (null for the spectral listings).
    TDataView(TWindow* parent, TViewHost& host, const char* title, const TSpectralData* source,
              TDataViewCells::Kind type, const uint16_t* seriesScale = nullptr);
    ~TDataView() override;

    const char* GetClassName() override { return "DataViewClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;
    virtual void PaintGrid(TDC& dc);
    virtual void PaintValues(TDC& dc, const TRect& rect);

    // A new source, and the caption that names it.
    void UpdateCaption(const TSpectralData* source);
    // New data: the value cells again, not the header or the first column.
    void Refresh();
    long GetTopRow() const;
    TDataViewCells::Kind GetType() const { return Type; }

    void EvSize(UINT sizeType, const TSize& size);
    void EvVScroll(UINT code, UINT pos, HWND bar);
    void EvHScroll(UINT code, UINT pos, HWND bar);
    void EvSysCommand(UINT cmdType, const TPoint& point);

private:
    // The header row and the data rows of the data as it is now.
    long RowCount() const;
    int Columns() const;
    uint32_t SeriesCount() const;
    void PaintSpectral(TDC& dc, const TRect& rect, int visible);
    void PaintSeries(TDC& dc, const TRect& rect, int visible);
    void Cell(TDC& dc, const TRect& rect, int row, int column, const std::string& text);
    void Scroll(UINT code, UINT pos, bool vertical);

    TViewHost& Host;
    TDataViewCells::Kind Type;
    const TSpectralData* Source;
    const uint16_t* SeriesScale;
    bool Painting = true;
    std::unique_ptr<TScroller> Rows;

    DECLARE_RESPONSE_TABLE(TDataView);
};
