#pragma once
#include <cstdint>

// The two pseudo-random generators of the runtime library the generator's
// noise and dither follow, step for step, so that a build is repeatable:
//   Next15: s = s x 22695477 + 1 (32-bit state), value (s >> 16) & 0x7FFF;
//   Next31: s = s x 0x15A400004E35 + 1 (64-bit state), value the upper 32
//           bits with the top bit cleared.
// Both start from state 1 and are never reseeded by the program; one shared
// pair serves the whole program.
class TRuntimeRandom {
public:
    uint32_t Next15()
    {
        State15 = State15 * 22695477u + 1u;
        return (State15 >> 16) & 0x7FFFu;
    }
    uint32_t Next31()
    {
        State31 = State31 * 0x15A400004E35ull + 1u;
        return uint32_t(State31 >> 32) & 0x7FFFFFFFu;
    }

    uint32_t State15 = 1;
    uint64_t State31 = 1;

    static TRuntimeRandom& Shared();
};
