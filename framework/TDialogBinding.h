#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>
#include "framework/TDialogControls.h"

// The parts of a dialog binding that do not depend on the record: number
// texts, radio groups and text fields copied into fixed arrays.
class TDialogBindingBase {
public:
    // What a number field's rule makes of its text: the value, or a refusal
    // with the message (and the style of its box) the dialog shows.
    struct TReading {
        double Value = 0.0;
        std::string Refusal;
        unsigned Style = 0;
    };
    using TReader = std::function<TReading(const std::string& text)>;

    // The first row whose text was refused; Id 0 when every row was stored.
    struct TRefusal {
        int Id = 0;
        std::string Message;
        unsigned Style = 0;
        bool Refused() const { return Id != 0; }
    };

    enum class TKind { Text, Number, Check, Radio, Selection };
    // Where a radio group's fallback button stands in: shown for a value no
    // button stands for and stored while none is checked, or only stored.
    enum class TFallback { ShownAndStored, StoredOnly };

    // The value through a printf format taking one double.
    static std::string FormatNumber(const char* format, double value);
    // The index of the first checked button of the group, -1 when none is.
    static int CheckedIndex(const TDialogControls& controls, const std::vector<int>& group);
    // Checks the group's button at index and clears the others; -1 clears them all.
    static void CheckOnly(TDialogControls& controls, const std::vector<int>& group, int index);
    // The index of value among values; the fallback when it is not there.
    static int IndexOf(const std::vector<long long>& values, long long value, int fallback);
    // Text into a fixed array, cut to fit with its terminating zero; the
    // bytes after the zero stay as they were.
    static void CopyText(const std::string& text, char* field, size_t size);
};

