// The window as a technician reads it: the layout at the design size, the size it takes on a
// smaller screen, the work-mode entries shown whole, the firmware path shortened in its middle
// without moving the page, the firmware file's date in the language's format, readable loop
// titles above the identifier boxes and the about box's arrow kept on one line; in Russian and
// with the shipped English library.

#include "language_scope.h"
#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "shell/about_box.h"
#include "ui/main_form.h"
#include "ui/screen_fit.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/page_control.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

#include <cstdlib>
#include <memory>

namespace {
constexpr int kLoops = 8;
constexpr int kFirmwareWorkMode = 1;
constexpr int kKeyPage = 3;
constexpr uint16_t kModel580 = 580;
constexpr uint16_t kPlatform = 7;
const QSize kDesign(800, 600);

// The window as the program opens it: created, shown, in the demo work mode.
struct Window : WindowDriver {
    Window() {
        form->FormCreate();
        form->show();
        exposed = QTest::qWaitForWindowExposed(form.get());
    }

    // The firmware work mode, as if connected to a model 580 on kPlatform.
    void FirmwareMode() {
        FirmwareModeFor(kModel580, kPlatform);
        QCoreApplication::processEvents();
    }

    void LoadFirmware(const QString& path) {
        dialogs.openAnswers.enqueue(path);
        form->LoadButtonClick();
        QCoreApplication::processEvents();
    }

    bool exposed = false;
};

// A firmware file for a device type on kPlatform, with a given modification time.
bool WriteFirmwareFile(const QString& path, uint16_t type, const QDateTime& modified) {
    QByteArray content;
    content += char(type & 0xFF);
    content += char(type >> 8);
    content += char(kPlatform & 0xFF);
    content += char(kPlatform >> 8);
    content += QByteArray("\x03\x01\x07\xA1\xA2\xA3\xA4", 7);
    content += QByteArray(64, '\x5A');
    content += QByteArray("\xEE\xEF", 2);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        return false;
    }
    file.close(); // the time is set on the complete file, after its last write
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(modified, QFileDevice::FileModificationTime);
}

// The rectangle a closed list shows its entry in, for the list as it is now.
QRect EntryField(const ComboList& list) {
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.rect = list.rect();
    option.frame = true;
    return list.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                        &list);
}
} // namespace

class TestWindowFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void designSizeKeepsItsLayout();
    void fittedWindowSize_data();
    void fittedWindowSize();
    void framePosition_data();
    void framePosition();

    void workModeEntriesShowWhole_data();
    void workModeEntriesShowWhole();
    void longFirmwarePathIsShortenedInItsMiddle();
    void firmwareDateFollowsTheLanguage();
    void loopTitlesAreReadableAboveTheirBoxes_data();
    void loopTitlesAreReadableAboveTheirBoxes();
    void aboutBoxKeepsTheArrowOnOneLine_data();
    void aboutBoxKeepsTheArrowOnOneLine();

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

void TestWindowFit::initTestCase() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(PrepareFactoryFolder(*folder_));
    LoadBuiltInCatalogue();
}

// On a screen with room for it the window is 800 x 600 with the pages' 680 x 545 at its corner and
// the status bar's 602 + 186 pixels along its bottom, and nothing scrolls; it may be made smaller.
void TestWindowFit::designSizeKeepsItsLayout() {
    Window window;
    QVERIFY(window.exposed);
    TMainForm& form = *window.form;
    QCOMPARE(form.size(), kDesign);
    QVERIFY(form.minimumWidth() < kDesign.width() && form.minimumHeight() < kDesign.height());
    QVERIFY(form.maximumWidth() >= kDesign.width() && form.maximumHeight() >= kDesign.height());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));

    QCOMPARE(window.InWindow(form.Control<PageControl>("PageControl1")), QRect(0, 0, 680, 545));
    auto* scroll = form.Control<QScrollArea>("WindowScrollBox");
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QCOMPARE(form.Control<QLabel>("MainStatusText")->width(), 602);
    const QRect gauge = window.InWindow(form.Control<QProgressBar>("Gauge1"));
    QCOMPARE(gauge.width(), 186);
    QVERIFY(gauge.right() < kDesign.width());
    QCOMPARE(window.InWindow(form.Control<QStatusBar>("MainStatusBar")).bottom(),
             kDesign.height() - 1);
}

// room: what the screen's available area leaves for the window's inside. Nothing needs to scroll
// down to 800 x 567 (the pages and the status bar); scroll bars are 15 pixels.
void TestWindowFit::fittedWindowSize_data() {
    QTest::addColumn<QSize>("room");
    QTest::addColumn<QSize>("fitted");
    QTest::newRow("large screen") << QSize(1920, 1000) << kDesign;
    QTest::newRow("exactly the design size") << kDesign << kDesign;
    QTest::newRow("lower, nothing scrolls yet") << QSize(1000, 570) << QSize(800, 570);
    // 1366 x 768 at 125 %: 1093 x 614, less a 27-pixel panel and a 38-pixel title bar.
    QTest::newRow("laptop at 125 %") << QSize(1093, 549) << QSize(815, 549);
    // 1920 x 1080 at 200 %: 960 x 540, less the title bar.
    QTest::newRow("full HD at 200 %") << QSize(960, 502) << QSize(815, 502);
    QTest::newRow("low, no room for the bar") << QSize(805, 500) << QSize(805, 500);
    QTest::newRow("narrow, room for the bar below") << QSize(700, 900) << QSize(700, 600);
    QTest::newRow("narrow and low") << QSize(640, 400) << QSize(640, 400);
}

