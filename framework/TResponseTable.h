#pragma once
#include <windows.h>
#include <cstring>
#include "framework/TPoint.h"
#include "framework/TSize.h"
#include "framework/TDropInfo.h"

class TCommandEnabler;

// A member-function pointer of any class and signature, held as bytes so a
// table entry can carry it; the entry's dispatcher copies it back into the
// exact type it was made from before calling it.
class TPmf {
public:
    TPmf() : Bytes{} {}
    template <class F> explicit TPmf(F f)
    {
        static_assert(sizeof(F) <= sizeof(Bytes), "member pointer too large");
        std::memcpy(Bytes, &f, sizeof(F));
    }
    template <class F> F As() const
    {
        F f;
        std::memcpy(&f, Bytes, sizeof(F));
        return f;
    }

private:
    alignas(8) unsigned char Bytes[16];
};

using TDispatcher = LRESULT (*)(void* object, const TPmf& pmf, WPARAM wParam, LPARAM lParam);

// One row of a response table: what it answers (a message, a command id, a
// command-enabler id or a child notification) and whom it calls. A row over a
// run of ids (Id to LastId) answers a command, an enabler or a notification
// of any of them.
struct TResponseTableEntry {
    enum TKind : unsigned char { End, Message, Command, CommandEnable, Notify, NotifyAllCodes };

    TKind Kind = End;
    UINT Msg = 0;
    UINT Id = 0;
    UINT LastId = 0;
    UINT Code = 0;
    TDispatcher Dispatcher = nullptr;
    TPmf Pmf;
};

// A lookup key and, once found, the entry and the object (of the class whose
// table held the entry) to call it on.
class TEventInfo {
public:
    TEventInfo(TResponseTableEntry::TKind kind, UINT msg, UINT id = 0, UINT code = 0)
        : Kind(kind), Msg(msg), Id(id), Code(code) {}

    template <class T> bool Search(T* object, const TResponseTableEntry* table)
    {
        for (const TResponseTableEntry* e = table; e->Kind != TResponseTableEntry::End; ++e) {
            if (Matches(*e)) {
                Entry = e;
                Object = static_cast<void*>(object);
                return true;
            }
        }
        return false;
    }
    LRESULT Dispatch(WPARAM wParam, LPARAM lParam) const { return Entry->Dispatcher(Object, Entry->Pmf, wParam, lParam); }

    TResponseTableEntry::TKind Kind;
    UINT Msg, Id, Code;
    const TResponseTableEntry* Entry = nullptr;
    void* Object = nullptr;

private:
    bool Matches(const TResponseTableEntry& e) const
    {
        if (e.Kind != Kind) return false;
        switch (Kind) {
        case TResponseTableEntry::Message: return e.Msg == Msg;
        case TResponseTableEntry::Notify: return e.Id <= Id && Id <= e.LastId && e.Code == Code;
        default: return e.Id <= Id && Id <= e.LastId;
        }
    }
};

