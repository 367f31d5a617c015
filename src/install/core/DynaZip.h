#pragma once
// The base of the unzip component: the four events through which the library's callbacks reach
// the program, and the C functions the library calls, which forward to them.

#include <cstdint>
#include <functional>

namespace lumarc {

using TStatusCallback = std::function<void(const char* szItem, int32_t Percent, bool& DoCancel)>;
using TMessageCallback = std::function<void(uint16_t MsgID, uint16_t mbType, int32_t p1, int32_t p2, char* lpsz1,
                                            char* lpsz2, int& RtnResult)>;
// The record behind the pointer is the library's; it is passed through unread.
using PDZRename = void*;
using TRenameCallback = std::function<void(PDZRename dzr)>;

class TDynaZip {
public:
    virtual ~TDynaZip() = default;

    TStatusCallback OnMajorCallback;
    TStatusCallback OnMinorCallback;
    TMessageCallback OnMessageCallback;
    TRenameCallback OnRenameCallback;

protected:
    // What the library calls; `user` is the component. Each returns the start value when no
    // event is assigned.
    static int MajorThunk(const char* item, int32_t percent, void* user);
    static int MinorThunk(const char* item, int32_t percent, void* user);
    static int MessageThunk(int32_t msgId, int32_t mbType, int32_t p1, int32_t p2, char* lpsz1, char* lpsz2, void* user);
    static int RenameThunk(void* dzr, void* user);

private:
    static int Status(const TStatusCallback& event, const char* item, int32_t percent);
};

}  // namespace lumarc
