#pragma once

#include "settings/settings_diff.h"

#include <QStringList>

#include <vector>

class QTableWidget;
class QWidget;

// The read-only table of changed fields the review before a write and the since-last-visit list
// show: a row per change (field, value before, value after) under the three column titles given.
QTableWidget* FieldChangeTable(const std::vector<velor::settings::FieldChange>& changes,
                               const QStringList& titles, QWidget* parent);
