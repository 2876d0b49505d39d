// The key-table engine: building rows, and the rules every settings file is
// read and written under.
#include "base/TSettingsTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "base/TProfile.h"

static_assert(TSettingsTable::FloatMax == double(std::numeric_limits<float>::max()));
static_assert(TSettingsTable::Positive == double(std::numeric_limits<float>::min()));

namespace {

// Fields of packed records may sit on odd addresses.
template <class T> void Store(void* field, T value) { std::memcpy(field, &value, sizeof value); }
template <class T> T Load(const void* field)
{
    T value;
    std::memcpy(&value, field, sizeof value);
    return value;
}

// Blanks a cut left at the end: the files do not keep them.
void TrimEnd(char* text)
{
    for (size_t n = std::strlen(text); n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t'); --n) text[n - 1] = '\0';
}

void CopyText(char* field, size_t size, const std::string& text)
{
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
    TrimEnd(field);
}

double Number(const TSettingRow& row, const std::string& text)
{
    return row.Kind == TSettingKind::Float ? std::strtod(text.c_str(), nullptr) : double(TSettingsTable::ToInt(text));
}

// Whether a number is one the row may hold. A real is taken as its written
// text gives it back, so that what is kept reads the same again.
bool Accepted(const TSettingRow& row, double value)
{
    if (row.Kind != TSettingKind::Float) return (value >= row.Min && value <= row.Max) || value == Number(row, row.Default);
    if (!std::isfinite(value) || std::fabs(value) > TSettingsTable::FloatMax) return false;
    if (float(value) == float(Number(row, row.Default))) return true;
    char written[64];
    std::snprintf(written, sizeof written, row.Format, double(float(value)));
    const double reread = std::strtod(written, nullptr);
    return reread >= row.Min && reread <= row.Max;
}

void StoreNumber(const TSettingRow& row, double value)
{
    switch (row.Kind) {
    case TSettingKind::U16:
        Store(row.Field, uint16_t(value));
        break;
    case TSettingKind::I32:
    case TSettingKind::Color:
        Store(row.Field, int32_t(value));
        break;
    case TSettingKind::Float:
        Store(row.Field, float(value));
        break;
    default:
        break;
    }
}

}  // namespace

void TSettingsTable::Begin(const std::string& section, int profile)
{
    Section = section;
    Profile = profile;
}

TSettingRow& TSettingsTable::Add(const std::string& key, TSettingKind kind, void* field, const std::string& def,
                                 double min, double max, int size, const char* format)
{
    Rows.push_back({Section, key, kind, field, size, def, format, Profile, TSettingCheck::Range, min, max, Tag});
    return Rows.back();
}

void TSettingsTable::U16(const std::string& key, uint16_t* field, const std::string& def)
{
    Add(key, TSettingKind::U16, field, def, 0, 65535);
}

void TSettingsTable::I32(const std::string& key, void* field, const std::string& def)
{
    Add(key, TSettingKind::I32, field, def, INT32_MIN, INT32_MAX);
}

void TSettingsTable::Flag(const std::string& key, void* field, const std::string& def)
{
    Add(key, TSettingKind::I32, field, def, 0, 1);
}

void TSettingsTable::F(const std::string& key, float* field, const std::string& def, const char* format)
{
    Add(key, TSettingKind::Float, field, def, -FloatMax, FloatMax, 0, format);
}

void TSettingsTable::C(const std::string& key, uint32_t* field, uint32_t def)
{
    Add(key, TSettingKind::Color, field, std::to_string(def), 0, 0xFFFFFF);
}

void TSettingsTable::S(const std::string& key, char* field, int size, const std::string& def)
{
    Add(key, TSettingKind::Text, field, def, 0, 0, size);
}

void TSettingsTable::Custom(const std::string& key)
{
    Add(key, TSettingKind::Custom, nullptr, "", 0, 0);
}

void TSettingsTable::Range(double min, double max)
{
    Rows.back().Min = min;
    Rows.back().Max = max;
}

void TSettingsTable::Rule(int tag)
{
    Rows.back().Tag = tag;
}

void TSettingsTable::CheckLater()
{
    Rows.back().Check = TSettingCheck::Caller;
}

int32_t TSettingsTable::ToInt(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return int32_t(value);
}

bool TSettingsTable::Read(const TSettingRow& row, TProfile& from, TSettingCustom* custom)
{
    const char* section = row.Section.c_str();
    const char* key = row.Key.c_str();
    switch (row.Kind) {
    case TSettingKind::Text:
        CopyText(static_cast<char*>(row.Field), size_t(row.Size),
                 from.ReadField(section, key, row.Default.c_str(), size_t(row.Size)));
        return true;
    case TSettingKind::Custom:
        if (custom) custom->Read(from, row);
        return true;
    default:
        break;
    }
    const double value = Number(row, from.Read(section, key, row.Default.c_str()));
    const bool accepted = row.Check == TSettingCheck::Caller || Accepted(row, value);
    StoreNumber(row, accepted ? value : Number(row, row.Default));
    return accepted;
}

void TSettingsTable::StoreDefault(const TSettingRow& row)
{
    if (row.Kind == TSettingKind::Text) CopyText(static_cast<char*>(row.Field), size_t(row.Size), row.Default);
    else if (row.Kind != TSettingKind::Custom) StoreNumber(row, Number(row, row.Default));
}

void TSettingsTable::Write(const TSettingRow& row, TProfile& to, TSettingCustom* custom)
{
    char text[256];
    switch (row.Kind) {
    case TSettingKind::U16:
        std::snprintf(text, sizeof text, "%d", int(Load<uint16_t>(row.Field)));
        break;
    case TSettingKind::I32:
    case TSettingKind::Color:
        std::snprintf(text, sizeof text, "%d", int(Load<int32_t>(row.Field)));
        break;
    case TSettingKind::Float: {
        const float value = Load<float>(row.Field);
        std::snprintf(text, sizeof text, row.Format,
                      std::isfinite(value) ? double(value) : std::strtod(row.Default.c_str(), nullptr));
        break;
    }
    case TSettingKind::Text:
        to.Write(row.Section.c_str(), row.Key.c_str(), static_cast<const char*>(row.Field));
        return;
    case TSettingKind::Custom:
        if (custom) custom->Write(to, row);
        return;
    }
    to.Write(row.Section.c_str(), row.Key.c_str(), text);
}

void TSettingsTable::ReadAll(TProfile* const* profiles, TSettingCustom* custom) const
{
    for (const TSettingRow& row : Rows) Read(row, *profiles[row.Profile], custom);
}

void TSettingsTable::WriteAll(TProfile* const* profiles, TSettingCustom* custom) const
{
    for (const TSettingRow& row : Rows) Write(row, *profiles[row.Profile], custom);
}

void TSettingsTable::SetDefaults() const
{
    for (const TSettingRow& row : Rows) StoreDefault(row);
}

int32_t TSettingsTable::ReadInt(TProfile& from, const std::string& section, const std::string& key, int32_t def,
                                double min, double max)
{
    int32_t value = def;
    TSettingsTable table;
    table.Begin(section);
    table.Add(key, TSettingKind::I32, &value, std::to_string(def), min, max);
    Read(table.Rows.back(), from);
    return value;
}

float TSettingsTable::ReadFloat(TProfile& from, const std::string& section, const std::string& key, const char* def,
                                double min, double max)
{
    float value = 0;
    TSettingsTable table;
    table.Begin(section);
    table.F(key, &value, def);
    table.Range(min, max);
    Read(table.Rows.back(), from);
    return value;
}

std::string TSettingsTable::ReadText(TProfile& from, const std::string& section, const std::string& key,
                                     const char* def, int size)
{
    std::vector<char> text(size_t(size), '\0');
    TSettingsTable table;
    table.Begin(section);
    table.S(key, text.data(), size, def);
    Read(table.Rows.back(), from);
    return text.data();
}

void TSettingsTable::WriteText(TProfile& to, const std::string& section, const std::string& key,
                               const std::string& text)
{
    to.Write(section.c_str(), key.c_str(), text);
}
