#include "framework/TWindow.h"
#include <algorithm>
#include "base/TEngineHost.h"
#include "framework/TApplication.h"
#include "framework/TClientDC.h"
#include "framework/TCommandEnabler.h"
#include "framework/TMenuItemEnabler.h"
#include "framework/TModule.h"
#include "framework/TPaintDC.h"
#include "framework/TScroller.h"

namespace {
const char ObjectProp[] = "TonalyxWindowObject";
// The object whose window is being created; its first message binds it.
thread_local TWindow* CreatingWindow = nullptr;

bool IsButtonClass(HWND h)
{
    char name[16];
    return ::GetClassNameA(h, name, sizeof name) && ::lstrcmpiA(name, "Button") == 0;
}
}

DEFINE_RESPONSE_TABLE(TWindow)
    EV_WM_CREATE
    EV_WM_PAINT
    EV_WM_CLOSE
    EV_WM_DESTROY
    EV_WM_SIZE
    EV_WM_INITMENUPOPUP
    EV_WM_DRAWITEM
    EV_WM_HSCROLL
    EV_WM_VSCROLL
    EV_WM_MDIACTIVATE
END_RESPONSE_TABLE;

TWindow::TWindow(TWindow* parent, const char* title, TModule* module)
    : Parent(parent), Title(title ? title : ""), Module(module)
{
    if (!Module) Module = TApplication::Current() ? static_cast<TModule*>(TApplication::Current()) : &TModule::Default();
    if (Parent) {
        if (Parent->IsMDIClient()) {
            Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        } else {
            Attr.Style = WS_CHILD | WS_VISIBLE;
            Attr.X = Attr.Y = Attr.W = Attr.H = 0;
        }
        Parent->AddChild(this);
    }
}

TWindow::~TWindow()
{
    if (DeletedFlag) *DeletedFlag = true;
    DestroyHandle();
    if (Parent) Parent->RemoveChild(this);
    for (TWindow* child : Children) child->Parent = nullptr;
    if (ChildMenu) ::DestroyMenu(ChildMenu);
    delete Scroller;
}

TApplication* TWindow::GetApplication() const { return TApplication::Current(); }

void TWindow::AddChild(TWindow* child) { Children.push_back(child); }

void TWindow::RemoveChild(TWindow* child)
{
    Children.erase(std::remove(Children.begin(), Children.end(), child), Children.end());
}

void TWindow::SetParent(TWindow* newParent)
{
    if (Parent) Parent->RemoveChild(this);
    Parent = newParent;
    if (Parent) {
        Parent->AddChild(this);
        if (HWindow && Parent->HWindow) ::SetParent(HWindow, Parent->HWindow);
    }
}

TWindow* TWindow::ChildWithId(int id) const
{
    for (TWindow* child : Children)
        if (child->Attr.Id == id) return child;
    return nullptr;
}

TWindow* TWindow::FromHandle(HWND handle)
{
    return handle ? static_cast<TWindow*>(::GetPropA(handle, ObjectProp)) : nullptr;
}

void TWindow::Attach(HWND handle)
{
    HWindow = handle;
    ::SetPropA(handle, ObjectProp, this);
    if (::GetWindowLongPtrA(handle, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&StdWndProc))
        OrigProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc)));
}

void TWindow::Detach()
{
    if (MergedItems) MergeChildMenu(false);
    ::RemovePropA(HWindow, ObjectProp);
    if (OrigProc) ::SetWindowLongPtrA(HWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OrigProc));
    OrigProc = nullptr;
    HWindow = nullptr;
    MDIChild = false;
}

LRESULT CALLBACK TWindow::StdWndProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    TWindow* window = FromHandle(h);
    if (!window && CreatingWindow) {
        window = CreatingWindow;
        CreatingWindow = nullptr;
        window->Attach(h);
    }
    if (!window) return ::DefWindowProcA(h, msg, w, l);
    return window->ReceiveMessage(msg, w, l);
}

LRESULT TWindow::ReceiveMessage(UINT msg, WPARAM w, LPARAM l)
{
    TCurrentEvent saved = Current;
    Current = {msg, w, l};
    bool deleted = false;
    bool* outer = DeletedFlag;
    DeletedFlag = &deleted;
    LRESULT result = WindowProc(msg, w, l);
    if (deleted) {
        if (outer) *outer = true;
        return result;
    }
    DeletedFlag = outer;
    Current = saved;
    if (msg == WM_NCDESTROY) Detach();
    return result;
}

LRESULT TWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND) return EvCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    TEventInfo info(TResponseTableEntry::Message, msg);
    if (Find(info)) return info.Dispatch(wParam, lParam);
    return DefWindowProc(msg, wParam, lParam);
}

