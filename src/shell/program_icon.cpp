#include "shell/program_icon.h"

#include <array>

namespace {

constexpr std::array<const char*, 2> kIconFiles{":/icons/velor580-48.png",
                                                ":/icons/velor580-256.png"};

} // namespace

QIcon LoadProgramIcon() {
    QIcon icon;
    for (const char* file : kIconFiles) {
        icon.addFile(QLatin1String(file));
    }
    return icon;
}
