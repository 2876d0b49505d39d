#include "framework/TMDIChild.h"
#include "framework/TMDIClient.h"

TMDIChild::TMDIChild(TMDIClient& parent, const char* title, TModule* module) : TWindow(&parent, title, module)
{
    Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS;
}
