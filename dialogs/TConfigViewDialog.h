#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/TDialog.h"
#include "framework/TListBox.h"

// "Configuration Details": the configuration report in a list box, with
// Print (which prints it through the main window) and Help.
class TConfigViewDialog : public TDialog {
public:
    static constexpr unsigned HelpContext = 960;

    TConfigViewDialog(TWindow* parent, const char* resourceName, std::vector<std::string> lines,
                      std::string helpFile, std::function<void()> print);
    void SetupWindow() override;
    void CmOk() override;
    void CmHelp();

    std::unique_ptr<TListBox> List;

private:
    std::vector<std::string> Lines;
    std::string HelpFile;
    std::function<void()> Print;

    DECLARE_RESPONSE_TABLE(TConfigViewDialog);
};
