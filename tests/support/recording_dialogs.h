#pragma once

#include "ui/dialogs.h"

#include <QList>
#include <QQueue>

#include <functional>
#include <optional>

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

    WriteReviewAnswer ReviewWrite(const WriteReviewRequest& request) override {
        reviews.append(request);
        return reviewAnswers.isEmpty() ? WriteReviewAnswer{true, true} : reviewAnswers.dequeue();
    }
    HistoryChoice ShowHistory(const HistoryRequest& request) override {
        histories.append(request);
        if (onHistory) {
            onHistory(request);
        }
        if (historyAnswers.isEmpty()) {
            return DialogService::ShowHistory(request);
        }
        return historyAnswers.dequeue();
    }

    QString AskPortPath(const PortPathRequest& request) override {
        portRequests.append(request);
        return portAnswers.isEmpty() ? QString() : portAnswers.dequeue();
    }
    // Lines of text are answered with the offered text unless told otherwise.
    std::optional<QString> AskText(const TextRequest& request) override {
        textRequests.append(request);
        return textAnswers.isEmpty() ? std::optional<QString>(request.value)
                                     : textAnswers.dequeue();
    }
    void ShowChanges(const ChangeListRequest& request) override { changeLists.append(request); }
    // The site book window: onSiteBook answers it (a test may build the window on the request
    // and drive it); without it, the queue or no choice.
    SiteBookChoice ShowSiteBook(const SiteBookRequest& request) override {
        siteBooks.append(request);
        if (onSiteBook) {
            return onSiteBook(request);
        }
        return siteBookAnswers.isEmpty() ? SiteBookChoice{} : siteBookAnswers.dequeue();
    }

    QList<MessageBoxRequest> boxes;
    void PreviewReport(const ReportPreviewRequest& request) override { reports.append(request); }

    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;
    QQueue<BoxResult> answers;
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    // "Другой порт…": recorded and cancelled unless a path is queued.
    QList<PortPathRequest> portRequests;
    QQueue<QString> portAnswers;
    // Reviews before a write are recorded and answered "Записать" unless told otherwise.
    QList<WriteReviewRequest> reviews;
    QQueue<WriteReviewAnswer> reviewAnswers;
    QList<HistoryRequest> histories;
    QList<ReportPreviewRequest> reports;
    QQueue<HistoryChoice> historyAnswers;
    std::function<void(const HistoryRequest&)> onHistory; // runs while the "dialog" is open
    std::function<void(const MessageBoxRequest&)> onBox;  // runs while the "box" is open
    QList<TextRequest> textRequests;
    QQueue<std::optional<QString>> textAnswers;
    QList<ChangeListRequest> changeLists;
    QList<SiteBookRequest> siteBooks;
    QQueue<SiteBookChoice> siteBookAnswers;
    std::function<SiteBookChoice(const SiteBookRequest&)> onSiteBook;
};
