// Reading and writing .rvb files.
#include "utilities/TReverbFile.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

int32_t Int32At(const uint8_t* p)
{
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

void PutInt32(std::vector<uint8_t>& out, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

bool RowIsSound(const DecayRow& row)
{
    const float* v = &row.Frequency[0];
    for (size_t i = 0; i < sizeof(DecayRow) / sizeof(float); ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

}  // namespace

bool TReverbFile::Parse(const uint8_t* data, size_t size, TContents& out)
{
    if (size < HeaderBytes || Int32At(data) != Magic) return false;
    const int32_t bands = Int32At(data + 4);
    const int32_t rows = Int32At(data + 8);
    if (bands < 1 || bands > TReverbData::MaxEntries || rows < 1) return false;
    if (uint64_t(size) != HeaderBytes + uint64_t(rows) * sizeof(DecayRow)) return false;
    std::vector<DecayRow> table(static_cast<size_t>(rows));
    std::memcpy(table.data(), data + HeaderBytes, size - HeaderBytes);
    float last = 0.0f;
    for (const DecayRow& row : table) {
        if (!RowIsSound(row) || row.Time < last || row.Time > MaxRowTime) return false;
        last = row.Time;
    }
    out.BandCount = bands;
    out.Rows = std::move(table);
    return true;
}

TReverbFile::TStatus TReverbFile::Read(const std::string& path, TContents& out)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return TStatus::OpenFailed;
    std::vector<uint8_t> image;
    TStatus status = TStatus::Ok;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        status = TStatus::ReadFailed;
    } else {
        // The header decides before the rows are read whether the size fits.
        uint8_t header[HeaderBytes] = {};
        const size_t got = std::fread(header, 1, HeaderBytes, file);
        const int32_t rows = got == HeaderBytes ? Int32At(header + 8) : 0;
        if (got < HeaderBytes || Int32At(header) != Magic || rows < 1 ||
            uint64_t(size) != HeaderBytes + uint64_t(rows) * sizeof(DecayRow)) {
            status = TStatus::Invalid;
        } else {
            try {
                image.resize(size_t(size));
            } catch (const std::exception&) {
                status = TStatus::NoMemory;
            }
            if (status == TStatus::Ok) {
                std::memcpy(image.data(), header, HeaderBytes);
                if (std::fread(image.data() + HeaderBytes, 1, image.size() - HeaderBytes, file) !=
                    image.size() - HeaderBytes)
                    status = TStatus::ReadFailed;
            }
        }
    }
    std::fclose(file);
    if (status != TStatus::Ok) return status;
    return Parse(image.data(), image.size(), out) ? TStatus::Ok : TStatus::Invalid;
}

std::vector<uint8_t> TReverbFile::Image(int32_t bandCount, const DecayRow* rows, int32_t rowCount)
{
    std::vector<uint8_t> out;
    out.reserve(HeaderBytes + size_t(rowCount) * sizeof(DecayRow));
    PutInt32(out, Magic);
    PutInt32(out, bandCount);
    PutInt32(out, rowCount);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(rows);
    out.insert(out.end(), bytes, bytes + size_t(rowCount) * sizeof(DecayRow));
    return out;
}

TReverbFile::TStatus TReverbFile::Write(const std::string& path, int32_t bandCount, const DecayRow* rows,
                                        int32_t rowCount)
{
    if (!rows || rowCount < 1 || path.empty()) return TStatus::OpenFailed;
    const std::vector<uint8_t> image = Image(bandCount, rows, rowCount);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return TStatus::OpenFailed;
    const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return TStatus::Ok;
    std::remove(path.c_str());
    return TStatus::WriteFailed;
}
