#include "dialogs/TOverlayDialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "dialogs/TColorSwatch.h"
#include "dialogs/TDialogHost.h"
#include "base/TEngineHost.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"
#include "views/TOverlayData.h"

namespace {

const char* const OverlayFilter = "Overlay *.ovl; mic comp *.mic; Filter *.flt|";
const COLORREF DefaultColours[TOverlayDialog::Rows] = {RGB(0, 128, 0),     RGB(0, 174, 174), RGB(128, 0, 128),
                                                       RGB(255, 0, 255),   RGB(128, 64, 0),  RGB(255, 128, 64),
                                                       RGB(0, 0, 0)};

}  // namespace

DEFINE_RESPONSE_TABLE1(TOverlayDialog, TDialog)
    EV_BN_CLICKED_RANGE(TOverlayDialog::SaveId, TOverlayDialog::SaveId + TOverlayDialog::Rows - 1, CmSave)
    // The last row has no Load of its own: its button stays disabled.
    EV_BN_CLICKED_RANGE(TOverlayDialog::LoadId, TOverlayDialog::LoadId + TOverlayDialog::Rows - 2, CmLoad)
    EV_BN_CLICKED_RANGE(TOverlayDialog::ColourId, TOverlayDialog::ColourId + TOverlayDialog::Rows - 1, CmColour)
    EV_BN_CLICKED(TOverlayDialog::DefaultsId, CmDefaults)
    EV_BN_CLICKED(TOverlayDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

TOverlayDialog::TOverlayDialog(TWindow* parent, TDialogHost& host, const char* templateName, SpectrumOpts* opts,
                               int channel, uint16_t frequencyScale, const char* slotFolder)
    : TDialog(parent, templateName), Host(host), Opts(opts), Channel(channel), FrequencyScale(frequencyScale),
      SlotFolder(slotFolder ? slotFolder : "")
{
    for (int row = 0; row < Rows; ++row) {
        Offsets[row] = std::make_unique<TEdit>(this, OffsetId + row);
        Spins[row] = std::make_unique<LimitScroll>(this, OffsetSpinId + row, nullptr, Offsets[row].get(), MaxOffset,
                                                   -MaxOffset, 1.0f);
        Swatches[row] = std::make_unique<TColorSwatch>(this, SwatchId + row);
    }
}

TOverlayDialog::~TOverlayDialog() = default;

bool TOverlayDialog::LegendSizeAccepted(const char* text)
{
    const int size = std::atoi(text ? text : "");
    return size >= MinLegendSize && size <= MaxLegendSize;
}

bool TOverlayDialog::OffsetAccepted(const char* text, float& offset)
{
    offset = float(std::strtod(text ? text : "", nullptr));
    return offset >= -MaxOffset && offset <= MaxOffset;
}

std::string TOverlayDialog::SlotPath(int row) const
{
    char path[600];
    std::snprintf(path, sizeof path, "%s\\%c%d.ovl", SlotFolder.c_str(), Channel == 2 ? 'R' : 'L', row + 1);
    return path;
}

void TOverlayDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    char text[32];
    for (int row = 0; row < Rows; ++row) {
        Spins[row]->SetPrecision(2);
        ShowColorSwatch(this, ColourId + row, Swatches[row].get(), TColor(Opts->OverlayColor[row]));
        const TOverlayData named(SlotPath(row).c_str(), 0, 0.0f, 1);
        SendDlgItemMessage(LegendId + row, EM_LIMITTEXT, TOverlayFile::NameSize - 1);
        SetItemText(LegendId + row, named.GetName());
        std::snprintf(text, sizeof text, "%6.2f", double(RowOffset(row)));
        SetItemText(OffsetId + row, text);
    }
    ::EnableWindow(GetDlgItem(LoadId + Rows - 1), FALSE);
    std::snprintf(text, sizeof text, "%d", int(Opts->OverlayLegendSize));
    SetItemText(LegendSizeId, text);
}

