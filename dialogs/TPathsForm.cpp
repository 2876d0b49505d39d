#include "dialogs/TPathsForm.h"

std::string TPathsForm::ProgramFolder(const std::string& modulePath)
{
    const size_t slash = modulePath.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : modulePath.substr(0, slash);
}

std::string TPathsForm::DefaultFolder(const std::string& programFolder, const std::string& settingsDefault)
{
    const size_t slash = settingsDefault.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? settingsDefault : settingsDefault.substr(slash + 1);
    return programFolder + "\\" + name;
}