// Entry makers, one per handler signature. Each takes the member pointer in
// the exact type its dispatcher calls, so a handler with the wrong signature
// does not compile.
template <class T> struct TEntry {
    static T* Obj(void* o) { return static_cast<T*>(o); }

    static TResponseTableEntry Make(TResponseTableEntry::TKind kind, UINT msg, UINT id, UINT code, TDispatcher d, TPmf p)
    {
        TResponseTableEntry e;
        e.Kind = kind; e.Msg = msg; e.Id = id; e.LastId = id; e.Code = code; e.Dispatcher = d; e.Pmf = p;
        return e;
    }
    static TResponseTableEntry Void(TResponseTableEntry::TKind kind, UINT msg, UINT id, UINT code, void (T::*f)())
    {
        return Make(kind, msg, id, code, [](void* o, const TPmf& p, WPARAM, LPARAM) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)()>())();
            return 0;
        }, TPmf(f));
    }
    // A notification from any child of a run of ids; the handler is given the
    // child's id, which the window passes as the LPARAM of a notification.
    static TResponseTableEntry Range(UINT firstId, UINT lastId, UINT code, void (T::*f)(UINT))
    {
        TResponseTableEntry e = Make(TResponseTableEntry::Notify, 0, firstId, code, [](void* o, const TPmf& p, WPARAM, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(UINT)>())(UINT(l));
            return 0;
        }, TPmf(f));
        e.LastId = lastId;
        return e;
    }
    // A command of a run of ids; the handler is given the command's id, which
    // the window passes as the WPARAM of a command.
    static TResponseTableEntry CommandRange(UINT firstId, UINT lastId, void (T::*f)(UINT))
    {
        TResponseTableEntry e = Uint(TResponseTableEntry::Command, 0, firstId, f);
        e.LastId = lastId;
        return e;
    }
    // Every notification of any child of a run of ids; the handler is given
    // the code, as for one child.
    static TResponseTableEntry AllCodesRange(UINT firstId, UINT lastId, void (T::*f)(UINT))
    {
        TResponseTableEntry e = Uint(TResponseTableEntry::NotifyAllCodes, 0, firstId, f);
        e.LastId = lastId;
        return e;
    }
    // The enabler of one command, or of a run of them (the enabler tells the id).
    static TResponseTableEntry Enable(UINT id, void (T::*f)(TCommandEnabler&), UINT lastId = 0)
    {
        TResponseTableEntry e = Make(TResponseTableEntry::CommandEnable, 0, id, 0, [](void* o, const TPmf& p, WPARAM, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(TCommandEnabler&)>())(*reinterpret_cast<TCommandEnabler*>(l));
            return 0;
        }, TPmf(f));
        if (lastId > id) e.LastId = lastId;
        return e;
    }
    // Handlers given the notification code (all codes of one child) or the
    // WPARAM as an unsigned (timers).
    static TResponseTableEntry Uint(TResponseTableEntry::TKind kind, UINT msg, UINT id, void (T::*f)(UINT))
    {
        return Make(kind, msg, id, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(UINT)>())(UINT(w));
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry Raw(UINT msg, LRESULT (T::*f)(WPARAM, LPARAM))
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            return (Obj(o)->*p.As<LRESULT (T::*)(WPARAM, LPARAM)>())(w, l);
        }, TPmf(f));
    }
    static TResponseTableEntry Size(UINT msg, void (T::*f)(UINT, const TSize&))
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(UINT, const TSize&)>())(UINT(w), TSize(short(LOWORD(l)), short(HIWORD(l))));
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry Point(UINT msg, void (T::*f)(const TPoint&))
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(const TPoint&)>())(TPoint(short(LOWORD(l)), short(HIWORD(l))));
            return 0;
        }, TPmf(f));
    }
    // Mouse messages (modifier keys, client point) and WM_SYSCOMMAND (command, screen point).
    static TResponseTableEntry UintPoint(UINT msg, void (T::*f)(UINT, const TPoint&))
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(UINT, const TPoint&)>())(UINT(w), TPoint(short(LOWORD(l)), short(HIWORD(l))));
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry Hwnd(UINT msg, void (T::*f)(HWND))
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(HWND)>())(reinterpret_cast<HWND>(w));
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry Bool(UINT msg, bool (T::*f)())
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM, LPARAM) -> LRESULT {
            return (Obj(o)->*p.As<bool (T::*)()>())() ? TRUE : FALSE;
        }, TPmf(f));
    }
    static TResponseTableEntry Drop(void (T::*f)(TDropInfo))
    {
        return Make(TResponseTableEntry::Message, WM_DROPFILES, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(TDropInfo)>())(TDropInfo(reinterpret_cast<HDROP>(w)));
            return 0;
        }, TPmf(f));
    }
    // Keys: virtual key or character, repeat count, flags.
    static TResponseTableEntry Key(UINT msg, void (T::*f)(UINT, UINT, UINT))
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(UINT, UINT, UINT)>())(UINT(w), LOWORD(l), HIWORD(l));
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry MinMax(void (T::*f)(MINMAXINFO&))
    {
        return Make(TResponseTableEntry::Message, WM_GETMINMAXINFO, 0, 0, [](void* o, const TPmf& p, WPARAM, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(MINMAXINFO&)>())(*reinterpret_cast<MINMAXINFO*>(l));
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry EraseBkgnd(bool (T::*f)(HDC))
    {
        return Make(TResponseTableEntry::Message, WM_ERASEBKGND, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM) -> LRESULT {
            return (Obj(o)->*p.As<bool (T::*)(HDC)>())(reinterpret_cast<HDC>(w)) ? TRUE : FALSE;
        }, TPmf(f));
    }
    static TResponseTableEntry SetCursor(bool (T::*f)(HWND, UINT, UINT))
    {
        return Make(TResponseTableEntry::Message, WM_SETCURSOR, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            return (Obj(o)->*p.As<bool (T::*)(HWND, UINT, UINT)>())(reinterpret_cast<HWND>(w), LOWORD(l), HIWORD(l)) ? TRUE : FALSE;
        }, TPmf(f));
    }
    // WM_HSCROLL / WM_VSCROLL: scroll code, 16-bit thumb position, bar (null for the window's own bars).
    static TResponseTableEntry Scroll(UINT msg, void (T::*f)(UINT, UINT, HWND))
    {
        return Make(TResponseTableEntry::Message, msg, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(UINT, UINT, HWND)>())(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
            return 0;
        }, TPmf(f));
    }
    // WM_MDIACTIVATE as a child receives it: the window losing and the window gaining activation.
    static TResponseTableEntry MdiActivate(void (T::*f)(HWND, HWND))
    {
        return Make(TResponseTableEntry::Message, WM_MDIACTIVATE, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(HWND, HWND)>())(reinterpret_cast<HWND>(w), reinterpret_cast<HWND>(l));
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry InitMenuPopup(void (T::*f)(HMENU, UINT, bool))
    {
        return Make(TResponseTableEntry::Message, WM_INITMENUPOPUP, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(HMENU, UINT, bool)>())(reinterpret_cast<HMENU>(w), LOWORD(l), HIWORD(l) != 0);
            return 0;
        }, TPmf(f));
    }
    static TResponseTableEntry DrawItem(void (T::*f)(UINT, DRAWITEMSTRUCT&))
    {
        return Make(TResponseTableEntry::Message, WM_DRAWITEM, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM l) -> LRESULT {
            (Obj(o)->*p.As<void (T::*)(UINT, DRAWITEMSTRUCT&)>())(UINT(w), *reinterpret_cast<DRAWITEMSTRUCT*>(l));
            return TRUE;
        }, TPmf(f));
    }
    static TResponseTableEntry Create(int (T::*f)(CREATESTRUCT&))
    {
        return Make(TResponseTableEntry::Message, WM_CREATE, 0, 0, [](void* o, const TPmf& p, WPARAM, LPARAM l) -> LRESULT {
            return (Obj(o)->*p.As<int (T::*)(CREATESTRUCT&)>())(*reinterpret_cast<CREATESTRUCT*>(l));
        }, TPmf(f));
    }
    static TResponseTableEntry InitDialog(bool (T::*f)(HWND))
    {
        return Make(TResponseTableEntry::Message, WM_INITDIALOG, 0, 0, [](void* o, const TPmf& p, WPARAM w, LPARAM) -> LRESULT {
            return (Obj(o)->*p.As<bool (T::*)(HWND)>())(reinterpret_cast<HWND>(w)) ? TRUE : FALSE;
        }, TPmf(f));
    }
};

