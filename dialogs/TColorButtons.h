#pragma once
#include <cstdint>
#include <memory>
#include <vector>
#include "dialogs/TColorSwatch.h"
#include "framework/TDialog.h"
#include "framework/UiHelpers.h"

// The colour buttons of an options dialog over the colour fields of its
// record R, one row each with the swatch beside it. A colour chosen is
// stored into the record at once; the dialog's caller decides at its end
// whether the record is kept.
template <class R> class TColorButtons {
public:
    struct TRow {
        int ButtonId;
        int SwatchId;
        uint32_t R::*Field;
    };

    // Made in the dialog's constructor, so that the swatches are its children.
    TColorButtons(TDialog* dialog, std::vector<TRow> rows) : Dialog(dialog), Rows(std::move(rows))
    {
        for (const TRow& row : Rows) Swatches.push_back(std::make_unique<TColorSwatch>(dialog, row.SwatchId));
    }

    // Every swatch in the record's colour.
    void Show(const R& record)
    {
        for (size_t i = 0; i < Rows.size(); ++i) Refresh(i, record);
    }

    // The colour dialog of the button's row; false for a button of no row.
    bool Choose(int buttonId, R& record)
    {
        for (size_t i = 0; i < Rows.size(); ++i)
            if (Rows[i].ButtonId == buttonId) {
                uint32_t& field = record.*Rows[i].Field;
                field = uint32_t(COLORREF(ChooseColorDialog(Dialog, TColor(COLORREF(field)))));
                Refresh(i, record);
                return true;
            }
        return false;
    }

    // The defaults' colours stored and shown.
    void Reset(R& record, const R& defaults)
    {
        for (const TRow& row : Rows) record.*row.Field = defaults.*row.Field;
        Show(record);
    }

    int FirstButton() const { return Rows.front().ButtonId; }

private:
    void Refresh(size_t i, const R& record)
    {
        ShowColorSwatch(Dialog, Rows[i].ButtonId, Swatches[i].get(), TColor(COLORREF(record.*Rows[i].Field)));
    }

    TDialog* Dialog;
    std::vector<TRow> Rows;
    std::vector<std::unique_ptr<TColorSwatch>> Swatches;
};
