#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "framework/TColor.h"
#include "framework/TPoint.h"
#include "framework/TRect.h"
#include "framework/TResId.h"
#include "framework/TResponseTable.h"
#include "framework/TSize.h"

class TApplication;
class TCommandEnabler;
class TDC;
class TModule;
class TScroller;

// Creation attributes, filled by constructors and adjusted before Create.
struct TWindowAttr {
    DWORD Style = WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    int X = CW_USEDEFAULT;
    int Y = 0;
    int W = CW_USEDEFAULT;
    int H = 0;
    int Id = 0;        // control id of a child window
    TResId Menu;       // menu resource of a top-level or MDI child window
    void* Param = nullptr;
};

// A window object over one HWND. The window procedure only dispatches: each
// message is looked up in the response tables (derived class first) and the
// handler found is called; anything not found goes to DefWindowProc.
//
// Ownership: the object that creates a child window object deletes it; the
// framework never deletes window objects (except the application's main
// window and a frame's client). When the HWND is destroyed the object forgets
// its handle and can be created again.
class TWindow {
public:
    TWindow(TWindow* parent, const char* title = nullptr, TModule* module = nullptr);
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    TWindowAttr Attr;
    TScroller* Scroller = nullptr;   // owned when set

    HWND GetHandle() const { return HWindow; }
    operator HWND() const { return HWindow; }
    TWindow* GetParent() const { return Parent; }
    // Moves the object (and its window, when both have one) under a new parent.
    void SetParent(TWindow* newParent);
    HWND GetParentH() const { return Parent ? Parent->HWindow : nullptr; }
    TModule* GetModule() const { return Module; }
    TApplication* GetApplication() const;
    const char* GetTitle() const { return Title.c_str(); }
    int GetId() const { return Attr.Id; }
    const std::vector<TWindow*>& GetChildren() const { return Children; }
    TWindow* ChildWithId(int id) const;
    // The object of a window the framework created or bound; null otherwise.
    static TWindow* FromHandle(HWND handle);

    // Life cycle.
    virtual bool Create();
    virtual void Destroy(int retVal = 0);
    virtual void SetupWindow();
    virtual void CleanupWindow();
    virtual bool CanClose();
    virtual void CloseWindow(int retVal = 0);
    virtual const char* GetClassName();
    virtual void GetWindowClass(WNDCLASSA& wc);
    virtual void Paint(TDC& dc, bool erase, TRect& rect);
    virtual bool IdleAction(long idleCount);
    virtual bool PreProcessMsg(MSG& msg);

    // Dispatch.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode);
    virtual void EvCommandEnable(TCommandEnabler& ce);
    // The default handling of the message now being dispatched.
    LRESULT DefaultProcessing();
    // Looks id up in this window's tables, then in the command delegate's
    // (an MDI frame's active child), then up the parent chain.
    bool RouteCommand(UINT id);
    bool RouteCommandEnable(TCommandEnabler& ce);
    // Where a command the window itself does not handle goes first.
    virtual TWindow* CommandDelegate();
    // This window's own tables only.
    bool DispatchCommand(UINT id);
    bool DispatchCommandEnable(TCommandEnabler& ce);
    // Draw-item reflected from the parent (owner-drawn controls override).
    virtual void DrawItem(DRAWITEMSTRUCT& dis);
    // Scroll messages reflected from the parent to a scroll-bar object.
    virtual void ReflectScroll(UINT code, UINT pos);

