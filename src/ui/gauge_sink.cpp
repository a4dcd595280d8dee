#include "ui/gauge_sink.h"

#include <QMetaObject>
#include <QProgressBar>
#include <QThread>

template <class Step> void GaugeSink::OnBarThread(Step step) {
    QProgressBar* bar = bar_.data();
    if (bar == nullptr) {
        return;
    }
    if (QThread::currentThread() == bar->thread()) {
        step(bar);
        return;
    }
    QMetaObject::invokeMethod(
        bar, [bar, step] { step(bar); }, Qt::QueuedConnection);
}

void GaugeSink::SetMax(int max) {
    OnBarThread([max](QProgressBar* bar) { bar->setMaximum(max); });
}

void GaugeSink::Advance() {
    OnBarThread([](QProgressBar* bar) { bar->setValue(bar->value() + 1); });
}
