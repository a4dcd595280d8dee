#pragma once

#include <cstddef>

// The least time an exchange can take on a 9600-baud line: every byte of every request, reply
// and acknowledge one after another (the device answers only after a request is in, and the
// program acknowledges only after a reply is in), plus the waits the protocol itself requires.
struct LineBudget {
    std::size_t bytes = 0;
    int waitMs = 0;
    int frames = 0; // requests and replies, for the overhead per frame

    double BoundMs() const;
    LineBudget& operator+=(const LineBudget& other);
};

// Scenario selection: request, reply, acknowledge.
LineBudget SelectBudget();
// Read request and five blocks, each acknowledged.
LineBudget SettingsReadBudget();
// Five write blocks, each answered with a write status.
LineBudget SettingsWriteBudget();
// Header block and one block per 64 payload bytes, each answered.
LineBudget FirmwareBudget(std::size_t payloadBytes);
