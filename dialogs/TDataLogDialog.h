#pragma once
#include <memory>
#include "engine/LoggingSettings.h"
#include "framework/TDialog.h"
#include "resources/DataLogDialogRes.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Data Logging Setup": what is logged, how often, over which band, above
// which threshold, into which file and with which viewer; the record given
// (the main window's working copy) changes only at OK.
class TDataLogDialog : public TDialog {
public:
    enum : int {
        TypeId = IDC_LOG_TYPE, EveryBlockId = IDC_LOG_EVERY_BLOCK, AtIntervalsId = IDC_LOG_AT_INTERVALS,
        IntervalId = IDC_LOG_INTERVAL, IntervalSpinId = IDC_LOG_INTERVAL_SPIN, FullSpanId = IDC_LOG_FULL_SPAN,
        CustomId = IDC_LOG_CUSTOM, StartId = IDC_LOG_START, StartSpinId = IDC_LOG_START_SPIN, StopId = IDC_LOG_STOP,
        StopSpinId = IDC_LOG_STOP_SPIN, ThresholdId = IDC_LOG_THRESHOLD, FileId = IDC_LOG_FILE,
        PickFileId = IDC_LOG_PICK_FILE, ViewerId = IDC_LOG_VIEWER, PickViewerId = IDC_LOG_PICK_VIEWER,
        OverwriteId = IDC_LOG_OVERWRITE, AppendId = IDC_LOG_APPEND, HeaderId = IDC_LOG_HEADER,
        TimeStampId = IDC_LOG_TIME_STAMP, EnableId = IDC_LOG_ENABLE, DefaultsId = IDC_LOG_DEFAULTS,
        HelpId = IDC_LOG_HELP, ViewId = IDC_LOG_VIEW,
    };
    static constexpr int HelpContext = 430;
    // The folder kind the log file's picker starts in and keeps.
    static constexpr const char* FolderKind = "txt";

    // limit: the highest frequency the band may reach; enable: the Enable
    // Logging box as it starts.
    TDataLogDialog(TWindow* parent, TDialogHost& host, TResId templateName, LoggingSettings* logging, float limit,
                   bool enable);
    ~TDataLogDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    bool EnableLogging() const { return Enable; }

    void CmDataType();
    void CmSpan();
    void CmIntervalMode();
    void CmPickFile();
    void CmPickViewer();
    void CmView();
    void CmDefaults();
    void CmHelp();

private:
    uint16_t SelectedType() const;
    void EnableControls(std::initializer_list<int> ids, bool enable);

    TDialogHost& Host;
    LoggingSettings* Logging;
    // The file names the pickers chose; stored at OK.
    LoggingSettings Edited;
    float Limit;
    bool Enable;
    std::unique_ptr<TEdit> Interval, Start, Stop;
    std::unique_ptr<LimitScroll> IntervalSpin, StartSpin, StopSpin;

    DECLARE_RESPONSE_TABLE(TDataLogDialog);
};
