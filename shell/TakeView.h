#pragma once
#include <memory>
#include <utility>

// Takes a view from the main window's pointer to it, which is cleared first
// so that nothing reaches a view while it goes.
template <class T>
std::unique_ptr<T> TakeView(T*& slot)
{
    return std::unique_ptr<T>(std::exchange(slot, nullptr));
}
