#include "views/TBarFields.h"

#include "framework/TClientDC.h"
#include "framework/TDC.h"
#include "framework/TEdit.h"
#include "framework/TFont.h"
#include "framework/TWindow.h"

namespace {

// Room between a label and its control, an edit and its spin, and a field and the next label.
constexpr int LabelGap = 3;
constexpr int SideGap = 2;
constexpr int FieldGap = 8;

}  // namespace

void TBarFields::MoveUnlessThere(TWindow& control, int left, int top, int width) const
{
    // Every layout places the fields again; a move, even to where a control
    // stands, repaints it.
    RECT r{};
    ::GetWindowRect(control.GetHandle(), &r);
    ::MapWindowPoints(nullptr, Bar.GetHandle(), reinterpret_cast<POINT*>(&r), 2);
    if (r.left != left || r.top != top || r.right - r.left != width || r.bottom - r.top != Height)
        control.MoveWindow(left, top, width, Height, true);
}

void TBarFields::Place(int left, int top, const std::vector<Field>& fields, const TFont& font)
{
    Labels.clear();
    Top = top;
    std::vector<TControlRow::Item> items;
    std::vector<const Field*> placed;
    for (const Field& f : fields) {
        if (!f.Shown)
            continue;
        placed.push_back(&f);
        items.push_back({-int(placed.size()), 0, 0, {f.Label}, LabelGap});
        if (f.Edit)
            items.push_back({int(placed.size()), f.Edit->FittingWidth(f.Widest, LeastEditWidth), 0, {},
                             f.Side ? SideGap : FieldGap});
        if (f.Side)
            items.push_back({0, SideWidth, 0, {}, FieldGap});
    }
    const TControlRow row([this, &font](const char* text) {
        TClientDC dc(Bar.GetHandle());
        dc.SelectObject(font);
        return int(dc.GetTextExtent(text).cx);
    });
    const std::vector<TControlRow::Box> boxes = row.Place(left, items);
    size_t b = 0;
    for (const Field* f : placed) {
        Labels.push_back({f->Label, boxes[b++]});
        if (f->Edit) {
            const TControlRow::Box& box = boxes[b++];
            MoveUnlessThere(*f->Edit, box.Left, top, box.Width());
        }
        if (f->Side) {
            const TControlRow::Box& box = boxes[b++];
            MoveUnlessThere(*f->Side, box.Left, top, SideWidth);
        }
    }
    RightEdge = boxes.empty() ? left : boxes.back().Right;
}

void TBarFields::PaintLabels(TDC& dc, const TFont& font) const
{
    dc.SelectObject(font);
    const UINT oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    for (const Label& l : Labels) {
        const int height = dc.GetTextExtent(l.Text.c_str()).cy;
        dc.TextOut(l.Box.Left, Top + (Height - height) / 2, l.Text.c_str());
    }
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
    dc.RestoreFont();
}

TControlRow::Box TBarFields::LabelBox(const std::string& label) const
{
    for (const Label& l : Labels)
        if (l.Text == label)
            return l.Box;
    return TControlRow::Box{};
}
