#include "views/TPaneLayout.h"

void TPaneLayout::Calculate(const TPaneRect& client, int32_t scrollBarHeight)
{
    if (client.Width() <= LeftMargin + RightMargin || client.Height() <= TopInset + BottomInset)
        return;
    GraphRect = {client.left + LeftMargin, client.top + TopInset, client.right - RightMargin,
                 client.bottom - (scrollBarHeight + BottomInset)};
    if (PaneMode == 1) {
        PaneRect1 = GraphRect;
    } else if (PaneMode == 2) {
        PaneRect1 = GraphRect;
        PaneRect1.bottom -= GraphRect.Height() / 2 + PaneGap / 2;
        PaneRect2 = GraphRect;
        PaneRect2.top = GraphRect.bottom - PaneRect1.Height();
    }
}

TPaneRect TPaneLayout::PaneAt(int32_t x, int32_t y) const
{
    if (PaneMode == 1)
        return GraphRect;
    if (PaneMode == 2) {
        if (PaneRect2.Contains(x, y))
            return PaneRect2;
        if (PaneRect1.Contains(x, y))
            return PaneRect1;
    }
    return {};
}
