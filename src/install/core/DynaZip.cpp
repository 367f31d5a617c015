#include "DynaZip.h"

namespace lumarc {

int TDynaZip::Status(const TStatusCallback& event, const char* item, int32_t percent)
{
    bool doCancel = false;
    if (event)
        event(item, percent, doCancel);
    return doCancel ? 1 : 0;
}

int TDynaZip::MajorThunk(const char* item, int32_t percent, void* user)
{
    return Status(static_cast<TDynaZip*>(user)->OnMajorCallback, item, percent);
}

int TDynaZip::MinorThunk(const char* item, int32_t percent, void* user)
{
    return Status(static_cast<TDynaZip*>(user)->OnMinorCallback, item, percent);
}

int TDynaZip::MessageThunk(int32_t msgId, int32_t mbType, int32_t p1, int32_t p2, char* lpsz1, char* lpsz2, void* user)
{
    int result = 0;
    auto* self = static_cast<TDynaZip*>(user);
    // MsgID and mbType are 16-bit values in 32-bit slots.
    if (self->OnMessageCallback)
        self->OnMessageCallback(static_cast<uint16_t>(msgId), static_cast<uint16_t>(mbType), p1, p2, lpsz1, lpsz2, result);
    return result;
}

int TDynaZip::RenameThunk(void* dzr, void* user)
{
    auto* self = static_cast<TDynaZip*>(user);
    if (self->OnRenameCallback)
        self->OnRenameCallback(dzr);
    return 0;
}

}  // namespace lumarc
