// The .rvb reader and writer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "utilities/TReverbFile.h"

namespace {

// A file image of rows rows and bands entries; row r lies at r x 0.01 s.
std::vector<uint8_t> Image(int32_t bands, int32_t rows)
{
    std::vector<DecayRow> table(size_t(std::max(rows, 0)), TReverbData::EmptyRow());
    for (int32_t r = 0; r < rows; ++r) {
        table[size_t(r)].Time = 0.01f * r;
        table[size_t(r)].Level[0] = -0.5f * r;
    }
    return TReverbFile::Image(bands, table.data(), rows);
}

void PutInt(std::vector<uint8_t>& image, size_t at, int32_t v)
{
    std::memcpy(image.data() + at, &v, 4);
}

void PutFloat(std::vector<uint8_t>& image, size_t at, float v)
{
    std::memcpy(image.data() + at, &v, 4);
}

// Offset of value i of row r.
size_t At(int r, int i)
{
    return TReverbFile::HeaderBytes + size_t(r) * sizeof(DecayRow) + size_t(i) * 4;
}

TEST(TReverbFile, RefusesMalformedFiles)
{
    struct Case {
        const char* Name;
        void (*Spoil)(std::vector<uint8_t>&);
    };
    const Case cases[] = {
        {"bad magic", [](std::vector<uint8_t>& f) { PutInt(f, 0, 13212); }},
        {"entry count 0", [](std::vector<uint8_t>& f) { PutInt(f, 4, 0); }},
        {"entry count 32", [](std::vector<uint8_t>& f) { PutInt(f, 4, 32); }},
        {"row count 0", [](std::vector<uint8_t>& f) { PutInt(f, 8, 0); }},
        {"row count beyond the file", [](std::vector<uint8_t>& f) { PutInt(f, 8, 4); }},
        {"row count wrapping 32 bits", [](std::vector<uint8_t>& f) { PutInt(f, 8, 0x40000003); }},
        {"a byte too many", [](std::vector<uint8_t>& f) { f.push_back(0); }},
        {"truncated row", [](std::vector<uint8_t>& f) { f.resize(f.size() - 1); }},
        {"truncated header", [](std::vector<uint8_t>& f) { f.resize(10); }},
        {"NaN level", [](std::vector<uint8_t>& f) { PutFloat(f, At(1, 31), std::nanf("")); }},
        {"infinite frequency", [](std::vector<uint8_t>& f) {
             PutFloat(f, At(0, 0), std::numeric_limits<float>::infinity());
         }},
        {"decreasing times", [](std::vector<uint8_t>& f) { PutFloat(f, At(2, 93), 0.005f); }},
        {"time of 1e9 s", [](std::vector<uint8_t>& f) { PutFloat(f, At(2, 93), 1e9f); }},
        {"NaN time", [](std::vector<uint8_t>& f) { PutFloat(f, At(2, 93), std::nanf("")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> image = Image(31, 3);
        c.Spoil(image);
        TReverbFile::TContents contents;
        contents.BandCount = 7;
        EXPECT_FALSE(TReverbFile::Parse(image.data(), image.size(), contents));
        EXPECT_EQ(contents.BandCount, 7);
        EXPECT_TRUE(contents.Rows.empty());
    }
}

TEST(TReverbFile, TakesSoundFilesWhole)
{
    for (int32_t bands : {1, 31}) {
        const std::vector<uint8_t> image = Image(bands, 3);
        ASSERT_EQ(image.size(), 12u + 3u * 376u);
        TReverbFile::TContents contents;
        ASSERT_TRUE(TReverbFile::Parse(image.data(), image.size(), contents));
        EXPECT_EQ(contents.BandCount, bands);
        ASSERT_EQ(contents.Rows.size(), 3u);
        EXPECT_FLOAT_EQ(contents.Rows[2].Time, 0.02f);
        EXPECT_FLOAT_EQ(contents.Rows[2].Level[0], -1.0f);
        EXPECT_FLOAT_EQ(contents.Rows[2].Level[1], TReverbData::NoLevel);
    }
    // Equal times are allowed, as is the last second after a 30 s decay.
    std::vector<uint8_t> image = Image(31, 3);
    PutFloat(image, At(2, 93), 0.01f);
    TReverbFile::TContents contents;
    EXPECT_TRUE(TReverbFile::Parse(image.data(), image.size(), contents));
    PutFloat(image, At(2, 93), 31.0f);
    EXPECT_TRUE(TReverbFile::Parse(image.data(), image.size(), contents));
}

TEST(TReverbFile, WritesAndReadsBack)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tonalyx_rvb_test";
    std::filesystem::create_directories(dir);
    const std::string name = (dir / "room.rvb").string();
    const std::vector<uint8_t> image = Image(5, 4);
    TReverbFile::TContents written;
    ASSERT_TRUE(TReverbFile::Parse(image.data(), image.size(), written));
    ASSERT_EQ(TReverbFile::Write(name, 5, written.Rows.data(), 4), TReverbFile::TStatus::Ok);
    EXPECT_EQ(std::filesystem::file_size(name), 12u + 4u * 376u);
    TReverbFile::TContents read;
    ASSERT_EQ(TReverbFile::Read(name, read), TReverbFile::TStatus::Ok);
    EXPECT_EQ(read.BandCount, 5);
    EXPECT_EQ(std::memcmp(read.Rows.data(), written.Rows.data(), 4 * sizeof(DecayRow)), 0);

    // A file of the wrong size is refused before its rows are read.
    std::FILE* f = std::fopen(name.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fputc(0, f);
    std::fclose(f);
    EXPECT_EQ(TReverbFile::Read(name, read), TReverbFile::TStatus::Invalid);
    EXPECT_EQ(TReverbFile::Read((dir / "none.rvb").string(), read), TReverbFile::TStatus::OpenFailed);
    // A folder that does not exist cannot be written to, and leaves nothing.
    const std::string nowhere = (dir / "none" / "x.rvb").string();
    EXPECT_EQ(TReverbFile::Write(nowhere, 5, written.Rows.data(), 4), TReverbFile::TStatus::OpenFailed);
    std::filesystem::remove_all(dir);
}

}  // namespace
