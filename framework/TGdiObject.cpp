#include "framework/TGdiObject.h"

TGdiObject::~TGdiObject()
{
    if (Handle && ShouldDelete) ::DeleteObject(Handle);
}

void TGdiObject::SetHandle(HGDIOBJ handle, bool autoDelete)
{
    if (Handle && ShouldDelete) ::DeleteObject(Handle);
    Handle = handle;
    ShouldDelete = autoDelete;
}
