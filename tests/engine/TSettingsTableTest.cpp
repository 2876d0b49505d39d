// The key-table engine: each row kind read, refused and written against a
// settings file held in a map.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "base/TProfile.h"
#include "base/TSettingsTable.h"

namespace {

class TMapProfile : public TProfile {
public:
    std::string Read(const char* section, const char* key, const char* def) override
    {
        auto it = Values.find(std::string(section) + "/" + key);
        return it == Values.end() ? def : it->second.substr(0, 255);
    }
    void Write(const char* section, const char* key, const std::string& value) override
    {
        Values[std::string(section) + "/" + key] = value;
    }
    std::map<std::string, std::string> Values;
};

// One field of every kind, each row built over it.
struct TFields {
    uint16_t Code = 0;
    int32_t Number = 0;
    float Real = 0;
    uint32_t Colour = 0;
    char Text[6] = {};
};

enum class TRow { Code, Number, Flag, Real, Positive, Fixed, Later, Colour, Text };

void AddRow(TSettingsTable& t, TFields& f, TRow row)
{
    t.Begin("S");
    switch (row) {
    case TRow::Code: t.U16("K", &f.Code, "3"); break;
    case TRow::Number: t.I32("K", &f.Number, "-4"); break;
    case TRow::Flag: t.Flag("K", &f.Number, "1"); break;
    case TRow::Real: t.F("K", &f.Real, "5.0"); t.Range(0, 10); break;
    case TRow::Positive: t.F("K", &f.Real, "1000"); t.Range(TSettingsTable::Positive, TSettingsTable::FloatMax); break;
    case TRow::Fixed: t.F("K", &f.Real, "5.0", "%6.2f"); t.Range(1, 2); break;
    case TRow::Later: t.F("K", &f.Real, "0.0"); t.Range(0, 1); t.CheckLater(); break;
    case TRow::Colour: t.C("K", &f.Colour, 0x0000FF); break;
    case TRow::Text: t.S("K", f.Text, sizeof f.Text, "abc"); break;
    }
}

double FieldOf(const TFields& f, TRow row)
{
    switch (row) {
    case TRow::Code: return f.Code;
    case TRow::Number: case TRow::Flag: return f.Number;
    case TRow::Colour: return f.Colour;
    case TRow::Text: return 0;
    default: return f.Real;
    }
}

TEST(TSettingsTable, RowKindsReadRefuseAndWrite)
{
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    const char* const Missing = nullptr;
    const struct {
        TRow Row;
        const char* Stored;
        double Value;         // the field after reading
        bool Accepted;
        const char* Written;  // what writing the field back gives
        const char* Text = "";
    } cases[] = {
        {TRow::Code, "7", 7, true, "7"},
        {TRow::Code, Missing, 3, true, "3"},
        {TRow::Code, "65536", 3, false, "3"},  // the whole number counts, not its low bits
        {TRow::Code, "-1", 3, false, "3"},
        {TRow::Number, "  -12abc", -12, true, "-12"},  // as the C runtime reads it
        {TRow::Number, "x", 0, true, "0"},
        {TRow::Number, "99999999999", INT32_MAX, true, "2147483647"},
        {TRow::Flag, "2", 1, false, "1"},
        {TRow::Flag, "0", 0, true, "0"},
        {TRow::Real, "1.5", 1.5, true, "1.500000"},
        {TRow::Real, "nan", 5, false, "5.000000"},
        {TRow::Real, "inf", 5, false, "5.000000"},
        {TRow::Real, "1e39", 5, false, "5.000000"},
        {TRow::Real, "-0.5", 5, false, "5.000000"},
        // A real is judged as its written text reads back.
        {TRow::Real, "10.0000001", 10.0000001f, true, "10.000000"},
        {TRow::Positive, "0.0000001", 1000, false, "1000.000000"},
        {TRow::Fixed, "1.999", 1.999f, true, "  2.00"},
        {TRow::Fixed, "5.0", 5, true, "  5.00"},  // the default passes though out of range
        {TRow::Later, "7", 7, true, "7.000000"},
        {TRow::Later, "nan", NaN, true, "0.000000"},  // kept for the owner; never written
        {TRow::Colour, "16777215", 0xFFFFFF, true, "16777215"},
        {TRow::Colour, "16777216", 0x0000FF, false, "255"},
        {TRow::Text, "hello world", 0, true, "hello", "hello"},
        {TRow::Text, "abcd efg", 0, true, "abcd", "abcd"},  // no blank left at the cut
        {TRow::Text, Missing, 0, true, "abc", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("row ") + std::to_string(int(c.Row)) + " text " + (c.Stored ? c.Stored : "(none)"));
        TFields fields;
        TSettingsTable table;
        AddRow(table, fields, c.Row);
        TMapProfile file;
        if (c.Stored) file.Values["S/K"] = c.Stored;
        EXPECT_EQ(TSettingsTable::Read(table.Rows[0], file), c.Accepted);
        if (std::isnan(c.Value)) EXPECT_TRUE(std::isnan(FieldOf(fields, c.Row)));
        else if (c.Row == TRow::Text) EXPECT_STREQ(fields.Text, c.Text);
        else EXPECT_EQ(FieldOf(fields, c.Row), c.Row == TRow::Real || c.Row == TRow::Fixed ? double(float(c.Value)) : c.Value);
        TMapProfile out;
        TSettingsTable::Write(table.Rows[0], out);
        EXPECT_EQ(out.Values["S/K"], c.Written);
    }
}

TEST(TSettingsTable, RowsGoToTheirProfileAndDefaultsComeFromTheTable)
{
    TFields fields;
    TSettingsTable table;
    table.Begin("Named");
    table.I32("A", &fields.Number, "9");
    table.Begin("Ini", 1);
    table.F("B", &fields.Real, "0.25", "%.2f");
    table.S("C", fields.Text, sizeof fields.Text, "xy");
    table.SetDefaults();
    EXPECT_EQ(fields.Number, 9);
    EXPECT_EQ(fields.Real, 0.25f);
    EXPECT_STREQ(fields.Text, "xy");

    TMapProfile named, ini;
    named.Values = {{"Named/A", "11"}, {"Ini/B", "0.5"}};
    ini.Values = {{"Named/A", "12"}, {"Ini/B", "0.75"}};
    TProfile* const profiles[] = {&named, &ini};
    table.ReadAll(profiles);
    EXPECT_EQ(fields.Number, 11);
    EXPECT_EQ(fields.Real, 0.75f);

    TMapProfile outNamed, outIni;
    TProfile* const out[] = {&outNamed, &outIni};
    table.WriteAll(out);
    EXPECT_EQ(outNamed.Values, (std::map<std::string, std::string>{{"Named/A", "11"}}));
    EXPECT_EQ(outIni.Values, (std::map<std::string, std::string>{{"Ini/B", "0.75"}, {"Ini/C", "xy"}}));
}

TEST(TSettingsTable, SingleKeysKeepTheirDefaultOutOfRange)
{
    TMapProfile file;
    file.Values = {{"S/Delay", "-5"}, {"S/Offset", "nan"}, {"S/Name", "  Tonalyx2  "}};
    EXPECT_EQ(TSettingsTable::ReadInt(file, "S", "Delay", 50, 0, INT32_MAX), 50);
    EXPECT_EQ(TSettingsTable::ReadInt(file, "S", "Missing", 13), 13);
    EXPECT_EQ(TSettingsTable::ReadFloat(file, "S", "Offset", "0.5"), 0.5f);
    EXPECT_EQ(TSettingsTable::ReadText(file, "S", "Name", "Tonalyx", 9), "  Tonaly");
}

}  // namespace
