#pragma once
#include <windows.h>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include "framework/TWindow.h"
#include "shell/ViewStatusFlags.h"
#include "shell/ViewType.h"

class TMainWin;

// Every window kind the main window opens, one row each, and the window of
// each kind that is open now. The table owns the open windows: a window
// leaves its slot before it is destroyed and deleted, so nothing reaches it
// while it goes, and a slot is cleared only there.
class TWindowSlots {
public:
    // A kind's place when none is stored: W is the desktop width, H its
    // height less 26 pixels, added when the flag is set. A row whose third
    // value is not beyond its first (as right edge it would give no window)
    // and takes no W gives the window's width and height instead.
    struct TPlacementDefault {
        int Left, Top, Right, Bottom;
        bool RightFromW, BottomFromH;
    };
    // The window of a kind, not yet created, at the place read for it.
    using TFactory = std::unique_ptr<TWindow> (*)(TMainWin& main, ViewType type, const RECT& placement,
                                                  const char* settingsFile);
    struct TKind {
        ViewType Type;
        // The first type of the family the View menu opens and closes as one,
        // and the right channel's window of a left channel's view (the type
        // itself for a window without one).
        ViewType Family;
        ViewType Partner;
        int32_t ViewStatusFlags::*Flag;
        UINT Command;
        // The window's title; null for a window that names itself.
        const char* Caption;
        const char* PlacementKey;
        TPlacementDefault Default;
        // Closing writes its placement to the INI file (the readouts and the
        // macro window keep theirs only in configurations).
        bool KeepsPlacement;
        // Shown in any state stored for it, not only maximised.
        bool ShowsStoredState;
        // Its results need the spectra of every block.
        bool UsesSpectra;
        TFactory Make;
    };
    static constexpr int TypeCount = 28;

    explicit TWindowSlots(TMainWin& main) : Main(main) {}
    TWindowSlots(const TWindowSlots&) = delete;
    TWindowSlots& operator=(const TWindowSlots&) = delete;

    static std::span<const TKind> Kinds();
    // The row of a type; null for a type with no window.
    static const TKind* KindOf(ViewType type);

    TWindow* Window(ViewType type) const;
    template <class T> T* View(ViewType type) const { return static_cast<T*>(Window(type)); }
    bool IsOpen(ViewType type) const { return Window(type) != nullptr; }
    // Whether a window of the type's family is open.
    bool FamilyOpen(ViewType type) const;
    bool AnyUsesSpectra() const;

    // Creates the window of a type at its place in settingsFile, sets its
    // flag and its menu check; nothing when it is open or cannot be made.
    void Open(ViewType type, const char* settingsFile);
    // Keeps the placement when the kind does, then destroys and deletes the
    // window; the flag and check follow what is still open of the family.
    void Close(ViewType type);
    // The menu command of a family: closes what is open of it, or opens
    // every member the channel set-up allows.
    void Toggle(ViewType type);
    // A window closed from its close box: only it goes while its partner
    // stays open, the whole family otherwise.
    void Closed(const TWindow& window);
    // Calls apply(window, channel) for each open window of a family, the
    // first channel's first.
    template <class T, class F> void Apply(ViewType family, F&& apply) const
    {
        const ViewType types[2] = {family, Partner(family)};
        for (int channel = 0; channel < (types[1] == family ? 1 : 2); ++channel)
            if (T* window = View<T>(types[channel])) apply(*window, channel);
    }
    // Destroys and deletes a window without keeping its placement or
    // touching its flag (the frame going away).
    void Discard(ViewType type);

private:
    // The rows and their factories (TWindowSlots.cpp).
    struct TFactories;
    static ViewType Partner(ViewType type);
    std::unique_ptr<TWindow>& Slot(ViewType type) { return Slots[size_t(type)]; }

    TMainWin& Main;
    std::array<std::unique_ptr<TWindow>, TypeCount> Slots;
};
