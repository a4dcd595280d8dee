#pragma once

#include "ui/book/site_book_requests.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class SiteCard;

// "Объекты": the site book. A list of sites searched as one types (name, address, contact,
// phone, a device's serial number), a new site, and the chosen site's card. Opened to attach a
// device or to choose the site of a device without a serial number, it has the button that
// makes that choice. Loading a visit into the window or saving it to a file is the choice the
// window returns (Choice); every other change is made in the book at once, one short call each.
class SiteBookWindow : public QDialog {
    Q_OBJECT
public:
    // request.book and request.dialogs outlive the window.
    SiteBookWindow(SiteBookRequest request, QWidget* parent = nullptr);

    SiteBookChoice Choice() const { return choice_; }
    // The chosen site's uuid; empty for none.
    QString ChosenSite() const;

private:
    QWidget* BuildList();
    QPushButton* BuildPurposeButton();
    // The sites that match the search, keeping the chosen one chosen when it is listed.
    void Search();
    void ShowChosenSite();
    void AddSite();
    void SiteSaved(const QString& siteUuid);
    void Choose(const SiteBookChoice& choice);
    void ChooseSite();
    // Makes the listed site the chosen one; false (nothing chosen) when it is not listed.
    bool SelectSite(const QString& siteUuid);
    void Say(const QString& text);

    SiteBookRequest request_;
    SiteBookChoice choice_;
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    SiteCard* card_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* purposeButton_ = nullptr;
};
