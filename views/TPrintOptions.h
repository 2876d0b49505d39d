#pragma once

// Print annotations, margins in inches and comment lines (section "PrintOpts").
struct TPrintOptions {
    static constexpr int CommentCount = 10;

    char Annotation1[80];
    char Annotation2[80];
    float MarginLeft;
    float MarginRight;
    float MarginTop;
    float MarginBottom;
    int EnableCommentBlock;
    char Comment[CommentCount][256];
};
