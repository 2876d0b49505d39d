#include "framework/TChooseColorDialog.h"
#include "framework/TModule.h"
#include "framework/TWindow.h"

int TChooseColorDialog::Execute()
{
    COLORREF ownTable[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = Parent ? Parent->GetHandle() : nullptr;
    cc.rgbResult = Data.Color;
    cc.lpCustColors = Data.CustColors ? Data.CustColors : ownTable;
    cc.Flags = Data.Flags;
    if (!Data.TemplateName.IsNull()) {
        cc.Flags |= CC_ENABLETEMPLATE;
        cc.hInstance = reinterpret_cast<HWND>((Parent ? Parent->GetModule() : &TModule::Default())->GetInstance());
        cc.lpTemplateName = Data.TemplateName;
    }
    Data.Error = 0;
    if (!::ChooseColorA(&cc)) {
        Data.Error = ::CommDlgExtendedError();
        return IDCANCEL;
    }
    Data.Color = cc.rgbResult;
    return IDOK;
}
