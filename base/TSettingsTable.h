#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TProfile;

// What a field of a settings record holds, as the files keep it: 16-bit
// codes, 32-bit integers and colours as "%d", reals in their row's format,
// text as it is; a custom row is read and written by the table's owner.
enum class TSettingKind { U16, I32, Float, Color, Text, Custom };

// What the reader checks of a number before it keeps it.
enum class TSettingCheck {
    Range,   // within the row's Min .. Max, a real as its written text gives it back
    Caller,  // kept as read; the owner checks it once the rows it depends on are read
};

// One key of a settings file: where it lives, the field it fills, its
// default and the values it may hold.
struct TSettingRow {
    std::string Section;
    std::string Key;
    TSettingKind Kind;
    void* Field;
    int Size;             // text: characters with the terminating zero
    std::string Default;
    const char* Format;   // reals
    int Profile;          // which of the owner's files holds the key
    TSettingCheck Check;
    double Min, Max;
    int Tag;              // the owner's rule or channel for the row
};

// A custom row's reading and writing, done by the table's owner.
class TSettingCustom {
public:
    virtual ~TSettingCustom() = default;
    virtual void Read(TProfile& from, const TSettingRow& row) = 0;
    virtual void Write(TProfile& to, const TSettingRow& row) = 0;
};

// The key table of a settings record: rows added in the order a written file
// holds them, read and written under one set of rules. A number that is out
// of its row's range, a real that is no finite number and text that is no
// number keep the row's default; a value equal to the default always passes.
// Integers read as the C runtime reads them (blanks, a sign, the leading
// digits, none giving 0; saturated at 32 bits); text is cut to its field and
// loses the blanks a cut leaves at its end; a real that is not finite is
// written as its default.
class TSettingsTable {
public:
    static constexpr double FloatMax = 3.40282346638528859811704183484516925e+38;
    // The smallest value of a real that must be above zero.
    static constexpr double Positive = 1.17549435082228750796873653722224568e-38;

    std::vector<TSettingRow> Rows;

    // Rows added next live in this section of the given profile.
    void Begin(const std::string& section, int profile = 0);
    void SetProfile(int profile) { Profile = profile; }
    void SetTag(int tag) { Tag = tag; }

    TSettingRow& Add(const std::string& key, TSettingKind kind, void* field, const std::string& def, double min,
                     double max, int size = 0, const char* format = "%f");
    // 16-bit fields hold the codes 0 to 65535; 32-bit ones any number.
    void U16(const std::string& key, uint16_t* field, const std::string& def);
    void I32(const std::string& key, void* field, const std::string& def);
    // A check box's state.
    void Flag(const std::string& key, void* field, const std::string& def);
    void F(const std::string& key, float* field, const std::string& def, const char* format = "%f");
    // Colours are 0x00BBGGRR.
    void C(const std::string& key, uint32_t* field, uint32_t def);
    void S(const std::string& key, char* field, int size, const std::string& def);
    void Custom(const std::string& key);
    // The last row's range, rule and check.
    void Range(double min, double max);
    void Rule(int tag);
    void CheckLater();

    // Reads one row from its profile into its field; false when the value
    // was refused and the default kept.
    static bool Read(const TSettingRow& row, TProfile& from, TSettingCustom* custom = nullptr);
    static void Write(const TSettingRow& row, TProfile& to, TSettingCustom* custom = nullptr);
    static void StoreDefault(const TSettingRow& row);

    // Every row from, or to, the profile its index names.
    void ReadAll(TProfile* const* profiles, TSettingCustom* custom = nullptr) const;
    void WriteAll(TProfile* const* profiles, TSettingCustom* custom = nullptr) const;
    // Every field from its row's default.
    void SetDefaults() const;

    // A single key under the rows' rules, for the keys no record holds.
    static int32_t ReadInt(TProfile& from, const std::string& section, const std::string& key, int32_t def,
                           double min = INT32_MIN, double max = INT32_MAX);
    static float ReadFloat(TProfile& from, const std::string& section, const std::string& key, const char* def,
                           double min = -FloatMax, double max = FloatMax);
    static std::string ReadText(TProfile& from, const std::string& section, const std::string& key,
                                const char* def, int size = 256);
    static void WriteText(TProfile& to, const std::string& section, const std::string& key, const std::string& text);

    // Text as the C runtime reads an integer, saturated at 32 bits.
    static int32_t ToInt(const std::string& text);

private:
    std::string Section;
    int Profile = 0;
    int Tag = 0;
};