// Declares a window class's table; the class's Find searches it and then the
// bases' tables, so a derived class's entry wins over its base's.
#define DECLARE_RESPONSE_TABLE(cls)                                  \
public:                                                              \
    virtual bool Find(TEventInfo& info);                             \
                                                                     \
private:                                                             \
    static const TResponseTableEntry* ResponseEntries()

#define DEFINE_RESPONSE_ENTRIES_(cls)                                \
    const TResponseTableEntry* cls::ResponseEntries()                \
    {                                                                \
        using TMyClass = cls;                                        \
        static const TResponseTableEntry entries[] = {

#define DEFINE_RESPONSE_TABLE(cls)                                   \
    bool cls::Find(TEventInfo& info) { return info.Search(this, ResponseEntries()); } \
    DEFINE_RESPONSE_ENTRIES_(cls)

#define DEFINE_RESPONSE_TABLE1(cls, b1)                              \
    bool cls::Find(TEventInfo& info)                                 \
    {                                                                \
        return info.Search(this, ResponseEntries()) || b1::Find(info); \
    }                                                                \
    DEFINE_RESPONSE_ENTRIES_(cls)

#define DEFINE_RESPONSE_TABLE2(cls, b1, b2)                          \
    bool cls::Find(TEventInfo& info)                                 \
    {                                                                \
        return info.Search(this, ResponseEntries()) || b1::Find(info) || b2::Find(info); \
    }                                                                \
    DEFINE_RESPONSE_ENTRIES_(cls)

#define DEFINE_RESPONSE_TABLE3(cls, b1, b2, b3)                      \
    bool cls::Find(TEventInfo& info)                                 \
    {                                                                \
        return info.Search(this, ResponseEntries()) || b1::Find(info) || b2::Find(info) || b3::Find(info); \
    }                                                                \
    DEFINE_RESPONSE_ENTRIES_(cls)

#define END_RESPONSE_TABLE                                           \
    TResponseTableEntry()                                            \
        };                                                           \
        return entries;                                              \
    }

