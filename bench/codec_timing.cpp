#include "bench/codec_timing.h"

#include "settings/cfg_format.h"
#include "settings/settings_image.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

namespace {

constexpr int kKeys = 28;
constexpr std::size_t kCodeBytes = 6;
constexpr uint8_t kAllLoops = 0xFF; // every arm box ticked: each decode toggles all 224 of them

// The window's boxes and dialogs answered with their defaults, none shown.
class QuietDialogs : public DialogService {
public:
    BoxResult MessageBox(const MessageBoxRequest& request) override {
        ++boxes;
        return request.defaultButton;
    }
    QString OpenFileName(const FileDialogRequest&) override { return {}; }
    QString SaveFileName(const FileDialogRequest&) override { return {}; }

    int boxes = 0;
};

// The factory image with all 28 key records: distinct identifiers, every arm box and a pattern
// of disarm boxes.
SettingsImage AllKeysImage(SettingsImage image) {
    image.SetIdentifierCount(kKeys);
    for (int key = 1; key <= kKeys; ++key) {
        for (std::size_t i = 0; i < kCodeBytes; ++i) {
            image.SetIdentifierCodeByte(key, i, static_cast<uint8_t>(key * 16 + i));
        }
        image.SetArmRights(key, kAllLoops);
        image.SetDisarmRights(key, static_cast<uint8_t>(0xA5 ^ key));
    }
    return image;
}

double MedianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& op) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        op();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

// Each decode runs over the same image decoded before it: the key page is cleared and
// set again, so with 28 keys every arm box is toggled twice. Each encode starts from a fresh
// trace list, as the save command does.
void TimeImage(TMainForm& form, const char* name, const SettingsImage& image, int runs) {
    auto* trace = form.Control<QListWidget>(QStringLiteral("ListBox2"));
    const double decodeMs = MedianMs(
        runs, [] {}, [&] { form.DecodeSettings(image); });
    const double encodeMs = MedianMs(
        runs, [&] { trace->clear(); }, [&] { form.EncodeSettings(); });
    std::printf("%-16s %11.3f %11.3f\n", name, decodeMs, encodeMs);
}

} // namespace

bool RunCodecTimings(const QString& factoryFile, int runs) {
    QTemporaryDir folder;
    if (!folder.isValid() || !QFile::copy(factoryFile, folder.filePath("580default.cfg")) ||
        !QDir::setCurrent(folder.path())) {
        std::fprintf(stderr, "velor580-bench: cannot set up a folder with %s\n",
                     qPrintable(factoryFile));
        return false;
    }
    try {
        const SettingsImage factory = LoadCfgFile(factoryFile);
        const SettingsImage allKeys = AllKeysImage(factory);
        QuietDialogs dialogs;
        MainFormDeps deps;
        deps.dialogs = &dialogs;
        deps.sleeper = [](int) {};
        TMainForm form(deps);
        form.FormCreate();
        std::printf("%-16s %11s %11s   (median of %d runs, window offscreen)\n", "codec image",
                    "decode ms", "encode ms", runs);
        TimeImage(form, "factory", factory, runs);
        TimeImage(form, "28 keys", allKeys, runs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velor580-bench: %s\n", error.what());
        return false;
    }
    return true;
}
