#pragma once

#include <QString>

// Why a file could not be saved at path, found before any work is done: its folder is missing,
// is no folder or cannot be written to, the path names a folder, or an existing file there cannot
// be written. Empty when nothing stands in the way (the save itself still checks every step).
QString OutputFileProblem(const QString& path);
