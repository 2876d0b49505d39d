#pragma once
#include "engine/TSpectrumPipeline.h"

// A main-window member under the name the program has always used for an
// object the spectral pipeline owns: it reads as a pointer to that object,
// null while the object does not exist, and owns nothing.
template <class T, T* (TSpectrumPipeline::*Get)() const>
class TPipelineMember {
public:
    explicit TPipelineMember(TSpectrumPipeline& pipeline) : Pipeline(pipeline) {}
    TPipelineMember(const TPipelineMember&) = delete;
    TPipelineMember& operator=(const TPipelineMember&) = delete;

    operator T*() const { return (Pipeline.*Get)(); }
    T* operator->() const { return (Pipeline.*Get)(); }
    T& operator*() const { return *(Pipeline.*Get)(); }

protected:
    TSpectrumPipeline& Pipeline;
};
