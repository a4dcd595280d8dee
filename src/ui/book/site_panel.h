#pragma once

#include <QString>
#include <QWidget>

class QEvent;
class QLabel;
class QPushButton;

// Beside the connected device's type and version: the device's site (name and address), what
// changed in its settings since the last visit, and the book's offers for it ("Изменения…",
// "Привязать к объекту…", "Выбрать объект…"). It shows what it is told, in the language in use
// (again when the language changes); DeviceRecognition decides what that is.
class SitePanel : public QWidget {
    Q_OBJECT
public:
    // What the book says of the device's settings since its last visit.
    struct SinceLastVisit {
        enum class Kind { Nothing, NoVisits, Unchanged, Changed };
        Kind kind = Kind::Nothing;
        QString when;       // the last visit's time as the window shows times
        QString technician; // the last visit's
        int changed = 0;    // fields changed
    };

    explicit SitePanel(QWidget* parent = nullptr);

    // Nothing connected, or no book: the panel is empty.
    void Clear();
    // The device's site.
    void ShowSite(const QString& name, const QString& address);
    // A device with a serial number that no site has: the offer to attach it.
    void ShowUnattached(const QString& serial);
    // A port without a serial number: the offer to choose the visit's site by hand (its name
    // shown once chosen).
    void ShowWithoutSerial(const QString& chosenSite);
    // What changed since the last visit; the change list is offered when fields changed.
    void ShowSinceLastVisit(const SinceLastVisit& since);

signals:
    void attachRequested();
    void chooseRequested();
    void changesRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    enum class Shown { Nothing, Site, Unattached, WithoutSerial };
    void Render();

    Shown shown_ = Shown::Nothing;
    QString name_;    // the site's, or the site chosen by hand
    QString address_; // the site's
    QString serial_;  // the unattached device's
    SinceLastVisit since_;
    QLabel* siteLabel_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    QLabel* sinceLabel_ = nullptr;
    QPushButton* changes_ = nullptr;
    QPushButton* attach_ = nullptr;
    QPushButton* choose_ = nullptr;
};
