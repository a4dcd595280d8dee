#pragma once

#include "settings/settings_image.h"
#include "settings/str_to_int.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Configuration files (*.cfg, also the factory defaults): one settings image as 257 decimal
// lines, byte 0 first, each ended by CR LF. Every failure throws std::runtime_error with the
// user-visible text named below.

// The 257 lines of an image, without line ends.
QStringList CfgLines(const SettingsImage& image);

// "Не удалось создать файл "<full path>". <reason>": how a save that failed is reported.
QString CreateFileErrorText(const QString& path, const QString& reason);

// The file content: the 257 lines, CR LF after each, nothing else.
QByteArray CfgText(const SettingsImage& image);

// Writes the file through a temporary file that is written, checked and synced before it is
// renamed over the target, so a failed save (a full disk included) leaves an existing file as it
// was. A symbolic link is followed to its target; a target that is not a regular file is refused.
// Error: Не удалось создать файл "<full path>". <system reason>
void SaveCfgFile(const QString& path, const SettingsImage& image);

// Splits a file's bytes into lines. A UTF-8 or UTF-16 (LE or BE) byte-order mark selects that
// encoding, otherwise UTF-8 is used; lines end with CR LF, LF or CR, and a line end at the very
// end opens no further line.
QStringList DecodeCfgText(const QByteArray& content);

// Reads a file's lines. Only a regular file of at most 64 KiB is read; anything else (a folder, a
// FIFO, a device node, a larger file) is refused before it is read.
// Error: Не удалось открыть файл "<full path>". <system reason, or why the file is refused>
QStringList ReadCfgLines(const QString& path);

// Converts the first 257 lines (further lines are ignored) with StrToInt, keeping the low
// 8 bits of each number (300 gives 44, -1 gives 255). Errors name the file when fileName is
// given: too few lines give how many the file has and how many a settings file has; a line that
// is no number gives the conversion error for the line's first 40 characters (control
// characters as \xNN), followed by the file's name and the line's number.
SettingsImage ImageFromCfgLines(const QStringList& lines, const QString& fileName = QString());

// ReadCfgLines then ImageFromCfgLines.
SettingsImage LoadCfgFile(const QString& path);
