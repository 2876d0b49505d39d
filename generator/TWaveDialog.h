#pragma once
#include <string>

#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"
#include "resources/WaveDialogRes.h"

// The user's wave file and whether it repeats. Pick chooses the file with the
// system's open dialog and keeps the choice at once, even if the dialog is
// then cancelled.
class TWaveDialog : public TSignalDialog {
public:
    static constexpr int PickId = IDC_WAVE_SIGNAL_PICK;

    TWaveDialog(TWindow* parent, const char* resource, const char* initialFolder, char* fileName, int32_t* repeat,
                HFONT font, const char* helpFile);

    void SetupWindow() override;
    virtual void CmPick();
    void CmOk() override;

protected:
    // The open dialog; IDOK with the chosen path.
    virtual int ChooseFile(std::string& path);

private:
    std::string InitialFolder;
    char* FileName;
    int32_t* Repeat;

    DECLARE_RESPONSE_TABLE(TWaveDialog);
};
