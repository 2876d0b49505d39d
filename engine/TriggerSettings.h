#pragma once
#include <cstdint>

// The acquisition trigger as the main window keeps it (section "Trigger"),
// copied whole between the settings, the dialog and the run control.
struct TriggerSettings {
    enum Type : uint16_t { Level = 0, Edge = 1 };
    enum Slope : uint16_t { Positive = 0, Negative = 1 };
    enum Action : uint32_t { Rearm = 0, StopOnTrigger = 1, RunOn = 2 };

    uint32_t Enable = 0;
    // What follows an event: rearm, stop the analyser, or run on untriggered.
    uint32_t Mode = Rearm;
    // 0 left, 1 right.
    uint32_t Channel = 0;
    uint16_t TriggerType = Level;
    uint16_t TriggerSlope = Positive;
    // Percent of full scale.
    uint32_t Threshold = 25;
    // 0 pre-trigger, 1 post-trigger.
    uint16_t DelayType = 0;
    float DelayMsec = 0.0f;
    // Kept by the sound-buffer handler while it runs; never stored.
    uint32_t HandlerState = 0;
    uint32_t StartSigGenOnTrigger = 0;
    // Set when the analyser starts; never stored.
    uint32_t StartState = 0;
};
