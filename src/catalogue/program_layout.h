#pragma once

#include "catalogue/program_files.h"

#include <QString>

// Where the program finds what it ships and keeps what it writes.
//
// Runtime folder (a build's bin/, a copied folder): the factory defaults, the INI template, the
// language libraries and help/ lie beside the program, and so do its INI file and "Base/".
// Installed (bin/ and share/velor580/ under one prefix, found relative to the program so that
// the tree is relocatable): the shipped data are in share/velor580/ and the program writes
// nothing there; its INI file lives in the user's configuration folder, seeded from the shipped
// template, and "Base/" in the user's data folder. A runtime folder the user cannot write keeps
// its state with the user the same way; so does the settings history ("history/").
namespace velor {

// The factory-defaults file: read by the window at start-up; its presence beside the program
// marks a runtime folder.
inline constexpr char kFactoryDefaultsFile[] = "580default.cfg";

// The firmware folder's name; the firmware load's file dialog starts there.
inline constexpr char kFirmwareFolderName[] = "Base";

// The settings history's folder name: the device's settings as they were before each write.
inline constexpr char kHistoryFolderName[] = "history";

// The site book's file name, beside the settings history.
inline constexpr char kSiteBookFileName[] = "sites.sqlite";

// The folder of the shipped data: the program's own folder, or ../share/velor580 relative to it
// when the program runs installed.
QString DataFolder(const QString& programPath = RunningProgramPath());

// True when the shipped data are in ../share/velor580 rather than beside the program.
bool RunsInstalled(const QString& programPath = RunningProgramPath());

// True when the INI file and "Base/" live in the user's folders: installed, or the program's
// (existing) folder is not writable.
bool KeepsStateWithUser(const QString& programPath = RunningProgramPath());

// "<user configuration folder>/velor580/<name>.INI".
QString UserIniPath(const QString& programPath = RunningProgramPath());

// The shipped INI file the user's one starts from: "<data folder>/<name>.INI".
QString IniTemplatePath(const QString& programPath = RunningProgramPath());

// The firmware folder: "Base" (relative to the current folder, the program's) in a writable
// runtime folder, "<user data folder>/velor580/Base" otherwise.
QString FirmwareFolder(const QString& programPath = RunningProgramPath());

// The settings history: "<program folder>/history" in a writable runtime folder,
// "<user data folder>/velor580/history" otherwise. Always absolute, unlike FirmwareFolder():
// the command-line tool does not make the program's folder the current one.
QString HistoryFolder(const QString& programPath = RunningProgramPath());

// The site book: "sites.sqlite" in the folder that holds the settings history.
QString SiteBookPath(const QString& programPath = RunningProgramPath());

// The user's documents folder, or the home folder where there is none: where file dialogs start
// and reports are suggested when the program's own folder is no place for the user's files.
QString DocumentsFolder();

// When the state lives with the user: creates the user's INI file from the template on the first
// start, and later adds only the sections and keys it lacks (a newer template's), keeping every
// value the technician set. A file that is no text (binary junk) is not read as INI: it is kept
// as "<file>.damaged-<yyyyMMdd-HHmmss>", its name given in damagedKeptAs, and a fresh file is
// made from the template. Returns false when the file could not be written (a damaged file that
// cannot be moved aside stays as it is); true otherwise, and always in a runtime folder that
// keeps its own INI file.
bool PrepareUserIni(const QString& programPath = RunningProgramPath(),
                    QString* damagedKeptAs = nullptr);

} // namespace velor
