#pragma once
#include <functional>
#include <string>
#include <vector>

// Lays a bar's controls and the texts painted beside them out left to right,
// each as wide as the widest text it may show needs in the font it is drawn
// with, so that nothing is clipped whatever font the system substitutes for
// the one asked for.
class TControlRow {
public:
    struct Item {
        // The control's id, or an id of the bar's own for painted text.
        int Id = 0;
        // Width it takes at the least: a button's bitmap, a scroll bar's room.
        int Least = 0;
        // Pixels beside the text: borders, margins, a drop-down button.
        int Chrome = 0;
        // The texts it may show; the widest sets its width.
        std::vector<std::string> Texts;
        // Room left before the next item.
        int GapAfter = 0;
    };
    struct Box {
        int Id = 0;
        int Left = 0;
        int Right = 0;
        int Width() const { return Right - Left; }
    };

    explicit TControlRow(std::function<int(const char*)> textWidth) : TextWidth(std::move(textWidth)) {}

    // The items' boxes, the first starting at x = left.
    std::vector<Box> Place(int left, const std::vector<Item>& items) const;
    // The box of an id; an empty box at 0 when the row has none.
    static Box Find(const std::vector<Box>& boxes, int id);

private:
    std::function<int(const char*)> TextWidth;
};
