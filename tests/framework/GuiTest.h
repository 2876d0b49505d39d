#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include "base/THeadlessEngineHost.h"
#include "framework/TApplication.h"

// Base of every test that makes windows: an application object, a pump that
// runs the queue until it is empty, and a watchdog that ends the run when a
// test blocks (a modal loop nobody closes).
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Watchdog = std::thread([this] {
            std::unique_lock<std::mutex> lock(Mutex);
            if (!Done.wait_for(lock, std::chrono::seconds(30), [this] { return Finished; })) {
                std::fprintf(stderr, "watchdog: %s blocked\n",
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
                std::fflush(stderr);
                ::ExitProcess(3);
            }
        });
        Messages().clear();
    }
    void TearDown() override
    {
        {
            std::lock_guard<std::mutex> lock(Mutex);
            Finished = true;
        }
        Done.notify_all();
        Watchdog.join();
    }

    // Dispatches what is queued, through the application's pre-processing.
    void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                QuitSeen = true;
                continue;
            }
            if (!App.ProcessAppMsg(msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }

    static std::vector<THeadlessEngineHost::Message>& Messages()
    {
        return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
    }

    TApplication App{"Demo"};
    bool QuitSeen = false;

private:
    std::thread Watchdog;
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
};