void TestWindowFit::fittedWindowSize() {
    QFETCH(QSize, room);
    QFETCH(QSize, fitted);
    QCOMPARE(velor::window::FittedWindowSize(kDesign, QSize(800, 567), room, 15), fitted);
}

void TestWindowFit::framePosition_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("centred") << QRect(0, 0, 1000, 800) << QSize(800, 600) << QPoint(100, 100);
    QTest::newRow("below a top panel")
        << QRect(0, 27, 1093, 587) << QSize(823, 587) << QPoint(135, 27);
    QTest::newRow("larger than the area: title bar kept in sight")
        << QRect(10, 20, 700, 500) << QSize(808, 642) << QPoint(10, 20);
}

void TestWindowFit::framePosition() {
    QFETCH(QRect, available);
    QFETCH(QSize, frame);
    QFETCH(QPoint, position);
    QCOMPARE(velor::window::FramePosition(available, frame), position);
}

// Every entry of the closed list fits its field, in Russian ("Смена настроек") and in English
// ("Change firmware"): on two lines where one is too narrow. The open list is as wide as its
// widest entry.
void TestWindowFit::workModeEntriesShowWhole_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("Russian") << QString();
    QTest::newRow("English") << QStringLiteral("EN");
}

void TestWindowFit::workModeEntriesShowWhole() {
    QFETCH(QString, language);
    Window window;
    const LanguageScope scope(language);
    QVERIFY(scope.Loaded(language));
    QCoreApplication::processEvents();
    auto* modes = window.form->Control<ComboList>("WorkMode");
    const QFontMetrics metrics = modes->fontMetrics();
    const QRect field = EntryField(*modes);
    for (int item = 0; item < modes->count(); ++item) {
        modes->SetItemIndex(item);
        const QString text = modes->currentText();
        const QRect needed = metrics.boundingRect(field, Qt::TextWordWrap, text);
        QVERIFY2(needed.width() <= field.width() && needed.height() <= field.height(),
                 qPrintable(QStringLiteral("%1 needs %2 x %3 in a field of %4 x %5")
                                .arg(text)
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(field.width())
                                .arg(field.height())));
    }
    modes->showPopup();
    QAbstractItemView* list = modes->view();
    QTRY_VERIFY(list->isVisible());
    QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
    modes->hidePopup();
    // The list's group still fits the column.
    QVERIFY(window.form->Control<QWidget>("WorkModeGroupBox")->height() >=
            window.form->Control<QWidget>("WorkModeGroupBox")->sizeHint().height());
}

// The label keeps the whole path (and shows it as its tooltip) but draws it with its middle left
// out; neither the label nor the maker panel beside it moves or grows.
void TestWindowFit::longFirmwarePathIsShortenedInItsMiddle() {
    Window window;
    window.FirmwareMode();
    auto* label = window.form->Control<ElidedLabel>("FileLabel");
    auto* panel = window.form->Control<QWidget>("MakerPanel2");
    const QRect labelBefore = label->geometry();
    const QRect panelBefore = panel->geometry();

    const QString deep =
        folder_->filePath(QStringLiteral("прошивки приборов Велор/объект 17/") +
                          QStringLiteral("очень длинное имя папки с обновлениями ").repeated(3));
    QVERIFY(QDir().mkpath(deep));
    const QString path = deep + QStringLiteral("/velor580-3_1_7-final.tsk");
    QVERIFY(WriteFirmwareFile(path, kModel580, QDateTime::currentDateTime()));
    window.LoadFirmware(path);

    QCOMPARE(label->text(), QFileInfo(path).absoluteFilePath());
    QCOMPARE(label->toolTip(), label->text());
    QCOMPARE(label->geometry(), labelBefore);
    QCOMPARE(panel->geometry(), panelBefore);
    const QString shown = label->DisplayedText();
    QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
    QVERIFY2(shown.startsWith(folder_->path().left(4)), qPrintable(shown));
    QVERIFY2(shown.endsWith(QStringLiteral("final.tsk")), qPrintable(shown));
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());

    window.form->CancelButtonClick(); // a disconnect empties the page
    QCOMPARE(label->text(), QString());
    QCOMPARE(label->toolTip(), QString());
}

