// File helpers shared by the wave file's topic sources.
#include "engine/WaveFileIo.h"

#include "engine/TEngineHost.h"

namespace WaveFileIo {

void Say(const std::string& text, unsigned style)
{
    TEngineHost::Get().ShowMessage(text, "", style);
}

void SayOpenFailed(const std::string& name)
{
    Say("Failure Opening file: " + name);
}

bool MmioReadAt(HMMIO file, uint64_t offset, void* dest, size_t bytes)
{
    return file && offset <= 0x7FFFFFFF &&
           mmioSeek(file, static_cast<LONG>(offset), SEEK_SET) == static_cast<LONG>(offset) &&
           mmioRead(file, static_cast<HPSTR>(dest), static_cast<LONG>(bytes)) == static_cast<LONG>(bytes);
}

bool BeginWave(HMMIO h, const TWaveFormat& format, uint32_t dataBytes, MMCKINFO& riff, MMCKINFO& data)
{
    PCMWAVEFORMAT pcm = {};
    pcm.wf.wFormatTag = WAVE_FORMAT_PCM;
    pcm.wf.nChannels = format.NumChannels;
    pcm.wf.nSamplesPerSec = format.SamplingRate;
    pcm.wf.nAvgBytesPerSec = format.SamplingRate * format.BytesPerFrame();
    pcm.wf.nBlockAlign = static_cast<WORD>(format.BytesPerFrame());
    pcm.wBitsPerSample = format.BitsPerSample;
    MMCKINFO fmt = {};
    riff = {};
    data = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    fmt.cksize = sizeof pcm;
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    data.cksize = dataBytes;
    return !mmioCreateChunk(h, &riff, MMIO_CREATERIFF) && !mmioCreateChunk(h, &fmt, 0) &&
           mmioWrite(h, reinterpret_cast<HPSTR>(&pcm), sizeof pcm) == sizeof pcm && !mmioAscend(h, &fmt, 0) &&
           !mmioCreateChunk(h, &data, 0);
}

std::string SystemTempFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

}  // namespace WaveFileIo