LRESULT TWindow::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (OrigProc) return ::CallWindowProcA(OrigProc, HWindow, msg, wParam, lParam);
    if (MDIChild) return ::DefMDIChildProcA(HWindow, msg, wParam, lParam);
    return ::DefWindowProcA(HWindow, msg, wParam, lParam);
}

LRESULT TWindow::DefaultProcessing()
{
    return DefWindowProc(Current.Msg, Current.WParam, Current.LParam);
}

LRESULT TWindow::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (hWndCtl) {
        TEventInfo one(TResponseTableEntry::Notify, 0, id, notifyCode);
        if (Find(one)) return one.Dispatch(notifyCode, LPARAM(id));
        TEventInfo all(TResponseTableEntry::NotifyAllCodes, 0, id);
        if (Find(all)) return all.Dispatch(notifyCode, 0);
        // A button click without a notification entry is the button's command.
        if (notifyCode == BN_CLICKED && IsButtonClass(hWndCtl) && RouteCommand(id)) return 0;
        return DefaultProcessing();
    }
    if (RouteCommand(id)) return 0;
    return DefaultProcessing();
}

void TWindow::EvCommandEnable(TCommandEnabler& ce) { RouteCommandEnable(ce); }

TWindow* TWindow::CommandDelegate() { return nullptr; }

bool TWindow::DispatchCommand(UINT id)
{
    TEventInfo info(TResponseTableEntry::Command, 0, id);
    if (!Find(info)) return false;
    TCurrentEvent saved = Current;
    Current = {WM_COMMAND, MAKEWPARAM(id, 0), 0};
    info.Dispatch(WPARAM(id), 0);
    Current = saved;
    return true;
}

bool TWindow::DispatchCommandEnable(TCommandEnabler& ce)
{
    TEventInfo info(TResponseTableEntry::CommandEnable, 0, ce.GetId());
    if (!Find(info)) return false;
    info.Dispatch(0, reinterpret_cast<LPARAM>(&ce));
    return true;
}

// Own table, then the delegate's, then up through the windows this one is a
// child of; a top-level window (frame, dialog) ends the walk.
bool TWindow::RouteCommand(UINT id)
{
    if (DispatchCommand(id)) return true;
    if (TWindow* d = CommandDelegate(); d && d->DispatchCommand(id)) return true;
    for (TWindow* w = this; w->Parent && w->HWindow && (w->GetStyle() & WS_CHILD); w = w->Parent)
        if (w->Parent->DispatchCommand(id)) return true;
    return false;
}

bool TWindow::RouteCommandEnable(TCommandEnabler& ce)
{
    if (DispatchCommandEnable(ce)) return true;
    if (TWindow* d = CommandDelegate(); d && d->DispatchCommandEnable(ce)) return true;
    for (TWindow* w = this; w->Parent && w->HWindow && (w->GetStyle() & WS_CHILD); w = w->Parent)
        if (w->Parent->DispatchCommandEnable(ce)) return true;
    return false;
}

const char* TWindow::GetClassName() { return "TonalyxWindow"; }

void TWindow::GetWindowClass(WNDCLASSA& wc)
{
    wc.style = 0;
    wc.lpfnWndProc = &StdWndProc;
    wc.hInstance = Module->GetInstance();
    wc.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
}

bool TWindow::Register()
{
    const char* name = GetClassName();
    WNDCLASSA wc{};
    if (::GetClassInfoA(Module->GetInstance(), name, &wc) || ::GetClassInfoA(nullptr, name, &wc)) return true;
    wc = WNDCLASSA{};
    GetWindowClass(wc);
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) != 0;
}