    // Operations.
    void Show(int cmdShow) { ::ShowWindow(HWindow, cmdShow); }
    bool IsWindow() const { return HWindow && ::IsWindow(HWindow); }
    bool IsWindowVisible() const { return ::IsWindowVisible(HWindow) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(HWindow) != FALSE; }
    bool IsIconic() const { return ::IsIconic(HWindow) != FALSE; }
    bool IsZoomed() const { return ::IsZoomed(HWindow) != FALSE; }
    void EnableWindow(bool enable) { ::EnableWindow(HWindow, enable); }
    void Invalidate(bool erase = true) { ::InvalidateRect(HWindow, nullptr, erase); }
    void InvalidateRect(const TRect& rect, bool erase = true) { ::InvalidateRect(HWindow, &rect, erase); }
    void ValidateRect(const TRect& rect) { ::ValidateRect(HWindow, &rect); }
    void UpdateWindow() { ::UpdateWindow(HWindow); }
    // Repaints a part at once, as its WM_PAINT would (background, then Paint
    // clipped to it), without the message round trip: for small parts
    // refreshed often, such as read-outs during a run.
    void PaintNow(const TRect& rect);
    TRect GetClientRect() const;
    TRect GetWindowRect() const;
    void ClientToScreen(TPoint& p) const { ::ClientToScreen(HWindow, &p); }
    void ScreenToClient(TPoint& p) const { ::ScreenToClient(HWindow, &p); }
    bool MoveWindow(int x, int y, int w, int h, bool repaint = false);
    bool MoveWindow(const TRect& r, bool repaint = false) { return MoveWindow(r.left, r.top, r.Width(), r.Height(), repaint); }
    bool SetWindowPos(HWND after, int x, int y, int w, int h, UINT flags);
    void BringWindowToTop() { ::BringWindowToTop(HWindow); }
    HWND SetFocus() { return ::SetFocus(HWindow); }
    void SetCaption(const char* title);
    void SetWindowText(const char* text) { ::SetWindowTextA(HWindow, text); }
    int GetWindowText(char* text, int size) const { return ::GetWindowTextA(HWindow, text, size); }
    std::string GetWindowText() const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(HWindow); }
    LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::SendMessageA(HWindow, msg, w, l); }
    bool PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::PostMessageA(HWindow, msg, w, l) != FALSE; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(HWindow, id); }
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::SendDlgItemMessageA(HWindow, id, msg, w, l); }
    UINT_PTR SetTimer(UINT_PTR id, UINT ms) { return ::SetTimer(HWindow, id, ms, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(HWindow, id) != FALSE; }
    HWND SetCapture() { return ::SetCapture(HWindow); }
    void ReleaseCapture() { ::ReleaseCapture(); }
    // Loads and sets the window's menu; an MDI child keeps it to merge into
    // the frame's menu while it is active.
    bool AssignMenu(TResId id);
    HMENU GetMenu() const { return ::GetMenu(HWindow); }
    bool SetMenu(HMENU menu) { return ::SetMenu(HWindow, menu) != FALSE; }
    void DrawMenuBar() { ::DrawMenuBar(HWindow); }
    HMENU GetSystemMenu(bool revert = false) const { return ::GetSystemMenu(HWindow, revert); }
    void DragAcceptFiles(bool accept);
    ULONG_PTR GetClassLong(int index) const { return ::GetClassLongPtrA(HWindow, index); }
    ULONG_PTR SetClassLong(int index, LONG_PTR value) { return ::SetClassLongPtrA(HWindow, index, value); }
    LONG_PTR GetWindowLong(int index) const { return ::GetWindowLongPtrA(HWindow, index); }
    LONG_PTR SetWindowLong(int index, LONG_PTR value) { return ::SetWindowLongPtrA(HWindow, index, value); }
    DWORD GetStyle() const { return DWORD(GetWindowLong(GWL_STYLE)); }
    bool GetWindowPlacement(WINDOWPLACEMENT& wp) const;
    bool SetWindowPlacement(const WINDOWPLACEMENT& wp) { return ::SetWindowPlacement(HWindow, &wp) != FALSE; }
    // Through the message seam (TEngineHost), so tests record instead of blocking.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    // True while this window was created as an MDI child.
    bool IsMDIChild() const { return MDIChild; }
    virtual bool IsMDIClient() const { return false; }

    // Handlers of TWindow's own table. Classes that bind the same messages
    // call these for the framework's part.
    int EvCreate(CREATESTRUCT& cs);
    void EvPaint();
    void EvClose();
    void EvDestroy();
    void EvSize(UINT sizeType, const TSize& size);
    void EvInitMenuPopup(HMENU popup, UINT index, bool sysMenu);
    void EvDrawItem(UINT ctlId, DRAWITEMSTRUCT& dis);
    void EvHScroll(UINT code, UINT pos, HWND bar);
    void EvVScroll(UINT code, UINT pos, HWND bar);
    void EvMDIActivate(HWND deactivated, HWND activated);

protected:
    // An MDI child's own menu, merged into the frame's menu while it is active.
    HMENU ChildMenu = nullptr;
    // The window's class was a system class (or a dialog's); its procedure
    // was replaced and this is the original.
    WNDPROC OrigProc = nullptr;

    // Binds the object to an existing window (dialog items, MDI client).
    void Attach(HWND handle);
    void AddChild(TWindow* child);
    void RemoveChild(TWindow* child);
    // Registers GetClassName once, through GetWindowClass.
    bool Register();
    // Creates the HWND; MDI children are created through their client.
    virtual HWND PerformCreate();

    TWindow* Parent;
    std::string Title;
    TModule* Module;
    HWND HWindow = nullptr;
    bool MDIChild = false;
    // Bound to an item of the parent dialog's template instead of created.
    bool FromResource = false;

public:
    virtual bool Find(TEventInfo& info);

private:
    static const TResponseTableEntry* ResponseEntries();
    static LRESULT CALLBACK StdWndProc(HWND h, UINT msg, WPARAM w, LPARAM l);
    LRESULT ReceiveMessage(UINT msg, WPARAM w, LPARAM l);
    void Detach();
    void DestroyHandle();
    void MergeChildMenu(bool active);

    struct TCurrentEvent { UINT Msg; WPARAM WParam; LPARAM LParam; };
    TCurrentEvent Current{};
    // Set by the destructor when a handler deletes its own window, so the
    // message frames below it touch nothing of the object on the way out.
    bool* DeletedFlag = nullptr;
    std::vector<TWindow*> Children;
    int MergedItems = 0;

    friend class TDialog;
    friend class TMDIClient;
};
