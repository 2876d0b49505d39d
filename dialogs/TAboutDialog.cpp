#include "dialogs/TAboutDialog.h"

#include <cstdio>
#include "framework/TModule.h"
#include "framework/TStatic.h"
#include "framework/UiHelpers.h"
#include "resources/AboutDialogRes.h"

namespace {
const char* const ShortName = "Tonalyx";
const char* const FullName = "Tonalyx Audio Measurement System";
const char* const RightsYears = "Copyright (c) 2024-2026";
const char* const RightsHolder = "The Tonalyx authors. All rights reserved.";
}

DEFINE_RESPONSE_TABLE1(TAboutDialog, TDialog)
    EV_WM_TIMER
END_RESPONSE_TABLE;

TAboutDialog::TAboutDialog(TWindow* parent, TWindow* mainWindow, TResId templateName, uint32_t splash)
    : TDialog(parent, templateName), MainWindow(mainWindow), Splash(splash)
{
    // The picture fills the space the template leaves at its left.
    Picture = std::make_unique<TStatic>(this, IDC_ABOUT_PICTURE, nullptr, 10, 12, 134, 103);
    Picture->Attr.Style = WS_CHILD | WS_VISIBLE | SS_BITMAP;
}

void TAboutDialog::SetupWindow()
{
    TDialog::SetupWindow();
    if (IsWin32s()) SendMessage(WM_SETFONT, WPARAM(HFONT(Font)), TRUE);
    PictureBitmap = std::make_unique<TBitmap>(GetModule()->GetInstance(), "ABOUT_BITMAP");
    Picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, LPARAM(HBITMAP(*PictureBitmap)));
    if (MainWindow && MainWindow->GetHandle()) CenterWindow(MainWindow->GetHandle(), GetHandle());
    SetCaption(ShortName);
    char text[400];
    std::snprintf(text, sizeof text, "%s\r%s\rVersion %s", ShortName, FullName, Version);
    SetItemText(IDC_ABOUT_INFO, text);
    std::snprintf(text, sizeof text, "%s\r%s", RightsYears, RightsHolder);
    SetItemText(IDC_ABOUT_RIGHTS, text);
    ::ShowWindow(GetDlgItem(IDOK), SW_HIDE);
    SetTimer(ShowOkTimer, ShowOkDelay);
}

void TAboutDialog::EvTimer(UINT id)
{
    if (id == ShowOkTimer) {
        KillTimer(ShowOkTimer);
        ::ShowWindow(GetDlgItem(IDOK), SW_SHOW);
        if (Splash) SetTimer(SplashTimer, SplashTime);
    } else if (id == SplashTimer && Splash) {
        KillTimer(SplashTimer);
        CmOk();
    }
}

void TAboutDialog::CmOk()
{
    if (Splash) KillTimer(SplashTimer);
    TDialog::CmOk();
}