HWND TWindow::PerformCreate()
{
    HWND handle;
    CreatingWindow = this;
    if (Parent && Parent->IsMDIClient()) {
        if (!Attr.Menu.IsNull() && !ChildMenu) ChildMenu = Module->LoadMenu(Attr.Menu);
        MDIChild = true;
        MDICREATESTRUCTA cs{GetClassName(), Title.c_str(), Module->GetInstance(), Attr.X, Attr.Y, Attr.W, Attr.H,
                            Attr.Style, reinterpret_cast<LPARAM>(Attr.Param)};
        handle = reinterpret_cast<HWND>(::SendMessageA(Parent->HWindow, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
        if (!handle) MDIChild = false;
    } else {
        HMENU menu = nullptr;
        if (Attr.Style & WS_CHILD)
            menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(Attr.Id));
        else if (!Attr.Menu.IsNull())
            menu = Module->LoadMenu(Attr.Menu);
        handle = ::CreateWindowExA(Attr.ExStyle, GetClassName(), Title.c_str(), Attr.Style, Attr.X, Attr.Y, Attr.W,
                                   Attr.H, GetParentH(), menu, Module->GetInstance(), Attr.Param);
    }
    CreatingWindow = nullptr;
    return handle;
}

bool TWindow::Create()
{
    if (HWindow) return true;
    if (Parent && !Parent->HWindow) return false;
    if (!Register()) return false;
    HWND handle = PerformCreate();
    if (!handle) return false;
    // Windows of system classes are bound here, after their creation.
    if (FromHandle(handle) != this) {
        Attach(handle);
        SetupWindow();
    }
    return true;
}

int TWindow::EvCreate(CREATESTRUCT&)
{
    if (DefaultProcessing() == -1) return -1;
    SetupWindow();
    return 0;
}

void TWindow::SetupWindow()
{
    std::vector<TWindow*> children = Children;
    for (TWindow* child : children) {
        if (child->HWindow) continue;
        if (child->FromResource) {
            if (HWND item = ::GetDlgItem(HWindow, child->Attr.Id)) {
                child->Attach(item);
                child->SetupWindow();
            }
        } else {
            child->Create();
        }
    }
    if (Scroller) Scroller->SetSBarRange();
}

void TWindow::CleanupWindow() {}

void TWindow::Destroy(int) { DestroyHandle(); }

// An MDI child goes through its client, which activates the next child.
void TWindow::DestroyHandle()
{
    if (!HWindow) return;
    if (MDIChild && Parent && Parent->HWindow)
        ::SendMessageA(Parent->HWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(HWindow), 0);
    else
        ::DestroyWindow(HWindow);
}

bool TWindow::CanClose()
{
    for (TWindow* child : Children)
        if (child->HWindow && !child->CanClose()) return false;
    return true;
}

void TWindow::CloseWindow(int retVal)
{
    if (CanClose()) Destroy(retVal);
}

void TWindow::EvClose() { CloseWindow(); }

void TWindow::EvDestroy()
{
    CleanupWindow();
    if (TApplication* app = GetApplication(); app && app->GetMainWindow() == this) ::PostQuitMessage(0);
    DefaultProcessing();
}

void TWindow::Paint(TDC&, bool, TRect&) {}

void TWindow::EvPaint()
{
    TPaintDC dc(HWindow);
    TRect& rect = *reinterpret_cast<TRect*>(&dc.Ps.rcPaint);
    if (Scroller) Scroller->BeginView(dc, rect);
    Paint(dc, dc.Ps.fErase != FALSE, rect);
    if (Scroller) Scroller->EndView();
}

void TWindow::PaintNow(const TRect& rect)
{
    if (!HWindow || !::IsWindowVisible(HWindow)) return;
    if (Scroller) {
        InvalidateRect(rect, true);
        UpdateWindow();
        return;
    }
    TClientDC dc(HWindow);
    ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    if (const auto background = HBRUSH(::GetClassLongPtrA(HWindow, GCLP_HBRBACKGROUND)))
        ::FillRect(dc, &rect, background);
    TRect part = rect;
    Paint(dc, true, part);
}

void TWindow::EvSize(UINT sizeType, const TSize&)
{
    if (Scroller && sizeType != SIZE_MINIMIZED) {
        Scroller->SetPageSize();
        Scroller->SetSBarRange();
    }
    DefaultProcessing();
}

void TWindow::EvInitMenuPopup(HMENU popup, UINT, bool sysMenu)
{
    if (!sysMenu) {
        int count = ::GetMenuItemCount(popup);
        for (int i = 0; i < count; ++i) {
            UINT id = ::GetMenuItemID(popup, i);
            if (id == 0 || id == UINT(-1)) continue;   // separators and submenus
            TMenuItemEnabler ce(popup, id, i);
            EvCommandEnable(ce);
        }
    }
    DefaultProcessing();
}

void TWindow::EvDrawItem(UINT, DRAWITEMSTRUCT& dis)
{
    if (dis.CtlType == ODT_MENU) return;
    if (TWindow* item = FromHandle(dis.hwndItem)) item->DrawItem(dis);
}

void TWindow::DrawItem(DRAWITEMSTRUCT&) {}

void TWindow::ReflectScroll(UINT, UINT) {}

void TWindow::EvHScroll(UINT code, UINT pos, HWND bar)
{
    if (TWindow* b = FromHandle(bar))
        b->ReflectScroll(code, pos);
    else if (!bar && Scroller)
        Scroller->HScroll(code, pos);
    else
        DefaultProcessing();
}

void TWindow::EvVScroll(UINT code, UINT pos, HWND bar)
{
    if (TWindow* b = FromHandle(bar))
        b->ReflectScroll(code, pos);
    else if (!bar && Scroller)
        Scroller->VScroll(code, pos);
    else
        DefaultProcessing();
}

void TWindow::EvMDIActivate(HWND, HWND activated)
{
    if (ChildMenu) MergeChildMenu(activated == HWindow);
    DefaultProcessing();
}

// The child menu's popups go at the end of the frame's menu bar (before the
// buttons of a maximised child) while the child is active.
void TWindow::MergeChildMenu(bool active)
{
    TWindow* frame = Parent ? Parent->Parent : nullptr;
    HMENU bar = frame && frame->HWindow ? ::GetMenu(frame->HWindow) : nullptr;
    if (!bar || !ChildMenu || active == (MergedItems > 0)) return;
    int count = ::GetMenuItemCount(ChildMenu);
    if (active) {
        int pos = ::GetMenuItemCount(bar);
        while (pos > 0) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            if (!::GetMenuItemInfoA(bar, pos - 1, TRUE, &info) || !(info.fType & MFT_BITMAP)) break;
            --pos;
        }
        for (int i = 0; i < count; ++i) {
            char text[80] = "";
            ::GetMenuStringA(ChildMenu, i, text, sizeof text, MF_BYPOSITION);
            HMENU sub = ::GetSubMenu(ChildMenu, i);
            if (sub) ::InsertMenuA(bar, pos++, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), text);
        }
        MergedItems = count;
    } else {
        for (int i = 0; i < count; ++i) {
            HMENU sub = ::GetSubMenu(ChildMenu, i);
            for (int pos = ::GetMenuItemCount(bar) - 1; sub && pos >= 0; --pos)
                if (::GetSubMenu(bar, pos) == sub) ::RemoveMenu(bar, pos, MF_BYPOSITION);
        }
        MergedItems = 0;
    }
    ::DrawMenuBar(frame->HWindow);
}

