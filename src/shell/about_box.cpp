#include "shell/about_box.h"

#include "shell/program_icon.h"
#include "version/program_version.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSize = 48;
constexpr int kBoxWidth = 360;
// Between two characters, forbids a line break there without showing anything.
constexpr QChar kWordJoiner(0x2060);
constexpr QChar kNoBreakSpace(0x00A0);

// The text with every arrow ("-->", "<--") kept on one line and beside the word before it: word
// wrap may otherwise break it after a hyphen, or leave it alone on a line. Both marks look like
// what they replace: a word joiner is not seen, a no-break space is a space.
QString WithArrowsWhole(const QString& text) {
    const auto isArrowPart = [&text](int i) {
        return i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('>') ||
                                   text[i] == QLatin1Char('<'));
    };
    QString joined;
    for (int i = 0; i < text.size(); ++i) {
        const bool beforeArrow =
            text[i] == QLatin1Char(' ') && isArrowPart(i + 1) && isArrowPart(i + 2);
        joined += beforeArrow ? kNoBreakSpace : text[i];
        if (isArrowPart(i) && isArrowPart(i + 1)) {
            joined += kWordJoiner;
        }
    }
    return joined;
}

QLabel* AddLabel(QWidget* parent, QLayout* layout, const char* name, bool wrap) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText); // "<Режим работы>" is text, not a tag
    label->setWordWrap(wrap);
    layout->addWidget(label);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QHBoxLayout(panel);
    ProgramIcon = AddLabel(panel, panelLayout, "ProgramIcon", false);
    ProgramIcon->setPixmap(LoadProgramIcon().pixmap(kPictureSize, kPictureSize));
    ProgramIcon->setAlignment(Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    panelLayout->addLayout(texts, 1);
    ProductName = AddLabel(panel, texts, "ProductName", true);
    Version = AddLabel(panel, texts, "Version", false);
    Comments = AddLabel(panel, texts, "Comments", true);

    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    setFixedWidth(kBoxWidth);
    Retranslate();
}

void TAboutBox::OKButtonClick() {
    accept();
}

void TAboutBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QDialog::changeEvent(event);
}

void TAboutBox::Retranslate() {
    setWindowTitle(tr("О программе"));
    ProductName->setText(tr("Программа настройки прибора 580 в автономном режиме"));
    Version->setText(tr("Версия %1").arg(QLatin1String(velor::kProgramVersion)));
    Comments->setText(WithArrowsWhole(tr(
        "Для начала работы с программой выберите в меню <Режим работы> нужный (меню справа -->)")));
    OKButton->setText(tr("OK"));
}
