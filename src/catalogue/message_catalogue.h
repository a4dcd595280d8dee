#pragma once

#include <QString>

#include <initializer_list>

// The process-wide message catalogue: 1000 entries, entry k holding message id 10001 + k.
// An id that was never loaded (or lies outside the catalogue) reads as the empty text.
namespace velor {

constexpr int kFirstMessageId = 10001;
constexpr int kCatalogueSize = 1000;
constexpr int kBuiltInMessageCount = 59; // ids 10001 to 10059
constexpr int kMaxMessageLength = 509;   // longer texts are cut to this many characters

QString MessageText(int id);
// The text of id with its "%s" placeholders filled by arguments, in order: a placeholder without
// an argument stays, an argument without a placeholder is left out.
QString MessageText(int id, std::initializer_list<QString> arguments);
void SetMessageText(int id, const QString& text);
void ClearMessageCatalogue();

// The program's own (Russian) text of a built-in id, or empty outside 10001..10059.
QString BuiltInMessageText(int id);

// Puts the program's own texts into the catalogue, ids 10001..10059; the other entries keep what
// they hold.
void LoadBuiltInCatalogue();

} // namespace velor
