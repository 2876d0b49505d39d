#pragma once
// String-table entries that code outside the user interface also needs. The
// resource script builds its STRINGTABLE from these same macros, so the text
// shown from a string id and the text used directly never differ.

#define IDS_NO_MEMORY 70
#define IDS_NO_MEMORY_TEXT "Insufficient Memory to continue.  Please close some applications to free up memory."

#define IDS_WINDOW_BARTLETT 221
#define IDS_WINDOW_BARTLETT_TEXT "Bartlett"
#define IDS_WINDOW_BLACKMAN 222
#define IDS_WINDOW_BLACKMAN_TEXT "Blackman"
#define IDS_WINDOW_HAMMING 223
#define IDS_WINDOW_HAMMING_TEXT "Hamming"
#define IDS_WINDOW_HANNING 224
#define IDS_WINDOW_HANNING_TEXT "Hanning"
#define IDS_WINDOW_KAISER 225
#define IDS_WINDOW_KAISER_TEXT "Kaiser"
#define IDS_WINDOW_PARZEN 226
#define IDS_WINDOW_PARZEN_TEXT "Parzen"
#define IDS_WINDOW_TRIANGULAR 227
#define IDS_WINDOW_TRIANGULAR_TEXT "Triangular"
#define IDS_WINDOW_UNIFORM 228
#define IDS_WINDOW_UNIFORM_TEXT "Uniform"
#define IDS_WINDOW_FLATTOP 253
#define IDS_WINDOW_FLATTOP_TEXT "Flat top"

#define IDS_UNIT_PERCENT_FULL_SCALE 230
#define IDS_UNIT_PERCENT_FULL_SCALE_TEXT "Percent Full Scale"
#define IDS_UNIT_RELATIVE_DB 231
#define IDS_UNIT_RELATIVE_DB_TEXT "Relative Amplitude (dB)"

#define IDS_MICCOMP_TOO_FEW 240
#define IDS_MICCOMP_TOO_FEW_TEXT "file: %s must contain at least 3 entries.  File will not be used."
#define IDS_MICCOMP_NOT_ASCENDING 241
#define IDS_MICCOMP_NOT_ASCENDING_TEXT "Frequency terms in file: %s are not in ascending order.  File will not be used."

#define IDS_WRITE_WAVE_FAILED 25
#define IDS_WRITE_WAVE_FAILED_TEXT "Failure writing wave file."
#define IDS_SAVE_CHANGES 27
#define IDS_SAVE_CHANGES_TEXT "%s has changed. Save file before closing?"
#define IDS_OPEN_DATA_FILE_FAILED 28
#define IDS_OPEN_DATA_FILE_FAILED_TEXT "Failure Opening file: %s"
#define IDS_UNTITLED 32
#define IDS_UNTITLED_TEXT "Untitled"
#define IDS_OVERLAP_RANGE 34
#define IDS_OVERLAP_RANGE_TEXT "Overlap Percentage must be between 0 and 99%"
#define IDS_THRESHOLD_RANGE 36
#define IDS_THRESHOLD_RANGE_TEXT "Threshold must be between %d and %d percent."
#define IDS_OPEN_WAVE_FIRST 45
#define IDS_OPEN_WAVE_FIRST_TEXT "Please Open a .WAV file for processing"

#define IDS_VIEW_PHASE 46
#define IDS_VIEW_PHASE_TEXT "Phase"
#define IDS_VIEW_SPECTRUM 47
#define IDS_VIEW_SPECTRUM_TEXT "Spectrum"
#define IDS_VIEW_TIME_SERIES 48
#define IDS_VIEW_TIME_SERIES_TEXT "Time Series"
#define IDS_VIEW_SPECTROGRAM 49
#define IDS_VIEW_SPECTROGRAM_TEXT "Spectrogram"
#define IDS_VIEW_SURFACE 50
#define IDS_VIEW_SURFACE_TEXT "3-D Surface"
#define IDS_VIEW_PHASE2 261
#define IDS_VIEW_PHASE2_TEXT "Phase2"
#define IDS_VIEW_SPECTRUM2 262
#define IDS_VIEW_SPECTRUM2_TEXT "Spectrum2"
#define IDS_VIEW_SPECTROGRAM2 263
#define IDS_VIEW_SPECTROGRAM2_TEXT "Spectrogram2"
#define IDS_VIEW_SURFACE2 264
#define IDS_VIEW_SURFACE2_TEXT "3-D Surface2"

