#pragma once
#include <cstdint>

// Section "LEQ".
struct LeqSettings {
    uint16_t LeqT_Weight = 1;
    uint16_t Leq_Weight = 1;
    uint16_t Lsel_Weight = 1;
    uint16_t Lpk_Weight = 1;
    uint16_t Lmaxmin_Weight = 1;
    uint16_t Lstats_Weight = 1;
    uint16_t LeqT_Avg = 3;
    uint16_t Leq_Avg = 3;
    uint16_t Lsel_Avg = 3;
    uint16_t Lpk_Avg = 0;    // the peak group never averages
    uint16_t Lmaxmin_Avg = 1;
    uint16_t Lstats_Avg = 1;
    int32_t LeqT_RefTimeSec = 3600;
    float UpdateIntervalSec = 1.0f;
    uint16_t RecalculationMode = 0;
};
