#pragma once
// An open POSIX file descriptor that is closed when it goes out of scope. Close() is there
// for the callers that must know whether closing failed (a failed close can mean lost writes).

namespace lumarc {

class TFileHandle {
public:
    explicit TFileHandle(int fd = -1) : FFd(fd) {}
    ~TFileHandle();
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    int Get() const { return FFd; }
    bool IsOpen() const { return FFd >= 0; }
    // 0, or the errno of the failed close; the descriptor is released either way.
    int Close();

private:
    int FFd;
};

}  // namespace lumarc
