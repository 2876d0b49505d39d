#pragma once
#include <string>
#include <vector>

#include "views/TControlRow.h"

class TDC;
class TEdit;
class TFont;
class TWindow;

// The labelled fields of a view's button bar, laid out left to right from the
// fonts' real extents so that no label or value is clipped whatever font the
// system substitutes: each label painted left of its control, each edit as
// wide as its widest value needs, each spin or scroll bar right of its edit.
class TBarFields {
public:
    struct Field {
        std::string Label;
        // Null for a spin or scroll bar that stands alone.
        TEdit* Edit = nullptr;
        // The values the edit must show whole.
        std::vector<std::string> Widest;
        // The spin or scroll bar right of the edit.
        TWindow* Side = nullptr;
        // A field left out of the bar keeps neither its label nor its room.
        bool Shown = true;
    };
    static constexpr int Height = 20;
    static constexpr int SideWidth = 12;
    static constexpr int LeastEditWidth = 44;

    explicit TBarFields(TWindow& bar) : Bar(bar) {}

    // Moves the fields' controls into the bar from x = left, their tops at
    // top; labels are measured in font.
    void Place(int left, int top, const std::vector<Field>& fields, const TFont& font);
    // Paints the labels of the fields placed last in font, centred on their controls.
    void PaintLabels(TDC& dc, const TFont& font) const;
    // A placed field's label box, by the label's text; an empty box when none.
    TControlRow::Box LabelBox(const std::string& label) const;
    // The right edge of the last field placed.
    int Right() const { return RightEdge; }

private:
    struct Label {
        std::string Text;
        TControlRow::Box Box;
    };
    void MoveUnlessThere(TWindow& control, int left, int top, int width) const;

    TWindow& Bar;
    std::vector<Label> Labels;
    int Top = 0;
    int RightEdge = 0;
};
