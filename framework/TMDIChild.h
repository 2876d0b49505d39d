#pragma once
#include "framework/TWindow.h"

class TMDIClient;

// An MDI child window. (Any TWindow whose parent is the MDI client is created
// as an MDI child; this class only sets the usual child attributes.)
class TMDIChild : public TWindow {
public:
    explicit TMDIChild(TMDIClient& parent, const char* title = nullptr, TModule* module = nullptr);
};
