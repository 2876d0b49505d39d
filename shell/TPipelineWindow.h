#pragma once
#include <memory>
#include "engine/TSmoothing.h"
#include "shell/TPipelineMember.h"

// The main window's FFT window, owned by the pipeline: assigning a new
// window hands it over.
class TPipelineWindow : public TPipelineMember<TSmoothing, &TSpectrumPipeline::Window> {
public:
    using TPipelineMember::TPipelineMember;
    TPipelineWindow& operator=(TSmoothing* window)
    {
        Pipeline.AdoptWindow(std::unique_ptr<TSmoothing>(window));
        return *this;
    }
};
