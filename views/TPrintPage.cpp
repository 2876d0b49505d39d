#include "views/TPrintPage.h"

#include <cctype>
#include <cstdio>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/TSmoothing.h"

namespace {

int32_t Pixels(int32_t perInch, double inches) { return int32_t(perInch * inches); }

}  // namespace

TPrintPage::TPrintPage(const TPageMetrics& metrics, const TPrintOptions& options)
    : Page(metrics),
      MarginLeft(Pixels(metrics.DpiX, options.MarginLeft)),
      MarginRight(Pixels(metrics.DpiX, options.MarginRight)),
      MarginTop(Pixels(metrics.DpiY, options.MarginTop)),
      MarginBottom(Pixels(metrics.DpiY, options.MarginBottom))
{
}

TPaneRect TPrintPage::PlotFrame() const
{
    return {MarginLeft, MarginTop + HeaderHeight(), Page.Width - MarginRight, Page.Height - MarginBottom};
}

int32_t TPrintPage::PlotFontHeight(bool selfLayout, int32_t clientHeight) const
{
    const double eighth = Page.DpiY * 0.125;
    if (selfLayout || clientHeight <= 0)
        return int32_t(eighth);
    const double scale = double(PlotFrame().Height()) / clientHeight;
    return scale > 0.0 ? int32_t(eighth / scale + 0.5) : int32_t(eighth);
}

int32_t TPrintPage::TextHeight() const { return Page.DpiY * TextPoints / 72; }

int32_t TPrintPage::LineStep() const { return int32_t(TextHeight() * 1.1); }

int32_t TPrintPage::HeaderHeight() const { return Pixels(Page.DpiY, HeaderInches); }

TPaneRect TPrintPage::HeaderBox() const
{
    return {MarginLeft, MarginTop, Page.Width - MarginRight, MarginTop + HeaderHeight()};
}

int32_t TPrintPage::CommentBlockHeight() const { return Pixels(Page.DpiY, CommentInches) + MarginBottom; }

TPaneRect TPrintPage::CommentBox() const
{
    return {MarginLeft, Page.Height - CommentBlockHeight(), Page.Width - MarginRight, Page.Height - MarginBottom};
}

float TPrintPage::MarginBottomAboveComments() const
{
    return Page.DpiY > 0 ? float(double(CommentBlockHeight()) / Page.DpiY) : 0.0f;
}

TCurvePoint TPrintPage::UserInfoAt(int line) const
{
    return {Page.Width - MarginRight - TextInset, MarginTop + TextDrop + line * LineStep()};
}

TCurvePoint TPrintPage::TitleAt(int line) const
{
    return {MarginLeft + (Page.Width - MarginLeft - MarginRight) / 2, MarginTop + TextDrop + line * LineStep()};
}

TCurvePoint TPrintPage::SettingsAt(int line) const
{
    return {MarginLeft + TextInset, MarginTop + TextDrop + line * LineStep()};
}

TCurvePoint TPrintPage::CommentAt(int line) const
{
    return {MarginLeft + TextInset, Page.Height - CommentBlockHeight() + TextInset + line * LineStep()};
}

std::array<std::string, 4> TPrintPage::SettingsLines(uint32_t samplingRate, uint32_t fftSize,
                                                     uint32_t averageBlocks, uint16_t window)
{
    char text[64];
    std::array<std::string, 4> lines;
    std::snprintf(text, sizeof text, "Sampling:\t%lu Hz", static_cast<unsigned long>(samplingRate));
    lines[0] = text;
    std::snprintf(text, sizeof text, "FFT size:\t%lu", static_cast<unsigned long>(fftSize));
    lines[1] = text;
    if (averageBlocks == AnalysisSettingsStruct::InfiniteBlocks)
        lines[2] = "Averaging:\tInfinite";
    else {
        std::snprintf(text, sizeof text, "Averaging:\t%lu", static_cast<unsigned long>(averageBlocks));
        lines[2] = text;
    }
    char name[TSmoothing::NameLength + 1];
    TSmoothing::GetWindowName(window, name);
    lines[3] = std::string("Window:\t") + (name[0] ? name : "None");
    return lines;
}

bool TPrintPage::SwitchIs(const std::string& value, const char* word)
{
    for (size_t i = 0; i < 20; ++i) {
        const char a = i < value.size() ? value[i] : '\0';
        const char b = word[i];
        if (std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b)))
            return false;
        if (b == '\0')
            return true;
    }
    return true;
}
