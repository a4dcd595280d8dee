#pragma once

#include <cstdint>

// A byte-stream link to the device: opening it, moving bytes and closing it. It knows nothing of
// frames. The nine operations are declared in their slot order; the destructor follows them.
class TPort {
public:
    // 1 when the link was opened, 0 when it could not be (the window treats 0 as no device).
    virtual int Open() = 0;
    virtual void Reserved1() = 0; // no effect; nothing calls it
    // True only when exactly n bytes arrived within the read time-out.
    virtual bool Read(uint8_t* buffer, uint32_t n) = 0;
    // As Read; also stores the number of bytes that arrived when the driver call itself succeeded.
    virtual bool ReadCounted(uint8_t* buffer, uint32_t n, uint32_t& count) = 0;
    // True only when all n bytes were written, in one driver call.
    virtual bool Write(const uint8_t* buffer, uint32_t n) = 0;
    // Called around every request frame and after a verified scenario reply.
    virtual void FrameBoundary() = 0;
    virtual int Close() = 0;
    virtual void Reserved2() = 0; // no effect; nothing calls it
    // Discards whatever the driver holds in both directions.
    virtual void Purge() = 0;

    virtual ~TPort() = default;

    // True once the driver has said the device is gone (unplugged, line hung up): every further
    // transfer fails at once, so an exchange stops instead of waiting and polling in vain.
    virtual bool DeviceLost() const { return false; }
};
