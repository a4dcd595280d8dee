#pragma once

#include <QComboBox>
#include <QFileSystemWatcher>
#include <QString>
#include <QStringList>

// The port choice under "USB - порт" (UsbPortList): "Автоматически" (the first FTDI bridge the
// system lists), one entry per attached bridge (device path, USB serial number, whether this user
// may open it: the listing of velor580-cli ports), the port chosen by path when it is none of
// them, and "Другой порт…". The list is made again when it is opened and when the device folder
// changes (a bridge plugged in or out: the kernel adds or removes its node there), so it never
// polls. Choosing by program runs nothing; a technician's pick is announced.
class PortList : public QComboBox {
    Q_OBJECT
public:
    // The bridges are looked up under sysfsRoot and devRoot (the system's, or a test's tree).
    PortList(QString sysfsRoot, QString devRoot, QWidget* parent = nullptr);

    // The chosen device path; empty for "Автоматически".
    QString ChosenDevice() const { return chosen_; }
    void SetChosenDevice(const QString& path);

    // Lists the attached bridges again, keeping the choice.
    void Refresh();
    // The fixed entries' texts in the language now in use.
    void Retranslate();

    // The serial ports a technician may name as another port: the USB-serial adapters
    // (ttyUSB*, ttyACM*) and the pseudo-terminals (pts/N) of the device folder, by name.
    QStringList OtherPortCandidates() const;

    void showPopup() override;

protected:
    // The closed list shows the chosen entry in short: a bridge by its device name ("ttyUSB0"),
    // other texts shortened to the field; the whole line is the tooltip.
    void paintEvent(QPaintEvent* event) override;

signals:
    // A technician picked "Автоматически" (empty path) or a listed port.
    void deviceChosen(const QString& path);
    // A technician picked "Другой порт…": the window asks for the path.
    void otherPortRequested();

private:
    enum class Kind { Automatic, Bridge, Chosen, Other };
    void AddEntry(Kind kind, const QString& text, const QString& path, const QString& tip,
                  const QString& shortText = {});
    void SelectChosen();
    void Picked(int index);
    void WidenPopup();

    QString sysfsRoot_;
    QString devRoot_;
    QString chosen_;
    QFileSystemWatcher watcher_;
};
