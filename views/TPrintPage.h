#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "views/TPaneLayout.h"
#include "views/TPrintOptions.h"

// A printer page's size and resolution, in its pixels.
struct TPageMetrics {
    int32_t DpiX = 0;
    int32_t DpiY = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

// Where a printed page puts its parts, in printer pixels: the margins, the
// header box with its settings, annotation and printed-by lines, the comment
// block over the bottom margin and the frame of the plot between them. Every
// product of inches and pixels per inch is truncated, as a printer counts
// whole pixels.
class TPrintPage {
public:
    // The header box under the top margin; the plot keeps the same room free.
    static constexpr double HeaderInches = 0.75;
    // The comment block's height over the bottom margin.
    static constexpr double CommentInches = 1.4;
    // Text of the header and comment blocks: 9 points.
    static constexpr int TextPoints = 9;
    // Text inset from the box edges.
    static constexpr int TextInset = 10;
    static constexpr int TextDrop = 6;

    TPrintPage(const TPageMetrics& metrics, const TPrintOptions& options);

    const TPageMetrics& Metrics() const { return Page; }
    int32_t Left() const { return MarginLeft; }
    int32_t Right() const { return MarginRight; }
    int32_t Top() const { return MarginTop; }
    int32_t Bottom() const { return MarginBottom; }

    // The frame a view's plot is drawn in: inside the margins, below the header box.
    TPaneRect PlotFrame() const;
    // The height of the font a view prints with. Laid out for the page: an
    // eighth of an inch. Scaled from a window clientHeight pixels high: the
    // logical height that comes out an eighth of an inch on paper.
    int32_t PlotFontHeight(bool selfLayout, int32_t clientHeight) const;

    // Character height of the blocks' text and the step between their lines.
    int32_t TextHeight() const;
    int32_t LineStep() const;
    int32_t HeaderHeight() const;
    TPaneRect HeaderBox() const;
    // The comment block's height including the bottom margin, its box, and
    // the bottom margin in inches that keeps a following plot above it.
    int32_t CommentBlockHeight() const;
    TPaneRect CommentBox() const;
    float MarginBottomAboveComments() const;

    // Anchors of the blocks' lines (line counts from 0): printed-by lines
    // right-aligned, annotations centred, settings and comments left-aligned.
    TCurvePoint UserInfoAt(int line) const;
    TCurvePoint TitleAt(int line) const;
    TCurvePoint SettingsAt(int line) const;
    TCurvePoint CommentAt(int line) const;

    // The header's settings lines, tab-separated: sampling rate, FFT size,
    // averaged blocks and FFT window.
    static std::array<std::string, 4> SettingsLines(uint32_t samplingRate, uint32_t fftSize, uint32_t averageBlocks,
                                                    uint16_t window);
    // A print switch from the settings file: word (TRUE or FALSE) matched
    // without regard to case over at most 20 characters.
    static bool SwitchIs(const std::string& value, const char* word);

private:
    TPageMetrics Page;
    int32_t MarginLeft;
    int32_t MarginRight;
    int32_t MarginTop;
    int32_t MarginBottom;
};
