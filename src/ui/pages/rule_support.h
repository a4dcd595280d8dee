#pragma once

#include "settings/field_rules.h"

#include <QString>

#include <cstdint>
#include <optional>

class DialogService;
class QLineEdit;
class UpDown;

// What the page rules share: the numeric fields' digit filter and values, the bounds in a range
// message, the exit rule of an empty field.
namespace velor::rules {

using velor::settings::ForSecurityLoopsOnly;
using velor::settings::RearmTimeAbove;
using velor::settings::RoundUpToStep;

// A value no numeric field accepts: what a digit string too long for a 32-bit integer counts as.
constexpr int64_t kBeyondAnyRange = int64_t{1} << 32;

// The decimal digits of text, in their order.
QString DigitsOnly(const QString& text);

// The value of a digit string; one too long for a 32-bit integer gives kBeyondAnyRange, so it
// fails every range check instead of a conversion.
int64_t DigitValue(const QString& digits);

// First step of every numeric change rule. Removes the non-digits of the edit's text; when
// that changed the text, the new text has already run the edit's change rule, so the caller
// stops (nullopt). An empty text gives nullopt as well; otherwise the value.
std::optional<int64_t> FilteredValue(QLineEdit& edit);

// The number a field holds for a rule that reads it; an empty field gives its spinner's last
// valid position.
int64_t FieldValue(const UpDown& spinner);

// A catalogue text with its two "%s" filled with the bounds, lower bound first.
QString WithBounds(int messageId, int lower, int upper);

// Reports a value outside the spinner's range (message messageId with the spinner's bounds) and
// puts the minimum in its edit.
void ReplaceOutOfRange(DialogService& dialogs, UpDown& spinner, int messageId);

// Leaving a numeric field empty: the field keeps the focus and the error box asks for a value.
void EmptyFieldExit(DialogService& dialogs, QLineEdit& edit);

} // namespace velor::rules
