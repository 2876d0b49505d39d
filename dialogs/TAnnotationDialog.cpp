#include "dialogs/TAnnotationDialog.h"

#include "dialogs/TAnnotationForm.h"
#include "framework/TDialogBinding.h"
#include "framework/TEdit.h"
#include "framework/UiHelpers.h"

namespace {

const TDialogBinding<TPrintOptions>& Binding()
{
    using D = TAnnotationDialog;
    using P = TPrintOptions;
    constexpr int length = TAnnotationForm::FieldLength;
    static const TDialogBinding<P> binding =
        TDialogBinding<P>()
            .Text(D::Title1Id, &P::Annotation1, length)
            .Text(D::Title2Id, &P::Annotation2, length)
            .Number(D::MarginLeftId, &P::MarginLeft, "%3.2f", length, TAnnotationForm::ReadMargin)
            .Number(D::MarginRightId, &P::MarginRight, "%3.2f", length, TAnnotationForm::ReadMargin)
            .Number(D::MarginTopId, &P::MarginTop, "%3.2f", length, TAnnotationForm::ReadMargin)
            .Number(D::MarginBottomId, &P::MarginBottom, "%3.2f", length, TAnnotationForm::ReadMargin)
            .Check(D::PrintCommentsId, &P::EnableCommentBlock);
    return binding;
}

}

TAnnotationDialog::TAnnotationDialog(TWindow* parent, TResId templateName, TPrintOptions* record)
    : TDialog(parent, templateName), Record(record),
      Comments(std::make_unique<TEdit>(this, CommentsId, TAnnotationForm::CommentBoxLength))
{
}

TAnnotationDialog::~TAnnotationDialog() = default;

void TAnnotationDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    Binding().Fill(*this, *Record);
    Comments->SetText(TAnnotationForm::CommentText(*Record).c_str());
}

void TAnnotationDialog::CmOk()
{
    Binding().Collect(*this, *Record);
    TAnnotationForm::StoreComments(Comments->GetText(), *Record);
    TDialog::CmOk();
}
