#pragma once

#include <QString>

// The technician's name visits are recorded under, the first of: the name given (the command
// line's --technician), VELOR580_TECHNICIAN, [SiteBook] Technician in the program's INI file,
// the login name.
namespace velor {

inline constexpr char kTechnicianVariable[] = "VELOR580_TECHNICIAN";

QString TechnicianName(const QString& given, const QString& programPath);

// The account's login name; "?" when the system names none.
QString LoginName();

} // namespace velor
