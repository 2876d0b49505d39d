#include "framework/TMDIClient.h"
#include "framework/TMDIChild.h"
#include "framework/TModule.h"

TMDIClient::TMDIClient(TModule* module) : TWindow(nullptr, nullptr, module)
{
    Attr.Style = WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL;
}

HWND TMDIClient::PerformCreate()
{
    CLIENTCREATESTRUCT ccs{nullptr, FirstChildId};
    return ::CreateWindowExA(Attr.ExStyle, "MDICLIENT", nullptr, Attr.Style, 0, 0, 0, 0, GetParentH(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(Attr.Id)), Module->GetInstance(), &ccs);
}

TWindow* TMDIClient::InitChild() { return new TMDIChild(*this); }

TWindow* TMDIClient::CreateChild()
{
    TWindow* child = InitChild();
    if (child && !child->Create()) {
        delete child;
        return nullptr;
    }
    return child;
}

TWindow* TMDIClient::GetActiveMDIChild() const
{
    if (!HWindow) return nullptr;
    return FromHandle(reinterpret_cast<HWND>(::SendMessageA(HWindow, WM_MDIGETACTIVE, 0, 0)));
}

bool TMDIClient::CloseChildren()
{
    std::vector<TWindow*> children;
    for (TWindow* child : GetChildren())
        if (child->GetHandle()) children.push_back(child);
    for (TWindow* child : children)
        if (!child->CanClose()) return false;
    for (TWindow* child : children) child->Destroy();
    return true;
}