bool TWindow::AssignMenu(TResId id)
{
    Attr.Menu = id;
    if (!HWindow) return true;
    HMENU menu = Module->LoadMenu(id);
    if (!menu) return false;
    if (MDIChild) {
        bool merged = MergedItems > 0;
        if (merged) MergeChildMenu(false);
        if (ChildMenu) ::DestroyMenu(ChildMenu);
        ChildMenu = menu;
        if (merged) MergeChildMenu(true);
        return true;
    }
    HMENU old = ::GetMenu(HWindow);
    ::SetMenu(HWindow, menu);
    if (old) ::DestroyMenu(old);
    return true;
}

bool TWindow::IdleAction(long) { return false; }

bool TWindow::PreProcessMsg(MSG&) { return false; }

TRect TWindow::GetClientRect() const
{
    TRect r;
    ::GetClientRect(HWindow, &r);
    return r;
}

TRect TWindow::GetWindowRect() const
{
    TRect r;
    ::GetWindowRect(HWindow, &r);
    return r;
}

bool TWindow::MoveWindow(int x, int y, int w, int h, bool repaint)
{
    if (!HWindow) {
        Attr.X = x; Attr.Y = y; Attr.W = w; Attr.H = h;
        return true;
    }
    return ::MoveWindow(HWindow, x, y, w, h, repaint) != FALSE;
}

bool TWindow::SetWindowPos(HWND after, int x, int y, int w, int h, UINT flags)
{
    return ::SetWindowPos(HWindow, after, x, y, w, h, flags) != FALSE;
}

void TWindow::SetCaption(const char* title)
{
    Title = title ? title : "";
    if (HWindow) ::SetWindowTextA(HWindow, Title.c_str());
}

std::string TWindow::GetWindowText() const
{
    std::string text(::GetWindowTextLengthA(HWindow), '\0');
    int n = ::GetWindowTextA(HWindow, text.data(), int(text.size() + 1));
    text.resize(n > 0 ? n : 0);
    return text;
}

void TWindow::DragAcceptFiles(bool accept) { ::DragAcceptFiles(HWindow, accept); }

bool TWindow::GetWindowPlacement(WINDOWPLACEMENT& wp) const
{
    wp.length = sizeof wp;
    return ::GetWindowPlacement(HWindow, &wp) != FALSE;
}

int TWindow::MessageBox(const char* text, const char* caption, UINT type)
{
    if (!caption) caption = GetApplication() ? GetApplication()->GetName().c_str() : "";
    return TEngineHost::Get().ShowMessage(text ? text : "", caption, type);
}
