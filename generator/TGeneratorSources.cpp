#include "generator/TGeneratorSources.h"

#include "base/TEngineHost.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveLayout.h"
#include "generator/TGeneratorHost.h"

namespace {

// A file's bytes for the header parser.
class TFileSource : public TWaveLayout::TSource {
public:
    explicit TFileSource(const char* name)
        : File(::CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~TFileSource() override
    {
        if (Open()) ::CloseHandle(File);
    }
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;

    bool Open() const { return File != INVALID_HANDLE_VALUE; }
    uint64_t Size() override
    {
        LARGE_INTEGER size{};
        return Open() && ::GetFileSizeEx(File, &size) ? uint64_t(size.QuadPart) : 0;
    }
    bool Read(uint64_t offset, void* dest, size_t bytes) override
    {
        LARGE_INTEGER at;
        at.QuadPart = LONGLONG(offset);
        DWORD read = 0;
        return Open() && bytes <= MAXDWORD && ::SetFilePointerEx(File, at, nullptr, FILE_BEGIN)
            && ::ReadFile(File, dest, DWORD(bytes), &read, nullptr) && read == bytes;
    }

private:
    HANDLE File;
};

}  // namespace

bool TGeneratorSources::QueryWave(const char* fileName, TWaveFormat& format, uint32_t& frames)
{
    if (!fileName || !*fileName) return false;
    TFileSource source(fileName);
    if (!source.Open()) return false;
    const TWaveLayout layout = TWaveLayout::Parse(source);
    if (layout.Status != TWaveLayout::Valid || layout.BlockAlign == 0) return false;
    format = TWaveFormat(layout.SamplesPerSec, layout.Channels, layout.BytesPerSample());
    frames = layout.DataSize / layout.BlockAlign;
    return true;
}

std::unique_ptr<TWaveData> TGeneratorSources::LoadWave(const char* fileName)
{
    TWaveFormat format;
    uint32_t frames = 0;
    if (!QueryWave(fileName, format, frames)) return nullptr;
    auto wave = std::make_unique<TWaveFile>(fileName, TWaveFile::Memory, 0, nullptr);
    if (wave->Error) return nullptr;
    return wave;
}

void TGeneratorSources::Progress(int percent)
{
    Host.SetGauge(percent);
}

void TGeneratorSources::Report(const std::string& text, unsigned style)
{
    TEngineHost::Get().ShowMessage(text, "Tonalyx", style);
}
