#pragma once
#include <string>
#include "framework/TDialogBinding.h"
#include "views/TPrintOptions.h"

// The print annotation dialog without its window: the comment lines as the
// one multi-line edit shows them, and how a margin's text is read.
class TAnnotationForm {
public:
    // Characters a title or margin field is read with.
    static constexpr int FieldLength = 79;
    // Characters the comment box takes.
    static constexpr int CommentBoxLength = 2000;

    // The ten comment lines joined by CR LF, none after the last.
    static std::string CommentText(const TPrintOptions& record);
    // The box's lines into the comment fields: at most ten, each cut to
    // its field; the fields past the last line are emptied.
    static void StoreComments(const std::string& text, TPrintOptions& record);
    // A margin as the runtime reads a number: no number, or one that is not
    // finite, gives 0; any finite value is kept as typed.
    static TDialogBindingBase::TReading ReadMargin(const std::string& text);
};
