#pragma once
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <new>

// Transform plans of power-of-two sizes, each built on first use and then
// shared by every transform of its size for the life of the program. The
// first look-up of a size builds it under a lock; later ones read it without.
template <class Plan, int MaxBits>
class TPlanCache {
public:
    // The plan of size 2^bits (bits <= MaxBits), built by make() when there is
    // none yet; nullptr when its tables cannot be allocated.
    template <class Make>
    const Plan* Get(int bits, Make make)
    {
        if (const Plan* plan = Ready[bits].load(std::memory_order_acquire))
            return plan;
        const std::lock_guard<std::mutex> lock(Building);
        if (const Plan* plan = Ready[bits].load(std::memory_order_relaxed))
            return plan;
        try {
            Owned[bits] = make();
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        Ready[bits].store(Owned[bits].get(), std::memory_order_release);
        return Owned[bits].get();
    }

private:
    std::array<std::unique_ptr<Plan>, MaxBits + 1> Owned;
    std::array<std::atomic<const Plan*>, MaxBits + 1> Ready{};
    std::mutex Building;
};
