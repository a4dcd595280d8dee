#include "settings/settings_text.h"

#include "settings/settings_fields.h"

#include <algorithm>
#include <vector>

namespace velor::settings {
namespace {

constexpr int kIndent = 2;        // fields under their page's title
constexpr int kNameGap = 2;       // blanks between the longest name and the values
constexpr int kWidestColumn = 60; // a longer name pushes only its own value to the right

QString PageText(SettingsPage page, const std::vector<SettingsField>& fields) {
    int width = 0;
    for (const SettingsField& field : fields) {
        if (field.page == page) {
            width = std::max(width, static_cast<int>(field.name.size()));
        }
    }
    width = std::min(width, kWidestColumn) + kNameGap;
    QString text = PageTitle(page) + QLatin1Char('\n');
    for (const SettingsField& field : fields) {
        if (field.page == page) {
            text += QString(kIndent, QLatin1Char(' ')) + field.name.leftJustified(width) +
                    field.value + QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace

QString SettingsPagesText(const SettingsImage& image) {
    const std::vector<SettingsField> fields = DescribeSettings(image);
    QString text;
    for (const SettingsPage page : kSettingsPages) {
        if (!text.isEmpty()) {
            text += QLatin1Char('\n');
        }
        text += PageText(page, fields);
    }
    return text;
}

} // namespace velor::settings
