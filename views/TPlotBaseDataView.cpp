// The numeric listing a plot view opens of its own data.
#include "framework/TCommandEnabler.h"
#include "views/TDataView.h"
#include "views/TPlotBase.h"

void TPlotBase::ToggleDataView(const TSpectralData* source, TDataViewCells::Kind kind, const uint16_t* seriesScale)
{
    if (DataView) {
        DataView.reset();
        return;
    }
    if (!MainWin) return;
    auto view = std::make_unique<TDataView>(this, *MainWin, "", source, kind, seriesScale);
    if (view->Create()) DataView = std::move(view);
}

void TPlotBase::RefreshDataView()
{
    if (DataView) DataView->Refresh();
}

void TPlotBase::DataViewSource(const TSpectralData* source)
{
    if (DataView) DataView->UpdateCaption(source);
}

LRESULT TPlotBase::EvDataViewClose(WPARAM, LPARAM)
{
    DataView.reset();
    return 0;
}

void TPlotBase::CeDataView(TCommandEnabler& ce)
{
    ce.Enable(true);
    ce.SetCheck(DataView ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}
