#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A sysfs tree in a temporary folder, as the kernel lays out USB-serial bridges. Each tty sits
// under a USB interface ("<device>:1.0") of its own USB device, whose folder is named after its
// place on the bus ("1-1.4"; "dev-<tty>" when none is given) and holds idVendor (none when
// empty) and serial (none when empty); the tty is listed under class/tty, bus/usb-serial, or both.
class FakeSysfs {
public:
    QString root() const { return dir_.path(); }

    void AddTty(const QString& name, const QString& vendor, bool classTty, bool usbSerial,
                const QString& serial = {}, const QString& location = {}) {
        const QString usb =
            root() + "/devices/pci0/usb1/" + (location.isEmpty() ? "dev-" + name : location);
        const QString portDir = usb + "/" + usb.section('/', -1) + ":1.0/" + name;
        const QString ttyDir = portDir + "/tty/" + name;
        QDir().mkpath(ttyDir);
        QDir().mkpath(root() + "/class/tty");
        QDir().mkpath(root() + "/bus/usb-serial/devices");
        if (!vendor.isEmpty()) {
            Write(usb + "/idVendor", vendor);
        }
        if (!serial.isEmpty()) {
            Write(usb + "/serial", serial);
        }
        QFile::link(portDir, ttyDir + "/device");
        if (classTty) {
            QFile::link(ttyDir, root() + "/class/tty/" + name);
        }
        if (usbSerial) {
            QFile::link(portDir, root() + "/bus/usb-serial/devices/" + name);
        }
    }

private:
    static void Write(const QString& path, const QString& value) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(value.toUtf8() + "\n");
    }

    QTemporaryDir dir_;
};
