#pragma once

#include <QString>

// Times the visit report of the longest settings (all 28 keys, every field changed from the
// factory settings in factoryFile): building its HTML, and laying it out and painting it as a PDF
// file in memory. Prints the median of runs for each and the PDF's page count; returns false
// (with a message) when no PDF came out.
bool RunReportTimings(const QString& factoryFile, int runs);
