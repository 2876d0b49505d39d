#pragma once
#include <cstdint>
#include <vector>

#include "engine/TWaveFormat.h"
#include "engine/TWaveSummary.h"
#include "engine/TriggerSettings.h"

// A block of interleaved PCM frames (1 to 4 bytes a sample, mono or stereo)
// with a current position, a high-water mark (one past the last frame
// written) and a calibration per channel. TWaveFile derives from it and
// serves the virtual operations from a working file when it is disk-backed.
//
// Channel 1 of mono data means channel 0 everywhere. Sample access handles 1
// to 3 bytes a sample; 4-byte samples are moved only by the frame and byte
// operations. 8-bit samples are unsigned codes with silence at 127.
class TWaveData {
public:
    // 44,100 Hz, mono, 2 bytes a sample, no buffer.
    TWaveData();
    // A zero-filled block of that many frames; Error is 1 when the memory
    // could not be had.
    TWaveData(uint32_t frames, TWaveFormat format);
    virtual ~TWaveData() = default;
    TWaveData(const TWaveData&) = delete;
    TWaveData& operator=(const TWaveData&) = delete;

    // Format. Changing it keeps the buffer as it is.
    void SetFormat(uint32_t samplingRate, uint16_t numChannels, uint16_t bytesPerSample);
    void SetFormat(TWaveFormat format) { SetFormat(format.SamplingRate, format.NumChannels, format.BytesPerSample); }
    TWaveFormat GetFormat() const { return Format; }
    uint16_t GetChannels() const { return Format.NumChannels; }
    uint32_t GetSampleRate() const { return Format.SamplingRate; }
    uint16_t GetBytesPerSample() const { return Format.BytesPerSample; }
    int32_t GetMaxValue() const { return Format.MaxValue; }
    int32_t GetMinValue() const { return Format.MinValue; }
    int32_t GetSilenceValue() const { return Format.SilenceValue; }

    // A factor of 0.0 is taken as 2.0; each channel's scale is its factor
    // over the format's full scale.
    void SetCalibration(float left, float right);
    float GetCalibration(uint16_t channel) const { return IsRight(channel) ? CalibrationRight : CalibrationLeft; }
    float GetScale(uint16_t channel) const { return IsRight(channel) ? ScaleRight : ScaleLeft; }

    // Size. Growth fills the new frames with silence; a failed growth keeps
    // the old buffer and returns 0, as does one past MaxFrames.
    int SetLength(uint32_t frames);
    // The most frames a wave file of this format holds: its RIFF size is
    // 32-bit, so frames x block align stays within 32 bits too.
    uint32_t MaxFrames() const;
    uint32_t GetFrameCount() const { return FrameCount; }
    uint32_t GetBufferSize() const { return BufferSize; }
    uint8_t* GetBuffer() { return Buffer.empty() ? nullptr : Buffer.data(); }
    const uint8_t* GetBuffer() const { return Buffer.empty() ? nullptr : Buffer.data(); }

    // Position. Each move ends in the virtual Seek and returns the position.
    uint32_t GetPosition() const { return Position; }
    uint32_t GetPositionBytes() const { return FramesToBytes(Position); }
    uint32_t GetHighWaterMark() const { return HighWaterMark; }
    uint32_t Rewind();
    uint32_t SeekEnd();
    // Ignored beyond the frame count.
    uint32_t SetPosition(uint32_t frame);
    // Stops at the last frame.
    uint32_t Advance(uint32_t frames);
    virtual void Seek(uint32_t frame);

    uint32_t FramesToBytes(uint32_t frames) const;
    uint32_t BytesToFrames(uint32_t bytes) const;
    float FrameToTime(uint32_t frame) const;
    // Truncates; negative times give frame 0.
    uint32_t TimeToFrame(float seconds) const;
    float GetDuration() const { return FrameToTime(FrameCount); }
    float GetPositionTime() const { return FrameToTime(Position); }
    float GetHighWaterTime() const { return FrameToTime(HighWaterMark); }
    float SetPositionTime(float seconds);

    // The stored sample (8-bit codes as stored) or, when scaled is non-zero,
    // (sample - silence) x the channel's scale. A frame outside the block
    // reads as silence.
    virtual float GetSample(uint32_t frame, uint16_t channel, int scaled);
    // Stores the low bytes of value (3 bytes: packed); 8-bit values beyond
    // +/-255 are refused. Moves the position on by one and raises the
    // high-water mark to it. Returns 1 when taken.
    virtual int PutSample(int32_t value, uint32_t frame, uint16_t channel);

