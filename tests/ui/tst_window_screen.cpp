// The window on a screen smaller than its design, on the offscreen platform given a screen:
// VELOR_TEST_SCREEN=<width>x<height>@<scale> (1366x768@1.25 when unset) sets the screen's
// physical size and Qt's scale factor, and the platform reports no window frame, as an X11
// desktop does before its window manager has framed the window. The window must fit with its
// title bar, keep its status bar in sight, scroll its pages and be resizable down to the screen.

#include "offscreen_screen.h"
#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "ui/main_form.h"
#include "ui/screen_fit.h"
#include "ui/widgets/page_control.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
const QSize kDesign(800, 600);

struct Window : WindowDriver {
    Window() {
        form->FormCreate();
        form->show();
        form->activateWindow();
        exposed = QTest::qWaitForWindowActive(form.get());
    }

    // Whether the control is wholly inside the part of the pages the scroll area shows.
    bool InView(const QWidget* control) const {
        const QWidget* viewport = form->Control<QScrollArea>("WindowScrollBox")->viewport();
        return viewport->rect().contains(
            QRect(control->mapTo(viewport, QPoint(0, 0)), control->size()));
    }

    bool exposed = false;
};
} // namespace

class TestWindowScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void windowFitsWithItsTitleBar();
    void pagesScrollToEveryControl();
    void windowResizesDownToTheScreen();

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

void TestWindowScreen::initTestCase() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(PrepareFactoryFolder(*folder_));
    LoadBuiltInCatalogue();
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    qInfo("screen %dx%d (scale %.2f)", screen.width(), screen.height(),
          QGuiApplication::primaryScreen()->devicePixelRatio());
    // The case is one where the design size with a title bar does not fit.
    QVERIFY(screen.height() < kDesign.height() + velor::window::kFrameAllowance.top());
}

// The window's frame (placed at its position, with the title bar the window manager will add) is
// on the screen; the title, the tab row and the status bar show; the pages scroll only upright.
void TestWindowScreen::windowFitsWithItsTitleBar() {
    Window window;
    QVERIFY(window.exposed);
    TMainForm& form = *window.form;
    const QRect available = form.screen()->availableGeometry();
    const QMargins allowance = velor::window::kFrameAllowance;
    const QRect frame(form.pos(),
                      form.size().grownBy(QMargins(0, allowance.top(), 0, allowance.bottom())));
    QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(frame.x())
                                                       .arg(frame.y())
                                                       .arg(frame.width())
                                                       .arg(frame.height())));
    QVERIFY(form.width() >= kDesign.width());
    QVERIFY(form.rect().contains(window.InWindow(form.Control<QStatusBar>("MainStatusBar"))));
    auto* pages = form.Control<PageControl>("PageControl1");
    QVERIFY(window.InView(pages->tabBar()));
    auto* scroll = form.Control<QScrollArea>("WindowScrollBox");
    QVERIFY(window.InView(pages) || scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
}

// The pages scroll to their bottom; Tab to a command button below the fold brings it into view.
void TestWindowScreen::pagesScrollToEveryControl() {
    Window window;
    QVERIFY(window.exposed);
    TMainForm& form = *window.form;
    auto* pages = form.Control<PageControl>("PageControl1");
    QScrollBar* bar = form.Control<QScrollArea>("WindowScrollBox")->verticalScrollBar();
    bar->setValue(bar->maximum());
    QCoreApplication::processEvents();
    const QWidget* viewport = form.Control<QScrollArea>("WindowScrollBox")->viewport();
    QVERIFY(viewport->rect().contains(pages->mapTo(viewport, QPoint(0, pages->height() - 1))));
    bar->setValue(0);
    QCoreApplication::processEvents();

    auto* last = form.Control<QPushButton>("BitBtn_SelectLang");
    form.FindControl(QStringLiteral("HelpBitBtn"))->setFocus(Qt::TabFocusReason);
    for (int step = 0; step < 5 && !last->hasFocus(); ++step) {
        QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
    }
    QVERIFY(last->hasFocus());
    QVERIFY(window.InView(last));
}

// The technician can make the window smaller than the screen; the status bar stays in sight.
void TestWindowScreen::windowResizesDownToTheScreen() {
    Window window;
    TMainForm& form = *window.form;
    const QSize available = form.screen()->availableGeometry().size();
    QVERIFY(form.minimumWidth() <= available.width());
    QVERIFY(form.minimumHeight() <= available.height() - velor::window::kFrameAllowance.top());
    form.resize(form.minimumSize());
    QCoreApplication::processEvents();
    QCOMPARE(form.size(), form.minimumSize());
    QVERIFY(form.rect().contains(window.InWindow(form.Control<QStatusBar>("MainStatusBar"))));
    QVERIFY(form.Control<QStatusBar>("MainStatusBar")->isVisible());
}

// The offscreen platform's screen, from VELOR_TEST_SCREEN, before the application exists.
int main(int argc, char** argv) {
    const QString screen =
        qEnvironmentVariable("VELOR_TEST_SCREEN", QStringLiteral("1366x768@1.25"));
    const QString config = QDir::temp().filePath(
        QStringLiteral("velor580-screen-%1.json").arg(QCoreApplication::applicationPid()));
    if (!UseOffscreenScreen(screen, config)) {
        qCritical("VELOR_TEST_SCREEN must read <width>x<height>@<scale>, not %s (or %s cannot be "
                  "written)",
                  qPrintable(screen), qPrintable(config));
        return 2;
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        TestWindowScreen test;
        QTEST_SET_MAIN_SOURCE_PATH
        result = QTest::qExec(&test, argc, argv);
    }
    QFile::remove(config);
    return result;
}

#include "tst_window_screen.moc"
