#pragma once

// Progress of a transfer: the maximum is set once, then each block advances it by one.
// The window's sink moves its gauge on the window's thread; the command-line tool prints.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetMax(int max) = 0;
    virtual void Advance() = 0;
};
