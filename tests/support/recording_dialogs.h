#pragma once

#include "ui/dialogs.h"

#include <QList>
#include <QQueue>

#include <functional>

// Stands in for every box and file dialog in tests: records each request and answers it at once.
// Answers are taken from the queues in order; when a queue is empty, message boxes answer with
// their default button and file dialogs are cancelled.
class RecordingDialogs : public DialogService {
public:
    BoxResult MessageBox(const MessageBoxRequest& request) override {
        boxes.append(request);
        if (onBox) {
            onBox(request);
        }
        return answers.isEmpty() ? request.defaultButton : answers.dequeue();
    }
    QString OpenFileName(const FileDialogRequest& request) override {
        openRequests.append(request);
        return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
    }
    QString SaveFileName(const FileDialogRequest& request) override {
        saveRequests.append(request);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
    }

    QList<MessageBoxRequest> boxes;
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;
    QQueue<BoxResult> answers;
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    std::function<void(const MessageBoxRequest&)> onBox; // runs while the "box" is open
};
