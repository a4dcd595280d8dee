#pragma once

#include <QString>

// Times the settings codec on the main window built offscreen: decoding an image into the
// window's controls (their page rules running) and encoding them back, for the factory image and
// for an image with all 28 keys. The window is built in a fresh current folder holding the factory
// defaults from factoryFile. Prints one line per image and direction with the median of runs;
// returns false (with a message) when the window cannot be built.
bool RunCodecTimings(const QString& factoryFile, int runs);