// The date and time of the file in the short format of the window's language, again after a
// language change; a refused file leaves no date behind, not even after a language change.
void TestWindowFit::firmwareDateFollowsTheLanguage() {
    const QString path = folder_->filePath(QStringLiteral("dated.tsk"));
    QVERIFY(WriteFirmwareFile(path, kModel580, QDateTime(QDate(2021, 3, 4), QTime(13, 47, 9))));
    Window window;
    window.FirmwareMode();
    window.LoadFirmware(path);
    auto* date = window.form->Control<QLabel>("DateLabel");
    QCOMPARE(date->text(), QStringLiteral("04.03.2021 13:47"));
    {
        const LanguageScope english(QStringLiteral("EN"));
        QVERIFY(english.Loaded(QStringLiteral("EN")));
        QCOMPARE(date->text(), QStringLiteral("04/03/2021 13:47"));
    }
    QCOMPARE(date->text(), QStringLiteral("04.03.2021 13:47"));

    const QString other = folder_->filePath(QStringLiteral("other-type.tsk"));
    QVERIFY(WriteFirmwareFile(other, kModel580 + 1, QDateTime::currentDateTime()));
    window.LoadFirmware(other);
    QCOMPARE(date->text(), QString());
    const LanguageScope english(QStringLiteral("EN"));
    QCOMPARE(date->text(), QString());
}

// The loop titles of the identifier page in the window's own font, whole, each centred over the
// column of its boxes, and none running into the next title of its row.
void TestWindowFit::loopTitlesAreReadableAboveTheirBoxes_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("Russian") << QString();
    QTest::newRow("English") << QStringLiteral("EN");
}

void TestWindowFit::loopTitlesAreReadableAboveTheirBoxes() {
    QFETCH(QString, language);
    Window window;
    const LanguageScope scope(language);
    QVERIFY(scope.Loaded(language));
    auto* pages = window.form->Control<PageControl>("PageControl1");
    pages->SetTabVisible(kKeyPage, true);
    pages->SetActivePageIndex(kKeyPage);
    QCoreApplication::processEvents();
    const QFont windowFont = window.form->font();
    for (const auto& [title, box] : {std::pair{"shvzlb", "shvz1"}, std::pair{"shsnlb", "shsn1"}}) {
        QList<QRect> inks; // each title's text, centred in its label, in global coordinates
        for (int loop = 1; loop <= kLoops; ++loop) {
            auto* label = window.form->Control<QLabel>(title + QString::number(loop));
            auto* check = window.form->Control<QCheckBox>(box + QString::number(loop));
            const QString name = label->objectName() + QStringLiteral(" ") + label->text();
            QVERIFY2(label->font().pointSizeF() >= windowFont.pointSizeF(), qPrintable(name));
            const QFontMetrics metrics = label->fontMetrics();
            QVERIFY2(label->height() >= metrics.height(), qPrintable(name));
            QRect ink = metrics.tightBoundingRect(label->text());
            QVERIFY2(ink.width() <= label->width(), qPrintable(name));
            const QPoint centre = label->mapToGlobal(label->rect().center());
            const int boxCentre = check->mapToGlobal(check->rect().center()).x();
            QVERIFY2(std::abs(centre.x() - boxCentre) <= 2, qPrintable(name));
            ink.moveCenter(centre);
            for (const QRect& other : inks) {
                QVERIFY2(!ink.adjusted(-2, 0, 2, 0).intersects(other), qPrintable(name));
            }
            inks << ink;
        }
    }
}

// The hint's "-->" is laid out on one line at the box's width, as the label lays out its text, and
// beside the word before it.
void TestWindowFit::aboutBoxKeepsTheArrowOnOneLine_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("Russian") << QString();
    QTest::newRow("English") << QStringLiteral("EN");
}

void TestWindowFit::aboutBoxKeepsTheArrowOnOneLine() {
    QFETCH(QString, language);
    const LanguageScope scope(language);
    QVERIFY(scope.Loaded(language));
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* comments = box.findChild<QLabel*>(QStringLiteral("Comments"));
    const QString text = comments->text();
    const int arrowHead = text.lastIndexOf(QLatin1Char('>'));
    int arrowTail = arrowHead;
    while (arrowTail > 0 &&
           (text[arrowTail - 1] == QLatin1Char('-') || text[arrowTail - 1] == QChar(0x2060))) {
        --arrowTail;
    }
    QVERIFY2(text.mid(arrowTail, arrowHead - arrowTail).count(QLatin1Char('-')) == 2,
             qPrintable(text));

    QTextLayout layout(text, comments->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(comments->contentsRect().width());
    }
    layout.endLayout();
    QVERIFY(layout.lineCount() > 1); // the hint does wrap at this width
    const int line = layout.lineForTextPosition(arrowHead).lineNumber();
    QCOMPARE(layout.lineForTextPosition(arrowTail).lineNumber(), line);
    // Nor is the arrow left alone at the start of a line: the word before it goes with it.
    int spaceBefore = arrowTail - 1;
    while (spaceBefore > 0 && !text[spaceBefore].isSpace()) {
        --spaceBefore;
    }
    QVERIFY2(layout.lineAt(line).textStart() < spaceBefore,
             qPrintable(text.mid(layout.lineAt(line).textStart())));
}

QTEST_MAIN(TestWindowFit)
#include "tst_window_fit.moc"
