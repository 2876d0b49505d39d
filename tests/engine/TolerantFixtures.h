#pragma once
// The damaged WAV files that tests/fixtures/make_wav_fixtures.py writes as
// wav/tolerant_<name>.wav, each with the frames it holds in tolerant_<name>.txt.
inline constexpr const char* kTolerantFixtures[] = {
    "truncated_8_1",      "truncated_16_2",      "truncated_24_1",      "sizes_ff_8_1",        "sizes_ff_16_2",
    "sizes_ff_24_1",      "sizes_zero_8_1",      "sizes_zero_16_2",     "sizes_zero_24_1",     "data_zero_8_1",
    "data_zero_16_2",     "data_zero_24_1",      "riff_plus8_8_1",      "riff_plus8_16_2",     "riff_plus8_24_1",
    "riff_minus8_8_1",    "riff_minus8_16_2",    "riff_minus8_24_1",    "riff_28_8_1",         "riff_28_16_2",
    "riff_28_24_1",       "data_before_fmt_8_1", "data_before_fmt_16_2", "data_before_fmt_24_1", "sox_pipe_16_2",
};
