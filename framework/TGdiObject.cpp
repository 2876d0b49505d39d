#include "framework/TGdiObject.h"

namespace {
long Live = 0;
}

TGdiObject::TGdiObject(HGDIOBJ handle, bool autoDelete) : Handle(handle), ShouldDelete(autoDelete)
{
    if (Handle && ShouldDelete) Count(1);
}

TGdiObject::~TGdiObject()
{
    Release();
}

void TGdiObject::SetHandle(HGDIOBJ handle, bool autoDelete)
{
    Release();
    Handle = handle;
    ShouldDelete = autoDelete;
    if (Handle && ShouldDelete) Count(1);
}

void TGdiObject::Release()
{
    // An object still selected into a context is not deleted: it stays counted.
    if (Handle && ShouldDelete && ::DeleteObject(Handle)) Count(-1);
    Handle = nullptr;
}

long TGdiObject::LiveObjects()
{
    return Live;
}

void TGdiObject::Count(long change)
{
    Live += change;
}