    // count samples of one channel from frame start, packed at the sample
    // width. A start beyond the end counts as 0; a range that runs past the
    // end fills dest with silence and returns 0.
    virtual int ReadFrames(void* dest, uint32_t start, uint32_t count, uint16_t channel);
    // The reverse, cut at the end of the block; moves neither the position
    // nor the high-water mark.
    virtual int WriteFrames(const void* src, uint32_t start, uint32_t count, uint16_t channel);
    // Raw bytes from the position; the part beyond the buffer is zero-filled.
    virtual int ReadStream(void* dest, uint32_t bytes);
    // Raw bytes at the position; refused when they do not fit.
    virtual int WriteStream(const void* src, uint32_t bytes);
    // count whole frames from frame start, interleaved as stored; 0, with
    // dest untouched, when the range runs past the end.
    virtual int ReadInterleaved(void* dest, uint32_t start, uint32_t count);
    // The reverse, written by WriteStream so that a disk-backed wave writes
    // its working file as for any other write; moves neither the position nor
    // the high-water mark. 0 when the range runs past the end or the write
    // fails.
    int WriteInterleaved(const void* src, uint32_t start, uint32_t count);

    // Fills the whole buffer with silence bytes (127 for 8-bit, else 0).
    void ClearBuffer();
    // Silences frames [from, min(to, frame count)) of every channel.
    virtual void SilenceFrames(uint32_t from, uint32_t to);
    void SilenceToEnd(uint32_t from) { SilenceFrames(from, FrameCount); }
    void SilenceToFrame(uint32_t to) { SilenceFrames(0, to); }

    // Over frames [from, to) of one channel, scaled samples.
    virtual double MeanSquare(uint32_t from, uint32_t to, uint16_t channel);
    virtual double SumOfMagnitudes(uint32_t from, uint32_t to, uint16_t channel);
    // Largest and smallest stored sample of [from, to) (to stops before the
    // last frame), or with rms the RMS of the positive and minus the RMS of
    // the negative samples; scaled converts both like GetSample. Writes
    // nothing when the range starts outside the block.
    virtual void GetMinMax(uint32_t from, uint32_t to, float* max, float* min, uint16_t channel, int scaled,
                           int rms);

    // The min/max summary that GetMinMax takes whole blocks from instead of
    // reading their frames; set up on first use and kept by every write.
    // Scratch blocks that are never drawn may go without one.
    void SetSummaryEnabled(bool enabled);
    // Brings the summary up to date (reads whatever is stale); false when
    // the frames cannot be read or the summary is off.
    bool RefreshSummary();
    const TWaveSummary& GetSummary() const { return Summary; }
    // 1 when the trigger event occurs in frames [from, to). Levels and steps
    // are measured from silence, so 8-bit data trigger as signed data do.
    int TestTrigger(const TriggerSettings& trigger, uint32_t from, uint32_t to, uint16_t channel);

    uint32_t Error = 0;
    uint32_t Changed = 1;

protected:
    bool IsRight(uint16_t channel) const { return channel == 1 && Format.NumChannels == 2; }
    // Byte offset of a channel's sample in a frame.
    uint32_t SampleOffset(uint32_t frame, uint16_t channel) const;
    // One sample at the format's width: reads give 4-byte samples as silence,
    // writes store the low bytes of any width (3 bytes packed).
    int32_t LoadSample(const uint8_t* p) const;
    void StoreSample(uint8_t* p, int32_t value) const;
    bool Allocate(uint32_t bytes);
    // The summary's view of frames [frame, frame + count) as stored, or null.
    virtual const uint8_t* SummaryFrames(uint32_t frame, uint32_t count);
    // Extremes of the stored frames [from, to) outside whole summary blocks,
    // merged into hi and lo; false when they cannot be read.
    virtual bool EdgeExtremes(uint32_t from, uint32_t to, uint16_t channel, double& hi, double& lo);
    // hi and lo of [from, to) from the summary and the frames at both ends;
    // false when the range holds no whole block or the summary cannot be had.
    bool SummaryExtremes(uint32_t from, uint32_t to, uint16_t channel, double& hi, double& lo);
    // Frames [from, to) were written (or the length changed).
    void Touch(uint32_t from, uint32_t to);
    void ForgetSummary() { Summary.Clear(); }
    // Writes hi and lo as GetMinMax gives them.
    void PutExtremes(double hi, double lo, float* max, float* min, uint16_t channel, int scaled) const;

    std::vector<uint8_t> Buffer;
    TWaveFormat Format;
    uint32_t BufferSize = 0;
    uint32_t FrameCount = 0;
    uint32_t Position = 0;
    uint32_t HighWaterMark = 0;
    float CalibrationLeft = 1.0f;
    float CalibrationRight = 1.0f;
    float ScaleLeft = 1.0f;
    float ScaleRight = 1.0f;

private:
    TWaveSummary Summary;
    bool SummaryEnabled = true;
};