// A dialog's controls bound to the fields of its record R, one row each:
// Fill shows the record in the controls, Collect stores the controls into
// the record row by row. A number row reads its text through a rule (the
// dialog's form keeps the ranges and messages); the first text refused ends
// Collect with that field unchanged, the rows before it stored.
//
// A field is a pointer to a data member or a callable giving a reference to
// the field of a record (for arrays of rows).
template <class R> class TDialogBinding : public TDialogBindingBase {
public:
    struct TRow {
        int Id;
        TKind Kind;
        std::function<void(TDialogControls&, const R&)> Fill;
        std::function<TRefusal(const TDialogControls&, R&)> Collect;
    };

    // An edit of a text: a char array (at most its size less one character,
    // and at most length characters when given) or a string (at most length
    // characters).
    template <class F> TDialogBinding& Text(int id, F field, int length = 0)
    {
        Rows.push_back({id, TKind::Text,
            [id, field](TDialogControls& c, const R& r) {
                const auto& value = std::invoke(field, r);
                if constexpr (std::is_array_v<std::remove_cvref_t<decltype(value)>>)
                    c.SetControlText(id, std::string(value, Bounded(value, sizeof value)));
                else
                    c.SetControlText(id, value);
            },
            [id, field, length](const TDialogControls& c, R& r) {
                auto& value = std::invoke(field, r);
                if constexpr (std::is_array_v<std::remove_cvref_t<decltype(value)>>) {
                    const int room = int(sizeof value) - 1;
                    CopyText(c.ControlText(id, length > 0 && length < room ? length : room), value, sizeof value);
                }
                else
                    value = c.ControlText(id, length);
                return TRefusal{};
            }});
        return *this;
    }

    // An edit of a number: shown through a printf format of one double
    // (integers as plain digits when the format is null), read from at most
    // length characters through the rule.
    template <class F> TDialogBinding& Number(int id, F field, const char* format, int length, TReader rule)
    {
        Rows.push_back({id, TKind::Number,
            [id, field, format](TDialogControls& c, const R& r) {
                const auto value = std::invoke(field, r);
                if constexpr (std::is_integral_v<decltype(value)>)
                    c.SetControlText(id, format ? FormatNumber(format, double(value)) : std::to_string(value));
                else
                    c.SetControlText(id, FormatNumber(format, double(value)));
            },
            [id, field, length, rule](const TDialogControls& c, R& r) {
                const TReading reading = rule(c.ControlText(id, length));
                if (!reading.Refusal.empty()) return TRefusal{id, reading.Refusal, reading.Style};
                auto& value = std::invoke(field, r);
                value = static_cast<std::remove_cvref_t<decltype(value)>>(reading.Value);
                return TRefusal{};
            }});
        return *this;
    }

    // A check box: checked while the field is not 0 (with onlyOne, while it
    // is 1); stores 1 or 0.
    template <class F> TDialogBinding& Check(int id, F field, bool onlyOne = false)
    {
        Rows.push_back({id, TKind::Check,
            [id, field, onlyOne](TDialogControls& c, const R& r) {
                const auto value = std::invoke(field, r);
                c.CheckControl(id, onlyOne ? value == 1 : value != 0);
            },
            [id, field](const TDialogControls& c, R& r) {
                auto& value = std::invoke(field, r);
                value = static_cast<std::remove_cvref_t<decltype(value)>>(c.ControlChecked(id) ? 1 : 0);
                return TRefusal{};
            }});
        return *this;
    }

    // A group of radio buttons, one per value (0, 1, ... unless given): the
    // button of the field's value alone checked; stores the value of the
    // checked button. While no button stands for the value, or none is
    // checked, the fallback button (an index, -1 for none) stands in, as
    // `where` says; with no fallback nothing is checked or stored.
    template <class F>
    TDialogBinding& Radio(std::vector<int> group, F field, std::vector<long long> values = {}, int fallback = -1,
                          TFallback where = TFallback::ShownAndStored)
    {
        const int shownFallback = where == TFallback::ShownAndStored ? fallback : -1;
        if (values.empty())
            for (size_t i = 0; i < group.size(); ++i) values.push_back((long long)i);
        Rows.push_back({group.front(), TKind::Radio,
            [group, field, values, shownFallback](TDialogControls& c, const R& r) {
                CheckOnly(c, group, IndexOf(values, static_cast<long long>(std::invoke(field, r)), shownFallback));
            },
            [group, field, values, fallback](const TDialogControls& c, R& r) {
                int index = CheckedIndex(c, group);
                if (index < 0) index = fallback;
                auto& value = std::invoke(field, r);
                if (index >= 0) value = static_cast<std::remove_cvref_t<decltype(value)>>(values[size_t(index)]);
                return TRefusal{};
            }});
        return *this;
    }

    // A list of count entries for the values 0, 1, ...: the field's entry
    // selected (none for a value past the list); stores the selected entry,
    // and nothing while none is.
    template <class F> TDialogBinding& Selection(int id, F field, int count)
    {
        Rows.push_back({id, TKind::Selection,
            [id, field, count](TDialogControls& c, const R& r) {
                const auto value = static_cast<long long>(std::invoke(field, r));
                c.SelectControl(id, value >= 0 && value < count ? int(value) : -1);
            },
            [id, field](const TDialogControls& c, R& r) {
                const int index = c.ControlSelection(id);
                auto& value = std::invoke(field, r);
                if (index >= 0) value = static_cast<std::remove_cvref_t<decltype(value)>>(index);
                return TRefusal{};
            }});
        return *this;
    }

    void Fill(TDialogControls& controls, const R& record) const
    {
        for (const TRow& row : Rows) row.Fill(controls, record);
    }

    // The rows in their order; the first refusal ends it.
    TRefusal Collect(const TDialogControls& controls, R& record) const
    {
        for (const TRow& row : Rows)
            if (TRefusal refusal = row.Collect(controls, record); refusal.Refused()) return refusal;
        return {};
    }

    const std::vector<TRow>& GetRows() const { return Rows; }

private:
    static size_t Bounded(const char* text, size_t size)
    {
        size_t n = 0;
        while (n < size && text[n]) ++n;
        return n;
    }

    std::vector<TRow> Rows;
};
