#pragma once
#include <memory>
#include "framework/TDialog.h"
#include "resources/AnnotationDialogRes.h"
#include "views/TPrintOptions.h"

class TEdit;

// "Print Annotations and Margins": the two title lines, the four margins in
// inches and the comment lines of every printed page, edited in place on
// the record it is given; Cancel leaves the record as it was.
class TAnnotationDialog : public TDialog {
public:
    enum : int {
        Title1Id = IDC_ANNOTATION_TITLE1, Title2Id = IDC_ANNOTATION_TITLE2,
        MarginLeftId = IDC_ANNOTATION_MARGIN_LEFT, MarginRightId = IDC_ANNOTATION_MARGIN_RIGHT,
        MarginTopId = IDC_ANNOTATION_MARGIN_TOP, MarginBottomId = IDC_ANNOTATION_MARGIN_BOTTOM,
        CommentsId = IDC_ANNOTATION_COMMENTS, PrintCommentsId = IDC_ANNOTATION_PRINT_COMMENTS,
    };

    TAnnotationDialog(TWindow* parent, TResId templateName, TPrintOptions* record);
    ~TAnnotationDialog() override;

    void SetupWindow() override;
    void CmOk() override;

private:
    TPrintOptions* Record;
    std::unique_ptr<TEdit> Comments;
};
