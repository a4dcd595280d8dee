#include "book/book_records.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<VisitAction, const char*>, 4> kActionWords{{
    {VisitAction::Read, "read"},
    {VisitAction::Write, "write"},
    {VisitAction::Firmware, "firmware"},
    {VisitAction::Attach, "attach"},
}};

} // namespace

QString VisitActionWord(VisitAction action) {
    for (const auto& [value, word] : kActionWords) {
        if (value == action) {
            return QLatin1String(word);
        }
    }
    return {};
}

std::optional<VisitAction> VisitActionOfWord(const QString& word) {
    for (const auto& [value, name] : kActionWords) {
        if (word == QLatin1String(name)) {
            return value;
        }
    }
    return std::nullopt;
}