// Commands, enablers, child notifications and user messages.
#define EV_COMMAND(id, method) TEntry<TMyClass>::Void(TResponseTableEntry::Command, 0, id, 0, &TMyClass::method),
#define EV_COMMAND_ENABLE(id, method) TEntry<TMyClass>::Enable(id, &TMyClass::method),
#define EV_COMMAND_RANGE(firstId, lastId, method) TEntry<TMyClass>::CommandRange(firstId, lastId, &TMyClass::method),
#define EV_COMMAND_ENABLE_RANGE(firstId, lastId, method) TEntry<TMyClass>::Enable(firstId, &TMyClass::method, lastId),
#define EV_CHILD_NOTIFY(id, code, method) TEntry<TMyClass>::Void(TResponseTableEntry::Notify, 0, id, code, &TMyClass::method),
#define EV_CHILD_NOTIFY_ALL_CODES(id, method) TEntry<TMyClass>::Uint(TResponseTableEntry::NotifyAllCodes, 0, id, &TMyClass::method),
#define EV_CHILD_NOTIFY_ALL_CODES_RANGE(firstId, lastId, method) TEntry<TMyClass>::AllCodesRange(firstId, lastId, &TMyClass::method),
#define EV_CHILD_NOTIFY_RANGE(firstId, lastId, code, method) TEntry<TMyClass>::Range(firstId, lastId, code, &TMyClass::method),
#define EV_BN_CLICKED(id, method) EV_CHILD_NOTIFY(id, BN_CLICKED, method)
#define EV_BN_CLICKED_RANGE(firstId, lastId, method) EV_CHILD_NOTIFY_RANGE(firstId, lastId, BN_CLICKED, method)
#define EV_EN_CHANGE(id, method) EV_CHILD_NOTIFY(id, EN_CHANGE, method)
#define EV_EN_KILLFOCUS(id, method) EV_CHILD_NOTIFY(id, EN_KILLFOCUS, method)
#define EV_CBN_SELCHANGE(id, method) EV_CHILD_NOTIFY(id, CBN_SELCHANGE, method)
#define EV_CBN_CLOSEUP(id, method) EV_CHILD_NOTIFY(id, CBN_CLOSEUP, method)
#define EV_LBN_SELCHANGE(id, method) EV_CHILD_NOTIFY(id, LBN_SELCHANGE, method)
#define EV_LBN_DBLCLK(id, method) EV_CHILD_NOTIFY(id, LBN_DBLCLK, method)
#define EV_MESSAGE(msg, method) TEntry<TMyClass>::Raw(msg, &TMyClass::method),