#define IDS_FFT_POINTS 55
#define IDS_FFT_POINTS_TEXT "FFT %ld pts"
#define IDS_AVERAGING_LABEL 59
#define IDS_AVERAGING_LABEL_TEXT "Avg:"
#define IDS_STATUS_STOPPED 60
#define IDS_STATUS_STOPPED_TEXT "Stopped"
#define IDS_STATUS_RUNNING 61
#define IDS_STATUS_RUNNING_TEXT "Running..."
#define IDS_UNIT_MSECS 67
#define IDS_UNIT_MSECS_TEXT "(msecs)"
#define IDS_UNIT_HZ 69
#define IDS_UNIT_HZ_TEXT "(Hz)"
#define IDS_AXIS_TIME 71
#define IDS_AXIS_TIME_TEXT "Time"
#define IDS_AXIS_FREQUENCY 73
#define IDS_AXIS_FREQUENCY_TEXT "Frequency"
#define IDS_AXIS_PHASE_DEGREES 213
#define IDS_AXIS_PHASE_DEGREES_TEXT "Phase (degrees)"
#define IDS_AXIS_TIME_MILLISECONDS 235
#define IDS_AXIS_TIME_MILLISECONDS_TEXT "Time (milliseconds)"
#define IDS_AXIS_TIME_SECONDS 237
#define IDS_AXIS_TIME_SECONDS_TEXT "Time (seconds)"
#define IDS_PEAK_HOLD_LABEL 238
#define IDS_PEAK_HOLD_LABEL_TEXT "Peak Hold:"
#define IDS_INTENSITY_LABEL 245
#define IDS_INTENSITY_LABEL_TEXT "Intensity:"
#define IDS_PLOT_RANGE_LABEL 246
#define IDS_PLOT_RANGE_LABEL_TEXT "Plot Range:"
#define IDS_PLOT_TOP_LABEL 591
#define IDS_PLOT_TOP_LABEL_TEXT "Plot Top:"
#define IDS_PRINTED_BY 214
#define IDS_PRINTED_BY_TEXT "Printed by: %s"

// Settings-file section names.
#define IDS_SECTION_CALIBRATION 120
#define IDS_SECTION_CALIBRATION_TEXT "Calibration"
#define IDS_SECTION_FILEIO 122
#define IDS_SECTION_FILEIO_TEXT "FileIO"
#define IDS_SECTION_SETTINGS 125
#define IDS_SECTION_SETTINGS_TEXT "Settings"
#define IDS_SECTION_FILEHISTORY 138
#define IDS_SECTION_FILEHISTORY_TEXT "FileHistory"
#define IDS_SECTION_CALIBRATIONR 270
#define IDS_SECTION_CALIBRATIONR_TEXT "CalibrationR"

#define IDS_NO_BACKUP_WARNING 139
// The resource compiler writes a quote inside a string as two quotes.
#ifdef RC_INVOKED
#define IDS_NO_BACKUP_WARNING_TEXT "You are about to modify the disk file and have not selected the ""Make Backup"" file option.\r\rDo you want to continue?"
#else
#define IDS_NO_BACKUP_WARNING_TEXT "You are about to modify the disk file and have not selected the \"Make Backup\" file option.\r\rDo you want to continue?"
#endif

// Import source data types, in the order of the import and export lists.
#define IDS_DATA_ASCII_INTEGER 160
#define IDS_DATA_ASCII_INTEGER_TEXT "ASCII - integer"
#define IDS_DATA_ASCII_FLOAT 161
#define IDS_DATA_ASCII_FLOAT_TEXT "ASCII - floating point"
#define IDS_DATA_BINARY_8BIT 162
#define IDS_DATA_BINARY_8BIT_TEXT "Binary - 8 bit"
#define IDS_DATA_BINARY_16BIT 163
#define IDS_DATA_BINARY_16BIT_TEXT "Binary - 16 bit"
#define IDS_DATA_BINARY_32BIT 164
#define IDS_DATA_BINARY_32BIT_TEXT "Binary - 32 bit"
#define IDS_DATA_BINARY_FLOAT 165
#define IDS_DATA_BINARY_FLOAT_TEXT "Binary - floating point"

#define IDS_IMPORT_RATE_ZERO 166
#define IDS_IMPORT_RATE_ZERO_TEXT "Sampling rate must be greater than zero"
#define IDS_IMPORT_EXAMINING 167
#define IDS_IMPORT_EXAMINING_TEXT "Examining data file..."
#define IDS_IMPORT_NO_MEMORY 168
#define IDS_IMPORT_NO_MEMORY_TEXT "Insufficient Memory to store wave data.  Try using DISK file mode."
#define IDS_IMPORT_RUNNING 169
#define IDS_IMPORT_RUNNING_TEXT "Importing..."
#define IDS_IMPORT_CANCEL 170
#define IDS_IMPORT_CANCEL_TEXT "Are you sure you want to cancel Importing?"
#define IDS_DECIMATION_RANGE 171
#define IDS_DECIMATION_RANGE_TEXT "Decimation Ratio must be between 1 and %d"
#define IDS_FORMAT_NOT_SUPPORTED 174
#define IDS_FORMAT_NOT_SUPPORTED_TEXT "Sampling rate or bits per sample not supported."
#define IDS_REBUILDING_DISPLAY 178
#define IDS_REBUILDING_DISPLAY_TEXT "Rebuilding display... press <Esc> to cancel."
#define IDS_TRIGGER_DELAY_RANGE 185
#define IDS_TRIGGER_DELAY_RANGE_TEXT "Trigger delay must be between 0 and %d"
#define IDS_OPENING_WAVE 189
#define IDS_OPENING_WAVE_TEXT "Opening Wave file..."
#define IDS_SAVING_WAVE 190
#define IDS_SAVING_WAVE_TEXT "Saving Wave file..."
#define IDS_CONFIRM_DELETE 248
#define IDS_CONFIRM_DELETE_TEXT "Are you sure you want to delete: %s"
#define IDS_DELETE_FAILED 249
#define IDS_DELETE_FAILED_TEXT "Failure deleting file: %s"

// The processing settings dialog.
#define IDS_RATE_NOT_POSITIVE 166
#define IDS_RATE_NOT_POSITIVE_TEXT "Sampling rate must be greater than zero"
