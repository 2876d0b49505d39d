#include "dialogs/TCompositeOverlayDialog.h"

#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TCompositeOverlayDialog, TDialog)
    EV_COMMAND(TCompositeOverlayDialog::AverageId, CmOperation)
    EV_COMMAND(TCompositeOverlayDialog::SubtractId, CmOperation)
    EV_COMMAND(TCompositeOverlayDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

// The curves of an average; the operation and the two curves of a difference
// are radio groups kept beside it.
const TDialogBinding<CompositeSettings>& Included()
{
    static const TDialogBinding<CompositeSettings> binding = [] {
        TDialogBinding<CompositeSettings> b;
        for (int n = 0; n < TOverlayData::SlotCurves; ++n)
            b.Check(TCompositeOverlayDialog::IncludeId + n, [n](auto& s) -> auto& { return s.IncludeInAverage[n]; },
                    true);
        return b;
    }();
    return binding;
}

}

TCompositeOverlayDialog::TCompositeOverlayDialog(TWindow* parent, const char* helpPath, const char* templateName,
                                                 CompositeSettings* settings)
    : TDialog(parent, templateName), HelpPath(helpPath ? helpPath : ""), Settings(settings)
{
}

const char* TCompositeOverlayDialog::Problem(const CompositeSettings& s)
{
    if (s.CompositeType == CompositeSettings::Difference)
        return s.DifferenceIndex[0] == s.DifferenceIndex[1] ? "Cannot Subtract an overlay from itself" : nullptr;
    int included = 0;
    for (uint32_t flag : s.IncludeInAverage)
        included += flag == 1 ? 1 : 0;
    return included < 2 ? "At least 2 overlays must be selected for averaging" : nullptr;
}

void TCompositeOverlayDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    CheckRadioButton(AverageId, SubtractId,
                     Settings->CompositeType == CompositeSettings::Difference ? SubtractId : AverageId);
    Included().Fill(*this, *Settings);
    CheckRadioButton(SubtractedId, SubtractedId + 5, SubtractedId + (Settings->DifferenceIndex[0] % 6));
    CheckRadioButton(FromId, FromId + 5, FromId + (Settings->DifferenceIndex[1] % 6));
    EnableGroups();
}

void TCompositeOverlayDialog::EnableGroups()
{
    const bool average = IsItemChecked(AverageId) == BST_CHECKED;
    for (int n = 0; n < TOverlayData::SlotCurves; ++n) {
        ::EnableWindow(GetDlgItem(IncludeId + n), average);
        ::EnableWindow(GetDlgItem(SubtractedId + n), !average);
        ::EnableWindow(GetDlgItem(FromId + n), !average);
    }
}

void TCompositeOverlayDialog::CmOperation()
{
    EnableGroups();
}

void TCompositeOverlayDialog::CmOk()
{
    CompositeSettings read;
    read.CompositeType = IsItemChecked(AverageId) == BST_CHECKED ? CompositeSettings::Average
                                                                 : CompositeSettings::Difference;
    Included().Collect(*this, read);
    for (int n = 0; n < TOverlayData::SlotCurves; ++n) {
        if (IsItemChecked(SubtractedId + n) == BST_CHECKED)
            read.DifferenceIndex[0] = uint16_t(n);
        if (IsItemChecked(FromId + n) == BST_CHECKED)
            read.DifferenceIndex[1] = uint16_t(n);
    }
    if (const char* problem = Problem(read)) {
        MessageBox(problem, "Tonalyx", MB_OK | MB_ICONSTOP);
        return;
    }
    *Settings = read;
    TDialog::CmOk();
}

void TCompositeOverlayDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, HelpPath.c_str(), HelpContext);
}
