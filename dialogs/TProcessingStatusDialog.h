#pragma once
#include <memory>
#include <string>
#include "framework/TDialog.h"
#include "resources/ProcessingStatusRes.h"

class TGauge;

// The progress box of a long file conversion ("DIALOG_PROCESSING_STATUS"):
// a status line, a gauge over the frame and Cancel. A 50 ms timer runs one
// step of the work per tick, so that painting and Cancel stay live; Cancel
// asks before the work is abandoned. It ends with IDOK when the work is
// done, IDCANCEL when the user cancelled and IDABORT when the work failed.
class TProcessingStatusDialog : public TDialog {
public:
    static constexpr int StatusId = IDC_PROCESSING_STATUS;
    static constexpr int FrameId = IDC_PROCESSING_FRAME;
    static constexpr int GaugeId = IDC_PROCESSING_GAUGE;
    static constexpr UINT_PTR StepTimer = 1;
    static constexpr UINT StepMilliseconds = 50;

    TProcessingStatusDialog(TWindow* parent, TResId templateName, std::string cancelQuestion);
    ~TProcessingStatusDialog() override;

    void SetupWindow() override;
    void EvTimer(UINT id);
    void CmCancel() override;

    // How the box ended, or ended at its next tick: IDOK, IDCANCEL or IDABORT.
    int GetResult() const { return Result; }
    const TGauge* GetGauge() const { return Gauge.get(); }

protected:
    void ShowStatus(const char* text);
    void SetProgress(int percent);
    void StartSteps();
    // Ends the box with result at once.
    void Finish(int result);
    // Shows the failure once and ends the box with IDABORT at the first tick.
    void Fail(const std::string& message);
    // One tick's work; calls Finish when everything is done or failed.
    virtual void Step() = 0;
    // The user's cancel confirmed: drop what was written.
    virtual void Abandon() = 0;

private:
    std::string CancelQuestion;
    std::unique_ptr<TGauge> Gauge;
    int Result = IDOK;
    bool Ending = false;

    DECLARE_RESPONSE_TABLE(TProcessingStatusDialog);
};
