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
