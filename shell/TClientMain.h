#pragma once
#include "framework/TMDIClient.h"

// The main window's MDI client; cascading, tiling and arranging are the
// framework's.
class TClientMain : public TMDIClient {
public:
    explicit TClientMain(TModule* module = nullptr) : TMDIClient(module) {}
};
