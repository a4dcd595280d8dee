#pragma once

#include <QByteArray>
#include <QString>

// File names as the system holds them (bytes) and as the program holds them (text), without
// loss. A name is usually UTF-8; a byte that is not part of valid UTF-8 (a name made under
// another encoding) becomes the lone code unit U+DC80 + (byte − 0x80) in the text and turns back
// into that byte on the way out, so every existing file opens and every folder given is the one
// used. Qt's own conversion (QFile::decodeName) replaces such bytes with U+FFFD and loses them.
namespace velor {

// The text of a name from the command line, the environment or a folder listing.
QString PathFromNative(const QByteArray& native);

// The bytes of a name for the system's file calls.
QByteArray NativePath(const QString& path);

// A raw byte a name held that is no UTF-8 (0x80–0xFF), or -1 for any other code unit: how text
// output shows such a byte (as \xNN).
int EscapedNameByte(QChar unit);

} // namespace velor
