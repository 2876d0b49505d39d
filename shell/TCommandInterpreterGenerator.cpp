// The signal generator commands: a channel's waveform, a single tone, a
// wave file to play, the output levels and the signal saved as a wave file.
// Each acts on the open generator window and does nothing while it is closed.
#include "shell/TCommandInterpreter.h"

#include <cstdio>
#include <iterator>
#include <sstream>
#include "generator/TOutputLevelRules.h"
#include "generator/TSignalGenerator.h"
#include "generator/TSignalTypes.h"
#include "shell/TMainWin.h"

namespace {

// "left " or "right " (any letter case) at the start of the argument picks the channel.
struct TChannelWord {
    const char* Word;
    int Channel;
};
const TChannelWord ChannelWords[] = {{"left ", 0}, {"right ", 1}};

// Only the whole word "right" picks the right channel; any other word the left.
int ChannelOfWord(const std::string& word)
{
    return TKeywordTable::EqualsNoCase(word, "right") ? 1 : 0;
}

}  // namespace

uint32_t TCommandInterpreter::SaveGeneratorSignal(const std::string& argument, int)
{
    TSignalGenerator* generator = Main.SignalGenerator();
    if (!generator) return Done;
    const std::optional<std::string> path = ResolveIn(TMainWin::WavFolder, argument);
    if (!path || !generator->SaveSignalAsWave(path->c_str(), 1)) return 0;
    return Done;
}

uint32_t TCommandInterpreter::SetGeneratorType(const std::string& argument, int)
{
    TSignalGenerator* generator = Main.SignalGenerator();
    if (!generator) return Done;
    // Without a channel word the name stays empty: it names no waveform,
    // and the left channel's signal is rebuilt all the same.
    int channel = 0;
    std::string name;
    for (const TChannelWord& w : ChannelWords)
        if (TKeywordTable::StartsWithNoCase(argument, w.Word)) {
            channel = w.Channel;
            name = argument.substr(std::string_view(w.Word).size());
            break;
        }
    generator->SetSignalType(name.c_str(), channel);
    return Done;
}

uint32_t TCommandInterpreter::SetGeneratorTone(const std::string& argument, int)
{
    TSignalGenerator* generator = Main.SignalGenerator();
    if (!generator) return Done;
    std::istringstream words(argument);
    std::string channel, frequency, level;
    words >> channel >> frequency >> level;
    // The generator limits both to what it can play.
    generator->SetTone(float(TKeywordTable::ReadNumber(frequency)), float(TKeywordTable::ReadNumber(level)),
                       ChannelOfWord(channel));
    return Done;
}

uint32_t TCommandInterpreter::SetGeneratorWaveFile(const std::string& argument, int)
{
    TSignalGenerator* generator = Main.SignalGenerator();
    if (!generator) return Done;
    std::istringstream words(argument);
    std::string channelWord, name;
    words >> channelWord >> name;
    if (name.empty()) return 0;
    const std::optional<std::string> path = ResolveIn(TMainWin::WavFolder, name);
    if (!path) return 0;
    const int channel = ChannelOfWord(channelWord);
    generator->StopOutput();
    UserDefinedParams& file = (channel == 1 ? generator->Right : generator->Left).UserDefined;
    std::snprintf(file.WaveFileName, sizeof file.WaveFileName, "%s", path->c_str());
    generator->SetSignalType(TSignalTypes::ListName(UserDefinedSignal), channel);
    return Done;
}

uint32_t TCommandInterpreter::SetGeneratorLevel(const std::string& argument, int)
{
    TSignalGenerator* generator = Main.SignalGenerator();
    if (!generator) return Done;
    for (const TChannelWord& w : ChannelWords) {
        if (!TKeywordTable::StartsWithNoCase(argument, w.Word)) continue;
        OutputLevelStruct level = generator->Level;
        (w.Channel == 1 ? level.OutputLevelR : level.OutputLevel) =
            float(TKeywordTable::ReadNumber(std::string_view(argument).substr(std::string_view(w.Word).size())));
        // A level the output level dialog would refuse for the unit overflows
        // the synthesis: the channel keeps its level.
        if (!TOutputLevelRules::CheckLevel(level, w.Channel).empty()) continue;
        generator->Level = level;
        generator->BuildSignal();
    }
    return Done;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::GeneratorTable[] = {
    {K::SaveGeneratorSignalAsWave, &I::SaveGeneratorSignal, 0},
    {K::SetGeneratorType, &I::SetGeneratorType, 0},
    {K::SetGeneratorTone, &I::SetGeneratorTone, 0},
    {K::SetGeneratorWaveFile, &I::SetGeneratorWaveFile, 0},
    {K::SetGeneratorLevel, &I::SetGeneratorLevel, 0},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::GeneratorRows()
{
    return {GeneratorTable, std::size(GeneratorTable)};
}
