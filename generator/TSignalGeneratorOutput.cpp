// The generator's output life cycle on its own port: start, stop, the
// buffer-done notifications, and following the analyser's format and device.
#include "generator/TSignalGenerator.h"

#include "generator/TGeneratorHost.h"
#include "generator/TSignalTypes.h"

bool TSignalGenerator::IsPlaying() const
{
    return OutputPort && !OutputPort->AllBuffersDone();
}

bool TSignalGenerator::IsContinuous() const
{
    return TSignalTypes::IsContinuous(Left);
}

// Queues the first half of the block in slot 0 and the second in slot 1,
// each when its bit of slots is set; halves split at a frame, the block
// holding an even number of frames.
void TSignalGenerator::WriteHalves(int slots)
{
    uint8_t* data = Signal->GetBuffer();
    const uint32_t size = Signal->GetBufferSize();
    const uint32_t half = size / 2;
    if (slots & 1) OutputPort->WriteBuffer(data, half, 0, 0);
    if (slots & 2) OutputPort->WriteBuffer(data + half, size - half, 1, 0);
}

void TSignalGenerator::StartOutput()
{
    if (!OutputPort || !Signal || !Signal->GetBuffer()) return;
    if (IsPlaying()) OutputPort->CloseDevice();
    // The port opens paused, at the format the build set.
    if (!OutputPort->Open(HWindow, 0)) return;
    if (OutputPort->Quirks.quirkA)
        OutputPort->WriteBuffer(Signal->GetBuffer(), Signal->GetBufferSize(), 0, IsContinuous() ? 1 : 0);
    else
        WriteHalves(3);
    // A device that starts together with its input waits for the analyser to un-pause it.
    if (Host.RunState() == TGeneratorHost::Stopped || !OutputPort->Quirks.quirkD) OutputPort->Restart();
    EnableButtons(Playing);
    LayoutControls();
}

void TSignalGenerator::StopOutput()
{
    const int state = Host.RunState();
    if (OutputPort && OutputPort->Quirks.quirkD
        && (state == TGeneratorHost::Running || state == TGeneratorHost::Recording)) {
        // Ports that started together stop together; the analyser stops the generator in turn.
        if (Host.InputStartsSynchronised()) Host.StopAnalyzer();
        return;
    }
    if (OutputPort) OutputPort->CloseDevice();
    if (!HWindow) return;
    EnableButtons(Idle);
    LayoutControls();
}

void TSignalGenerator::RestartOutput()
{
    if (OutputPort) OutputPort->Restart();
}

int TSignalGenerator::PollOutput()
{
    // Notifications of a port closed since arrive too: they have nothing to play.
    if (!OutputPort || !Signal || !OutputPort->IsOpen()) return 0;
    if (OutputPort->Quirks.quirkA) {
        if (!IsContinuous() && OutputPort->IsBufferDone(0)) StopOutput();
        return 0;
    }
    // Two halves: a one-shot signal ends once both have played; any other plays them again.
    if (!IsContinuous()) {
        if (OutputPort->IsBufferDone(0) && OutputPort->IsBufferDone(1)) StopOutput();
        return 0;
    }
    WriteHalves((OutputPort->IsBufferDone(0) ? 1 : 0) | (OutputPort->IsBufferDone(1) ? 2 : 0));
    return 1;
}

LRESULT TSignalGenerator::EvOutputDone(WPARAM, LPARAM)
{
    PollOutput();
    return 0;
}

void TSignalGenerator::FormatChanged(uint32_t deviceId, int force)
{
    if (deviceId == DeviceId) {
        if (!OutputPort) return;
        const TWaveFormat analyser = Host.AnalyserFormat();
        if (OutputPort->GetSampleRate() != analyser.SamplingRate || OutputPort->GetChannels() != analyser.NumChannels
            || OutputPort->GetBytesPerSample() != analyser.BytesPerSample || force == 1) {
            StopOutput();
            BuildSignal();
        }
    } else {
        StopOutput();
        OutputPort.reset();
        Signal.reset();
        DeviceId = deviceId;
        OutputPort = std::make_unique<TSoundOutput>(DeviceId);
        BuildSignal();
    }
    FillTypeList(*LeftTypeList);
    FillTypeList(*RightTypeList);
    EnableDetailButtons();
}
