#include "dialogs/TProcessingStatusDialog.h"

#include "framework/TGauge.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TProcessingStatusDialog, TDialog)
    EV_WM_TIMER
END_RESPONSE_TABLE;

TProcessingStatusDialog::TProcessingStatusDialog(TWindow* parent, TResId templateName, std::string cancelQuestion)
    : TDialog(parent, templateName), CancelQuestion(std::move(cancelQuestion)),
      Gauge(std::make_unique<TGauge>(this, "%d%%", GaugeId, 0, 0, 0, 0, true, 1))
{
}

TProcessingStatusDialog::~TProcessingStatusDialog() = default;

void TProcessingStatusDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    // The gauge covers the frame, one pixel inside it.
    RECT frame{};
    HWND frameWindow = ::GetDlgItem(HWindow, FrameId);
    ::GetWindowRect(frameWindow, &frame);
    ::MapWindowPoints(nullptr, HWindow, reinterpret_cast<POINT*>(&frame), 2);
    Gauge->SetRange(0, 100);
    Gauge->MoveWindow(frame.left + 1, frame.top + 1, frame.right - frame.left - 2, frame.bottom - frame.top - 2, true);
    Gauge->SetValue(0);
    ::ShowWindow(HWindow, SW_SHOW);
    ::UpdateWindow(HWindow);
}

void TProcessingStatusDialog::ShowStatus(const char* text)
{
    SetItemText(StatusId, text);
    ::UpdateWindow(HWindow);
}

void TProcessingStatusDialog::SetProgress(int percent)
{
    Gauge->SetValue(percent);
    ::UpdateWindow(Gauge->GetHandle());
}

void TProcessingStatusDialog::StartSteps() { SetTimer(StepTimer, StepMilliseconds); }

void TProcessingStatusDialog::Finish(int result)
{
    KillTimer(StepTimer);
    Ending = true;
    Result = result;
    Destroy(result);
}

void TProcessingStatusDialog::Fail(const std::string& message)
{
    MessageBox(message.c_str(), "Tonalyx", MB_OK | MB_ICONSTOP);
    Ending = true;
    Result = IDABORT;
    StartSteps();
}

void TProcessingStatusDialog::EvTimer(UINT id)
{
    if (id != StepTimer)
        return;
    if (Ending)
        Finish(Result);
    else
        Step();
}

void TProcessingStatusDialog::CmCancel()
{
    if (Ending) {
        Finish(Result);
        return;
    }
    KillTimer(StepTimer);
    if (MessageBox(CancelQuestion.c_str(), "Tonalyx", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        Abandon();
        Finish(IDCANCEL);
        return;
    }
    StartSteps();
}
