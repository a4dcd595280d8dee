#pragma once

#include "settings/settings_controls.h"
#include "settings/settings_image.h"

#include <QString>

#include <cstdint>

// Encoding the window's settings controls into a settings image and decoding an image back into
// them. Neither keeps state between calls: the controls are the only store of the settings.

// Reads every settings control into a fresh image (all bytes zero first) and writes the trace
// lines of the identifier records and the section offsets. Rows whose code text is not empty are
// stored, packed in row order. A code character that is no hexadecimal digit throws
// InvalidIntegerError with that character; the trace lines written before stay.
SettingsImage EncodeSettings(SettingsControls& controls);

// Sets every settings control from the image, in an order that lets the image's values win over
// what the page rules adjust on the way: loop types are set with their rule detached and the rule
// is then run for every loop before the loop options are set; work modes are set without their
// preset. The key page ends up showing exactly the image's keys: rows beyond the count
// are emptied and every arm and disarm box not set by a record is cleared. At most 28 records are
// read, whatever byte 0 holds.
void DecodeSettings(SettingsControls& controls, const SettingsImage& image);

// Hexadecimal text of up to two digits to a byte: "" gives 0, "A" 10, "0a" 10, "FF" 255. A
// character that is no hexadecimal digit (of either case) throws InvalidIntegerError with it.
uint8_t HexPairToByte(const QString& pair);

// A byte as two upper-case hexadecimal digits: 5 gives "05", 10 gives "0A".
QString ByteToHexPair(uint8_t value);
