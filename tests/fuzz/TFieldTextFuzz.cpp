// libFuzzer entry point over the dialogs' reading of numbers from text fields.
#include "dialogs/TFieldText.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = TFieldText::ToFloat(text);
    const int32_t whole = TFieldText::ToInt(text);
    // What the range checks rely on: every value is a finite float, and an
    // integer reads back as itself.
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX)) std::abort();
    if (TFieldText::ToInt(std::to_string(whole)) != whole) std::abort();
    return 0;
}