// Window messages, each bound to the handler name the framework expects.
#define EV_WM_SIZE TEntry<TMyClass>::Size(WM_SIZE, &TMyClass::EvSize),
#define EV_WM_MOVE TEntry<TMyClass>::Point(WM_MOVE, &TMyClass::EvMove),
#define EV_WM_SYSCOMMAND TEntry<TMyClass>::UintPoint(WM_SYSCOMMAND, &TMyClass::EvSysCommand),
#define EV_WM_LBUTTONDOWN TEntry<TMyClass>::UintPoint(WM_LBUTTONDOWN, &TMyClass::EvLButtonDown),
#define EV_WM_LBUTTONUP TEntry<TMyClass>::UintPoint(WM_LBUTTONUP, &TMyClass::EvLButtonUp),
#define EV_WM_LBUTTONDBLCLK TEntry<TMyClass>::UintPoint(WM_LBUTTONDBLCLK, &TMyClass::EvLButtonDblClk),
#define EV_WM_RBUTTONDOWN TEntry<TMyClass>::UintPoint(WM_RBUTTONDOWN, &TMyClass::EvRButtonDown),
#define EV_WM_RBUTTONUP TEntry<TMyClass>::UintPoint(WM_RBUTTONUP, &TMyClass::EvRButtonUp),
#define EV_WM_RBUTTONDBLCLK TEntry<TMyClass>::UintPoint(WM_RBUTTONDBLCLK, &TMyClass::EvRButtonDblClk),
#define EV_WM_MBUTTONDOWN TEntry<TMyClass>::UintPoint(WM_MBUTTONDOWN, &TMyClass::EvMButtonDown),
#define EV_WM_MBUTTONUP TEntry<TMyClass>::UintPoint(WM_MBUTTONUP, &TMyClass::EvMButtonUp),
#define EV_WM_MOUSEMOVE TEntry<TMyClass>::UintPoint(WM_MOUSEMOVE, &TMyClass::EvMouseMove),
#define EV_WM_TIMER TEntry<TMyClass>::Uint(TResponseTableEntry::Message, WM_TIMER, 0, &TMyClass::EvTimer),
#define EV_WM_PALETTECHANGED TEntry<TMyClass>::Hwnd(WM_PALETTECHANGED, &TMyClass::EvPaletteChanged),
#define EV_WM_PALETTEISCHANGING TEntry<TMyClass>::Hwnd(WM_PALETTEISCHANGING, &TMyClass::EvPaletteIsChanging),
#define EV_WM_QUERYNEWPALETTE TEntry<TMyClass>::Bool(WM_QUERYNEWPALETTE, &TMyClass::EvQueryNewPalette),
#define EV_WM_SYSCOLORCHANGE TEntry<TMyClass>::Void(TResponseTableEntry::Message, WM_SYSCOLORCHANGE, 0, 0, &TMyClass::EvSysColorChange),
#define EV_WM_DESTROY TEntry<TMyClass>::Void(TResponseTableEntry::Message, WM_DESTROY, 0, 0, &TMyClass::EvDestroy),
#define EV_WM_CLOSE TEntry<TMyClass>::Void(TResponseTableEntry::Message, WM_CLOSE, 0, 0, &TMyClass::EvClose),
#define EV_WM_PAINT TEntry<TMyClass>::Void(TResponseTableEntry::Message, WM_PAINT, 0, 0, &TMyClass::EvPaint),
#define EV_WM_DROPFILES TEntry<TMyClass>::Drop(&TMyClass::EvDropFiles),
#define EV_WM_KEYDOWN TEntry<TMyClass>::Key(WM_KEYDOWN, &TMyClass::EvKeyDown),
#define EV_WM_KEYUP TEntry<TMyClass>::Key(WM_KEYUP, &TMyClass::EvKeyUp),
#define EV_WM_CHAR TEntry<TMyClass>::Key(WM_CHAR, &TMyClass::EvChar),
#define EV_WM_SETFOCUS TEntry<TMyClass>::Hwnd(WM_SETFOCUS, &TMyClass::EvSetFocus),
#define EV_WM_KILLFOCUS TEntry<TMyClass>::Hwnd(WM_KILLFOCUS, &TMyClass::EvKillFocus),
#define EV_WM_GETMINMAXINFO TEntry<TMyClass>::MinMax(&TMyClass::EvGetMinMaxInfo),
#define EV_WM_ERASEBKGND TEntry<TMyClass>::EraseBkgnd(&TMyClass::EvEraseBkgnd),
#define EV_WM_SETCURSOR TEntry<TMyClass>::SetCursor(&TMyClass::EvSetCursor),
#define EV_WM_HSCROLL TEntry<TMyClass>::Scroll(WM_HSCROLL, &TMyClass::EvHScroll),
#define EV_WM_VSCROLL TEntry<TMyClass>::Scroll(WM_VSCROLL, &TMyClass::EvVScroll),
#define EV_WM_MDIACTIVATE TEntry<TMyClass>::MdiActivate(&TMyClass::EvMDIActivate),
#define EV_WM_INITMENUPOPUP TEntry<TMyClass>::InitMenuPopup(&TMyClass::EvInitMenuPopup),
#define EV_WM_DRAWITEM TEntry<TMyClass>::DrawItem(&TMyClass::EvDrawItem),
#define EV_WM_CREATE TEntry<TMyClass>::Create(&TMyClass::EvCreate),
#define EV_WM_INITDIALOG TEntry<TMyClass>::InitDialog(&TMyClass::EvInitDialog),
#define EV_WM_DEVICECHANGE TEntry<TMyClass>::Raw(WM_DEVICECHANGE, &TMyClass::EvDeviceChange),
