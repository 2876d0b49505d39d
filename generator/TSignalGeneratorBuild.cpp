// Building the signal block at the output port's format, and saving it as a
// wave file.
#include "generator/TSignalGenerator.h"

#include <cstdlib>
#include <string>

#include "base/TSettingsTable.h"
#include "engine/AnalysisSettingsStruct.h"
#include "base/TEngineHost.h"
#include "engine/TWaveFile.h"
#include "generator/TGeneratorHost.h"
#include "resources/StringIds.h"
#include "framework/TProfileFile.h"
#include "framework/UiHelpers.h"

namespace {
constexpr char BuildingCaption[] = "Building Signal.  Please Wait...";
// The data a RIFF file's 32-bit sizes can describe, with room for its header and chunks.
constexpr uint64_t MaxWaveDataBytes = 0xFFFFFFFFull - 8192;
}

void TSignalGenerator::BuildSignal()
{
    if (!OutputPort) return;
    Host.ShowGauge();
    TEngineWait wait;
    const bool running = Host.RunState() == TGeneratorHost::Running;
    Host.StopAnalyzer();
    const HWND frame = Host.FrameWindow();
    std::string caption;
    if (frame) {
        caption.resize(size_t(::GetWindowTextLengthA(frame)) + 1);
        caption.resize(size_t(::GetWindowTextA(frame, caption.data(), int(caption.size()))));
        ::SetWindowTextA(frame, BuildingCaption);
    }
    OutputPort->CloseDevice();
    SetOutputFormat();
    AllocateSignal();
    if (Signal) {
        const double amplitude[2] = {Silenced[0] ? 0.0 : TSignalSynthesizer::GetChannelAmplitude(Level, 0),
                                     Silenced[1] ? 0.0 : TSignalSynthesizer::GetChannelAmplitude(Level, 1)};
        Synth.BuildChannels(*Signal, Left, Right, amplitude);
    }
    Host.HideGauge();
    if (frame) ::SetWindowTextA(frame, caption.c_str());
    if (running) Host.StartAnalyzer();
}

uint32_t TSignalGenerator::ConfiguredRate() const
{
    TProfileFile ini(Host.IniPath());
    const int32_t rate = TSettingsTable::ReadInt(ini, "Settings", "GeneratorSamplingRate", 0);
    return AnalysisSettingsStruct::IsValidSamplingRate(rate) ? uint32_t(rate) : 0;
}

void TSignalGenerator::SetOutputFormat()
{
    // 24-bit data on Windows 9x only where the device takes them whole.
    const bool narrow24 = OutputPort->Quirks.extensible20Bit && IsWin95();
    const TWaveFormat format = Synth.ChooseFormat(Host.AnalyserFormat(), Host.ChannelsLocked(), ConfiguredRate(),
                                                  narrow24, Left, Right);
    OutputPort->SetFormat(format.SamplingRate, format.NumChannels, format.BytesPerSample);
}

void TSignalGenerator::AllocateSignal()
{
    Signal.reset();
    TWaveFormat format;
    OutputPort->GetFormat(format);
    Signal = Synth.AllocateSignal(Left, Right, format);
}

bool TSignalGenerator::SaveSignalAsWave(const char* fileName, int repeatCount)
{
    if (!Signal || !fileName) return false;
    const uint64_t bytes = uint64_t(Signal->GetBufferSize()) * uint64_t(repeatCount > 0 ? repeatCount : 0);
    if (bytes > MaxWaveDataBytes) {
        TEngineHost::Get().ShowMessage("The wave file would hold more than 4 GB of data.  Choose a smaller Length "
                                       "Multiplier.",
                                       "Tonalyx", TEngineHost::MsgIconExclamation);
        return false;
    }
    TEngineWait wait;
    TWaveFile file(Signal->GetFormat(), 0, nullptr);
    if (file.Error) return false;
    for (int i = 0; i < repeatCount; ++i)
        if (!file.WriteStream(Signal->GetBuffer(), Signal->GetBufferSize())) {
            // A part of the signal is no test signal: nothing is saved.
            TEngineHost::Get().ShowMessage(IDS_WRITE_WAVE_FAILED_TEXT, "Tonalyx", TEngineHost::MsgIconExclamation);
            return false;
        }
    file.SetFileName(fileName);
    return file.Save() != 0;
}
