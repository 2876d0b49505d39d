// The file I/O options' checks and the default folders of "Set Paths".
#include <gtest/gtest.h>
#include "base/TEngineHost.h"
#include "dialogs/TFileOptionsForm.h"
#include "dialogs/TPathsForm.h"

TEST(TFileOptionsForm, ChecksInOrderKeepingTheValuesStoredBeforeARefusal)
{
    const char* const bufferMessage = "Real Time Data buffer length must be at least 4 seconds.";
    const char* const ramLow = "Maximum RAM recording time must be at least 4 seconds.";
    const char* const ramHigh = "Maximum RAM recording time must be less than 3600 seconds.";
    const char* const diskLow = "Maximum Hard Disk recording size must be at least 1 MB";
    const char* const diskHigh = "Maximum Hard Disk recording size cannot be greater than 2,000 MB (2GB)";
    const struct {
        const char *Buffer, *Ram, *Disk, *Message;
        int32_t StoredBuffer, StoredRam, StoredDisk;
    } cases[] = {
        {"4", "3600", "2000", "", 4, 3600, 2000000000},
        {"120", "4", "1", "", 120, 4, 1000000},
        {"12abc", "30.9", " 7", "", 12, 30, 7000000},
        {"3", "3601", "2001", bufferMessage, 60, 300, 2000000000},
        {"abc", "300", "2000", bufferMessage, 60, 300, 2000000000},
        {"10", "3601", "0", ramHigh, 10, 300, 2000000000},
        {"10", "2", "0", ramLow, 10, 300, 2000000000},
        {"10", "600", "2001", diskHigh, 10, 600, 2000000000},
        {"10", "600", "0", diskLow, 10, 600, 2000000000},
        {"10", "600", "99999999999", diskHigh, 10, 600, 2000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Buffer << " " << c.Ram << " " << c.Disk);
        FileIOSettings record;
        TFileOptionsForm::TFields f = TFileOptionsForm::FieldsOf(record);
        f.BufferSecs = c.Buffer;
        f.MaxRamSecs = c.Ram;
        f.MaxDiskMB = c.Disk;
        f.Mode = 0;
        f.Buffering = false;
        f.MakeBackup = false;
        f.IncludeCalibration = false;
        const TFileOptionsForm::TOutcome out = TFileOptionsForm::Store(f, record);
        EXPECT_EQ(out.Message, c.Message);
        EXPECT_EQ(out.Stored, *c.Message == '\0');
        EXPECT_EQ(out.Style, out.Stored ? 0u : TEngineHost::MsgIconStop);
        EXPECT_EQ(record.RealTimeWaveBufferLengthSecs, c.StoredBuffer);
        EXPECT_EQ(record.MaxRamRecordingTimeSecs, c.StoredRam);
        EXPECT_EQ(record.MaxDiskRecordingSizeBytes, c.StoredDisk);
        // The mode and the flags come last.
        EXPECT_EQ(record.WaveFileMode, out.Stored ? 0 : 1);
        EXPECT_EQ(record.RealTimeWaveBufferEnableFlag, out.Stored ? 0 : 1);
        EXPECT_EQ(record.MakeBackup, out.Stored ? 0 : 1);
        EXPECT_EQ(record.IncludeCalibrationData, out.Stored ? 0 : 1);
    }
}

TEST(TFileOptionsForm, ShowsTheSizeInMBAndKeepsAModeNoButtonStandsFor)
{
    FileIOSettings record;
    record.MaxDiskRecordingSizeBytes = 1999999999;
    record.WaveFileMode = 1;
    TFileOptionsForm::TFields f = TFileOptionsForm::FieldsOf(record);
    EXPECT_EQ(f.MaxDiskMB, "1999");
    EXPECT_EQ(f.MaxRamSecs, "300");
    EXPECT_EQ(f.BufferSecs, "60");
    EXPECT_EQ(f.Mode, 1);
    f.Mode = -1;
    ASSERT_TRUE(TFileOptionsForm::Store(f, record).Stored);
    EXPECT_EQ(record.WaveFileMode, 1);
    EXPECT_EQ(record.MaxDiskRecordingSizeBytes, 1999000000);
}

TEST(TPathsForm, DefaultsHangOffTheProgramFolder)
{
    EXPECT_EQ(TPathsForm::ProgramFolder("C:\\Program Files\\Tonalyx\\Tonalyx.exe"), "C:\\Program Files\\Tonalyx");
    EXPECT_EQ(TPathsForm::ProgramFolder("Tonalyx.exe"), ".");
    const struct {
        const char *Default, *Folder;
    } cases[] = {
        {"..\\.\\wave", "C:\\T\\wave"}, {"..\\.\\miccomp", "C:\\T\\miccomp"}, {"filter", "C:\\T\\filter"}};
    for (const auto& c : cases) EXPECT_EQ(TPathsForm::DefaultFolder("C:\\T", c.Default), c.Folder);
}