bool TOverlayDialog::SaveRow(int row, const char* path)
{
    float offset = 0.0f;
    OffsetAccepted(GetItemText(OffsetId + row).c_str(), offset);
    offset = std::clamp(offset, -MaxOffset, MaxOffset);
    TEngineWait wait;
    TOverlayData curve(SlotPath(row).c_str(), FrequencyScale, offset, 0);
    return curve.Write(path, GetItemText(LegendId + row).c_str()) == 1;
}

bool TOverlayDialog::LoadRow(int row, const char* path)
{
    TEngineWait wait;
    TOverlayData curve(path, FrequencyScale, 0.0f, 0);
    if (curve.Error)
        return false;
    char name[TOverlayFile::NameSize];
    std::snprintf(name, sizeof name, "%s", curve.GetName());
    if (curve.Write(SlotPath(row).c_str(), name) != 1)
        return false;
    SetItemText(LegendId + row, name);
    SetItemText(OffsetId + row, "0.0");
    return true;
}

void TOverlayDialog::CmSave(UINT id)
{
    const int row = int(id) - SaveId;
    TOpenSaveDialog::TData file;
    file.Filter = std::string(OverlayFilter) + "*.ovl|";
    file.DefExt = "ovl";
    file.InitialDir = Host.CurrentFolder("ovl");
    // A new name may be given: only the folder must exist.
    file.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (Host.RunFileDialog(file, "Save Overlay File", true) != IDOK)
        return;
    Host.KeepFolder("ovl", file.FileName.c_str());
    SaveRow(row, file.FileName.c_str());
}

void TOverlayDialog::CmLoad(UINT id)
{
    const int row = int(id) - LoadId;
    TOpenSaveDialog::TData file;
    file.Filter = std::string(OverlayFilter) + "*.ovl; *.mic; *.flt|";
    file.DefExt = "ovl";
    file.InitialDir = Host.CurrentFolder("ovl");
    file.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (Host.RunFileDialog(file, "Open Overlay File", false) != IDOK)
        return;
    Host.KeepFolder("ovl", file.FileName.c_str());
    LoadRow(row, file.FileName.c_str());
}

void TOverlayDialog::CmColour(UINT id)
{
    const int row = int(id) - ColourId;
    Opts->OverlayColor[row] = ChooseColorDialog(this, TColor(Opts->OverlayColor[row]));
    ShowColorSwatch(this, ColourId + row, Swatches[row].get(), TColor(Opts->OverlayColor[row]));
}

void TOverlayDialog::CmDefaults()
{
    for (int row = 0; row < Rows; ++row) {
        char legend[16];
        std::snprintf(legend, sizeof legend, row == Rows - 1 ? "Composite" : "Overlay %d", row + 1);
        SetItemText(LegendId + row, legend);
        Opts->OverlayColor[row] = DefaultColours[row];
        ShowColorSwatch(this, ColourId + row, Swatches[row].get(), TColor(DefaultColours[row]));
        SetItemText(OffsetId + row, "0.0");
    }
    SetItemText(LegendSizeId, "8");
}

void TOverlayDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext);
}

void TOverlayDialog::CmOk()
{
    TEngineWait wait;
    if (!LegendSizeAccepted(GetItemText(LegendSizeId).c_str())) {
        char text[64];
        std::snprintf(text, sizeof text, "Legend size must be between 4 and %d", MaxLegendSize);
        MessageBox(text, "", MB_OK);
        return;
    }
    Opts->OverlayLegendSize = uint16_t(std::atoi(GetItemText(LegendSizeId).c_str()));
    // The legends are the names in the slot files; a slot without a usable file keeps none.
    for (int row = 0; row < Rows; ++row) {
        TOverlayData curve(SlotPath(row).c_str(), FrequencyScale, 0.0f, 0);
        if (!curve.Error)
            curve.Write(SlotPath(row).c_str(), GetItemText(LegendId + row).c_str());
    }
    for (int row = 0; row < Rows; ++row) {
        float offset = 0.0f;
        if (!OffsetAccepted(GetItemText(OffsetId + row).c_str(), offset)) {
            MessageBox("Offset must be between -100 and +100 dB", "Tonalyx", MB_OK | MB_ICONSTOP);
            return;
        }
        RowOffset(row) = offset;
    }
    TDialog::CmOk();
}
