// libFuzzer entry point over the main window's settings reader: INI text in,
// settings out, written back and read again, the second reading writes the
// same text as the first, and no written real is a non-finite number.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/MacroSettings.h"
#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/FilterSettings.h"
#include "engine/TriggerSettings.h"
#include "base/TProfile.h"
#include "engine/DelayFinderSettings.h"
#include "engine/FileIOSettings.h"
#include "engine/LeqSettings.h"
#include "engine/LoggingSettings.h"
#include "engine/PhaseScopeSettingsStruct.h"
#include "engine/ReverbSettings.h"
#include "views/THDFreqSettings.h"
#include "shell/TSettingsKeys.h"
#include "shell/ViewStatusFlags.h"
#include "views/MarkerSettings.h"
#include "views/PhaseOpts.h"
#include "views/SeriesOpts.h"
#include "views/SpectrogramOpts.h"
#include "views/SpectrumOpts.h"
#include "views/SurfaceOpts.h"
#include "views/TPrintOptions.h"

namespace {

std::string Lower(std::string text)
{
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A settings file in memory, as the profile functions read one: sections and
// keys without regard to case, blanks around names and values dropped.
class TIniText : public TProfile {
public:
    explicit TIniText(const std::string& text = {})
    {
        std::string section;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = Trim(text.substr(start, end - start));
            start = end + 1;
            if (line.size() >= 2 && line.front() == '[') {
                section = Trim(line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1));
                continue;
            }
            const size_t equals = line.find('=');
            if (equals == std::string::npos || equals == 0) continue;
            Set(section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
        }
    }
    std::string Read(const char* section, const char* key, const char* def) override
    {
        return ReadField(section, key, def, 256);
    }
    std::string ReadField(const char* section, const char* key, const char* def, size_t size) override
    {
        auto it = Values.find(Lower(section) + "\n" + Lower(key));
        std::string text = it == Values.end() ? def : it->second;
        if (text.size() > size - 1) text.resize(size - 1);
        return text;
    }
    void Write(const char* section, const char* key, const std::string& value) override { Set(section, key, value); }

    // Every key in the order written, as "[section]key=value" lines.
    std::string Text() const
    {
        std::string text;
        for (const std::string& name : Order) text += name + "=" + Values.at(name) + "\n";
        return text;
    }
    const std::map<std::string, std::string>& All() const { return Values; }

private:
    void Set(const std::string& section, const std::string& key, const std::string& value)
    {
        const std::string name = Lower(section) + "\n" + Lower(key);
        if (!Values.count(name)) Order.push_back(name);
        Values[name] = value;
    }
    std::map<std::string, std::string> Values;
    std::vector<std::string> Order;
};

// The device keys are the window's: nothing to read or write here.
class TNoDevices : public TSettingsDevices {
public:
    void Read(TProfile&, bool) override {}
    void Write(TProfile&, bool) override {}
};

// Every block the key list fills, owned.
struct TSettingsStore {
    char Caption[256] = {};
    char Folders[TSettingsFields::FolderCount][TSettingsFields::PathSize] = {};
    FileIOSettings FileIO;
    int32_t MainToolbar = 0, ButtonToolbar = 0, StatusBar = 0, OpMode = 0, GeneratorLocked = 0;
    CalibrationStruct Calibration{};
    TPrintOptions Print{};
    AnalysisSettingsStruct Settings;
    DisplaySettingsStruct Scaling[2];
    MarkerSettings Markers;
    TriggerSettings Trigger;
    ViewStatusFlags ViewStatus;
    uint16_t NoiseFigureOrder = 0;
    SpectrumOpts Spectrum[2];
    PhaseOpts Phase[2];
    SpectrogramOpts Spectrogram[2];
    SurfaceOpts Surface[2];
    SeriesOpts Series;
    FilterSettings Filter;
    LoggingSettings Logging;
    DelayFinderSettings DelayFinder;
    LeqSettings Leq;
    ReverbSettings Reverb;
    THDFreqSettings ThdFreq;
    PhaseScopeSettingsStruct PhaseScope;
    MacroSettings Macro;

    TSettingsFields Fields()
    {
        return {&Caption, &Folders, &FileIO, &MainToolbar, &ButtonToolbar, &StatusBar, &Calibration, &Print,
                &OpMode, &Settings, Scaling, &Markers, &Trigger, &GeneratorLocked, &ViewStatus, &NoiseFigureOrder,
                Spectrum, Phase, Spectrogram, Surface, &Series, &Filter, &Logging, &DelayFinder, &Leq, &Reverb,
                &ThdFreq, &PhaseScope, &Macro};
    }
};

// The text a reading of input writes back.
std::string ReadAndWrite(TIniText& input, TIniText& output)
{
    auto store = std::make_unique<TSettingsStore>();
    TNoDevices devices;
    TSettingsKeys::Read(input, input, store->Fields(), devices, false);
    TSettingsKeys::Write(output, output, store->Fields(), devices);
    return output.Text();
}

// A number written whole, as the writer writes numbers.
bool IsNumber(const std::string& text, double& number)
{
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

// The keys whose defaults are numbers: the text keys have none.
const std::map<std::string, std::string>& NumericKeys()
{
    static const std::map<std::string, std::string> keys = [] {
        TIniText empty, defaults;
        ReadAndWrite(empty, defaults);
        std::map<std::string, std::string> numeric;
        double number = 0;
        for (const auto& [name, value] : defaults.All())
            if (IsNumber(value, number)) numeric[name] = value;
        return numeric;
    }();
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TIniText input(std::string(reinterpret_cast<const char*>(data), size));
    TIniText first, second;
    const std::string written = ReadAndWrite(input, first);
    if (ReadAndWrite(first, second) != written) std::abort();
    for (const auto& [name, def] : NumericKeys()) {
        double number = 0;
        if (!IsNumber(first.All().at(name), number) || !std::isfinite(number)) std::abort();
    }
    return 0;
}
