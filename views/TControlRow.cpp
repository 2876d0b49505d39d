#include "views/TControlRow.h"

#include <algorithm>

std::vector<TControlRow::Box> TControlRow::Place(int left, const std::vector<Item>& items) const
{
    std::vector<Box> boxes;
    boxes.reserve(items.size());
    int x = left;
    for (const Item& item : items) {
        int text = 0;
        for (const std::string& s : item.Texts)
            text = std::max(text, TextWidth(s.c_str()));
        const int width = std::max(item.Least, item.Texts.empty() ? 0 : text + item.Chrome);
        boxes.push_back(Box{item.Id, x, x + width});
        x += width + item.GapAfter;
    }
    return boxes;
}

TControlRow::Box TControlRow::Find(const std::vector<Box>& boxes, int id)
{
    for (const Box& b : boxes)
        if (b.Id == id)
            return b;
    return Box{};
}
