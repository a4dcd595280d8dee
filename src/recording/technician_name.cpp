#include "recording/technician_name.h"

#include "catalogue/program_ini.h"

#include <pwd.h>
#include <unistd.h>

namespace velor {

QString LoginName() {
    if (const passwd* account = ::getpwuid(::geteuid()); account != nullptr) {
        return QString::fromLocal8Bit(account->pw_name);
    }
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QStringLiteral("?") : user;
}

QString TechnicianName(const QString& given, const QString& programPath) {
    if (!given.trimmed().isEmpty()) {
        return given.trimmed();
    }
    if (const QString variable = qEnvironmentVariable(kTechnicianVariable).trimmed();
        !variable.isEmpty()) {
        return variable;
    }
    if (!programPath.isEmpty()) {
        if (const QString ini = ReadTechnicianName(programPath); !ini.isEmpty()) {
            return ini;
        }
    }
    return LoginName();
}

} // namespace velor
