#pragma once
#include <windows.h>
#include <memory>
#include "framework/TBitmap.h"
#include "framework/TDialog.h"
#include "framework/TFont.h"
#include "framework/TStatic.h"

// The About box, and the start-up splash that closes itself: the product's
// picture, name, version and rights notice. The Ok button appears after a
// moment so that a click meant for the window below does not close it.
class TAboutDialog : public TDialog {
public:
    static constexpr UINT ShowOkTimer = 102;
    static constexpr UINT SplashTimer = 101;
    static constexpr UINT ShowOkDelay = 100;
    static constexpr UINT SplashTime = 3000;
    static constexpr const char* Version = "5.0.26.34";

    TAboutDialog(TWindow* parent, TWindow* mainWindow, TResId templateName, uint32_t splash);

    void SetupWindow() override;
    void CmOk() override;
    void EvTimer(UINT id);

private:
    TWindow* MainWindow;
    uint32_t Splash;
    std::unique_ptr<TStatic> Picture;
    std::unique_ptr<TBitmap> PictureBitmap;
    TFont Font{"Arial", 15};

    DECLARE_RESPONSE_TABLE(TAboutDialog);
};
