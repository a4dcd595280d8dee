#pragma once

#include "book/book_records.h"
#include "ui/book/site_book_requests.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// A site's card in the site book window: its details (editable, kept with "Сохранить"), its
// devices, and its visits newest first with date, technician, action, device, fingerprints and
// the verified mark. For the chosen visit: its settings shown, compared with the window's, or
// chosen to be loaded into the window or saved to a file (visitChosen). Each change of the book
// is one short call.
class SiteCard : public QWidget {
    Q_OBJECT
public:
    // request outlives the card.
    explicit SiteCard(const SiteBookRequest& request, QWidget* parent = nullptr);

    // Shows the site (none: an empty, disabled card).
    void ShowSite(const std::optional<SiteRecord>& site);
    const std::optional<SiteRecord>& Site() const { return site_; }

signals:
    // The site's details were saved (its name may have changed).
    void siteSaved(const QString& siteUuid);
    // A visit's settings are to be loaded into the window or saved to a file.
    void visitChosen(const SiteBookChoice& choice);

private:
    QWidget* BuildDetails();
    QWidget* BuildVisits();
    void FillDevices();
    void FillVisits();
    void SaveDetails();
    // The chosen visit (none when no row is chosen).
    const VisitRecord* ChosenVisit() const;
    void ShowVisit();
    void CompareVisit();
    void ChooseVisit(SiteBookAction action);
    void SayInView(const QString& text);

    const SiteBookRequest& request_;
    std::optional<SiteRecord> site_;
    std::vector<VisitRecord> visits_;
    QLineEdit* name_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* contact_ = nullptr;
    QLineEdit* phone_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPushButton* save_ = nullptr;
    QTableWidget* devices_ = nullptr;
    QTableWidget* visitTable_ = nullptr;
    QPlainTextEdit* view_ = nullptr;
};
