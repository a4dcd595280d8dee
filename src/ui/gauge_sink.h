#pragma once

#include "link/progress_sink.h"

#include <QPointer>
#include <QProgressBar>

// The window's progress sink for device transfers: moves the gauge on the gauge's own thread.
// Calls from the operation thread are queued there in order, so a later reset made through a
// synchronous call comes after every advance that preceded it.
class GaugeSink : public ProgressSink {
public:
    void SetBar(QProgressBar* bar) { bar_ = bar; }

    void SetMax(int max) override;
    void Advance() override;

private:
    template <class Step> void OnBarThread(Step step);

    QPointer<QProgressBar> bar_;
};
