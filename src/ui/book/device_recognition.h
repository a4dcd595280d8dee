#pragma once

#include "book/book_records.h"
#include "operations/operation_codes.h"
#include "operations/session_events.h"
#include "settings/settings_diff.h"
#include "settings/settings_image.h"
#include "ui/book/site_book_requests.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class DeviceSession;
class SitePanel;
class WindowBook;

// The window's recognition of a connected device in the site book: its bridge's USB serial
// number finds its record and site, shown in the site panel; when its settings are read (a read,
// or the read before a write) they are compared with those its last recorded visit left. A
// device the book does not know offers to be attached; a port without a serial number keeps the
// site the technician chooses by hand. It only reads the book.
class DeviceRecognition : public QObject {
    Q_OBJECT
public:
    DeviceRecognition(DeviceSession& session, WindowBook& book, SitePanel& panel,
                      QObject* parent = nullptr);

    // The connected device's USB serial number; empty for none (or nothing connected).
    const QString& Serial() const { return identity_.usbSerial; }
    bool IsConnected() const { return connected_; }
    // The site chosen by hand for the port without a serial number; empty for none.
    const QString& ChosenSiteUuid() const { return chosenSite_; }
    void ChooseSite(const QString& siteUuid);

    // Looks the connected device up again (after it was attached to a site).
    void Recognise();
    // The connection has ended: the panel is emptied.
    void Clear();

    // The fields changed since the last visit, as the change list shows them.
    ChangeListRequest SinceLastVisit() const;
    int ChangeCount() const { return static_cast<int>(changes_.size()); }

private:
    // The site chosen by hand that still holds for a device connecting as identity: the same
    // port without a serial number keeps it, any other connection drops it.
    QString ChosenSiteFor(const DeviceIdentity& identity) const;
    void Connected(const DeviceIdentity& identity);
    void OperationStarted(Operation operation);
    void SettingsRead(const SettingsImage& image);
    QString SiteName(const QString& siteUuid) const;

    WindowBook& book_;
    SitePanel& panel_;
    DeviceIdentity identity_;
    bool connected_ = false;
    QString chosenSite_;
    QDateTime readStarted_;                // the settings read running, or the last one
    std::optional<VisitRecord> lastVisit_; // the one the last read was compared with
    std::vector<velor::settings::FieldChange> changes_;
};
