#include "reports/report_builder.h"
#include "reports/reports_window.h"
#include "store/data_folder.h"
#include "store/log_file.h"

#include "scripted.h"

#include <ctime>
#include <functional>
#include <memory>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

// The main window's on-top mode as its Window menu drives it: the toggle switches the mode off when it is on,
// and on, wanting it from then on, when it is off.
struct OnTopModel {
    bool wanted = false;
    bool onTop = false;
    QList<bool> changes; // every state the toggle went to

    void toggle() {
        if (onTop) {
            onTop = false;
        } else {
            onTop = true;
            wanted = true;
        }
        changes.append(onTop);
    }
    // "Always ontop" in the Window menu.
    void choose() {
        wanted = !wanted;
        toggle();
    }
    OnTopMode mode() {
        return {[this] { return wanted; }, [this] { return onTop; }, [this] { toggle(); }};
    }
};

const QLocale British(QLocale::English, QLocale::UnitedKingdom);

} // namespace

class TestReportsWindow final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void showsTheReportUntilEscape();
    void onTopAroundTheReport_data();
    void onTopAroundTheReport();
    void onTopChangedWhileShown_data();
    void onTopChangedWhileShown();
    void secondCommandRefreshesTheOpenReport();
    void waitsWithoutSpinning();

private:
    ReportRequest request() const;
    QList<ReportsWindow*> reportWindows() const { return m_main->findChildren<ReportsWindow*>(); }
    // Runs the Reports command; `whileShown` runs once the report is up, then Escape closes the report.
    void runReport(const std::function<void(ReportsWindow*)>& whileShown);
    static void pressEscape(ReportsWindow* window);

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<QWidget> m_main;
    OnTopModel m_onTop;
};

void TestReportsWindow::init() {
    m_program = std::make_unique<TestProgram>();
    m_program->writeData(QStringLiteral("db.db"), "Visa|01/10/2002|12.00|A1\r\n"
                                                  "Bank|05/10/2002|250.00|B1\r\n");
    m_main = std::make_unique<QWidget>();
    m_main->setObjectName(QStringLiteral("mainfrm"));
    m_onTop = {};
}

void TestReportsWindow::cleanup() {
    m_main.reset();
    m_program.reset();
}

ReportRequest TestReportsWindow::request() const {
    ReportRequest request;
    request.logPath = ProgramFiles(m_program->folder()).paymentLog();
    request.mainFrame = QRect(100, 60, 490, 437);
    request.toolbarBottom = 140;
    request.locale = British;
    return request;
}

void TestReportsWindow::pressEscape(ReportsWindow* window) {
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        window->close(); // the key cannot reach it; still end the command
    else
        QTest::keyClick(window->txtreprt, Qt::Key_Escape);
}

void TestReportsWindow::runReport(const std::function<void(ReportsWindow*)>& whileShown) {
    int shown = 0;
    QTimer::singleShot(0, m_main.get(), [&] {
        const auto windows = reportWindows();
        shown = int(windows.size());
        if (windows.isEmpty())
            return;
        whileShown(windows.first());
        pressEscape(windows.first());
    });
    // A report that stays open fails the test instead of hanging it.
    bool stuck = false;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, m_main.get(), [&] {
        stuck = true;
        for (ReportsWindow* window : reportWindows())
            window->close();
    });
    guard.start(10000);

    showReport(m_main.get(), request(), m_onTop.mode());
    QCOMPARE(shown, 1);
    QVERIFY2(!stuck, "Escape did not end the Reports command");
    // The command ends with its window gone.
    QVERIFY(reportWindows().isEmpty());
}

void TestReportsWindow::showsTheReportUntilEscape() {
    bool visible = false;
    QString title;
    QString text;
    bool readOnly = false;
    QFont font;
    QPoint position;
    runReport([&](ReportsWindow* window) {
        visible = window->isVisible() && window->isWindow();
        title = window->windowTitle();
        text = window->txtreprt->toPlainText();
        readOnly = window->txtreprt->isReadOnly();
        font = window->txtreprt->font();
        position = window->frameGeometry().topLeft();
    });
    QVERIFY(visible);
    QCOMPARE(title, QStringLiteral("Reports"));
    QVERIFY(readOnly);
    QCOMPARE(text, BuildReport(request().logPath, QString(), British).replace("\r\n", "\n"));
    QVERIFY(text.startsWith("DataBase contains 2 entries\n"));
    QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(font.styleHint(), QFont::Serif);
    // Under the toolbar, centred on the main window's 490 pixels.
    QCOMPARE(position, QPoint(100 + 245 - 260, 140));
}

void TestReportsWindow::onTopAroundTheReport_data() {
    QTest::addColumn<int>("menuChoices"); // "Always ontop" chosen before the report
    QTest::addColumn<QList<bool>>("changes");
    QTest::addColumn<bool>("onTopAfter");
    QTest::newRow("on: dropped, then restored") << 1 << QList<bool>{false, true} << true;
    QTest::newRow("off: left alone") << 0 << QList<bool>{} << false;
    QTest::newRow("switched on and off again: never on top") << 2 << QList<bool>{} << false;
}

void TestReportsWindow::onTopAroundTheReport() {
    QFETCH(int, menuChoices);
    QFETCH(QList<bool>, changes);
    QFETCH(bool, onTopAfter);
    for (int i = 0; i < menuChoices; ++i)
        m_onTop.choose();
    const bool wanted = m_onTop.wanted;
    m_onTop.changes.clear();

    bool onTopWhileShown = true;
    runReport([&](ReportsWindow*) { onTopWhileShown = m_onTop.onTop; });
    QVERIFY(!onTopWhileShown);
    QCOMPARE(m_onTop.changes, changes);
    QCOMPARE(m_onTop.onTop, onTopAfter);
    QCOMPARE(m_onTop.wanted, wanted);
}

void TestReportsWindow::onTopChangedWhileShown_data() {
    QTest::addColumn<int>("before"); // "Always ontop" chosen before the report
    QTest::addColumn<int>("during"); // and while it is shown
    QTest::addColumn<bool>("onTopAfter");
    QTest::newRow("was on, chosen on again") << 1 << 1 << true;
    QTest::newRow("was off, switched on") << 0 << 1 << true;
    QTest::newRow("was on, switched on and off") << 1 << 2 << false;
}

void TestReportsWindow::onTopChangedWhileShown() {
    QFETCH(int, before);
    QFETCH(int, during);
    QFETCH(bool, onTopAfter);
    for (int i = 0; i < before; ++i)
        m_onTop.choose();
    runReport([&](ReportsWindow*) {
        for (int i = 0; i < during; ++i)
            m_onTop.choose();
    });
    // The mode ends as the user last left it, and the check mark tells the truth about it.
    QCOMPARE(m_onTop.onTop, onTopAfter);
    QCOMPARE(m_onTop.wanted, onTopAfter);
}

void TestReportsWindow::secondCommandRefreshesTheOpenReport() {
    m_onTop.choose();
    m_onTop.changes.clear();
    QList<bool> changesWhileShown;
    int windows = 0;
    QString text;
    runReport([&](ReportsWindow* window) {
        QVERIFY(appendToFile(request().logPath, "Gas|07/10/2002|40.00|G1\r\n"));
        showReport(m_main.get(), request(), m_onTop.mode());
        changesWhileShown = m_onTop.changes;
        windows = int(reportWindows().size());
        text = window->txtreprt->toPlainText();
    });
    QCOMPARE(windows, 1);
    QVERIFY2(text.startsWith("DataBase contains 3 entries\n"), qPrintable(text));
    // The second command neither drops nor restores the mode: the first one does both.
    QCOMPARE(changesWhileShown, QList<bool>{false});
    QCOMPARE(m_onTop.changes, (QList<bool>{false, true}));
}

void TestReportsWindow::waitsWithoutSpinning() {
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, m_main.get(), [&] { ++ticks; });
    ticker.start(20);

    QElapsedTimer wall;
    std::clock_t cpuStart = 0;
    qint64 wallMs = 0;
    double cpuMs = 0;
    QTimer::singleShot(400, m_main.get(), [&] {
        cpuMs = double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
        wallMs = wall.elapsed();
        for (ReportsWindow* window : reportWindows())
            pressEscape(window);
    });
    wall.start();
    cpuStart = std::clock();
    showReport(m_main.get(), request(), m_onTop.mode());

    QVERIFY(wallMs >= 400);
    // The main window's timer runs during the wait, and the wait itself costs no processor time.
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    QVERIFY2(cpuMs < wallMs / 2.0, qPrintable(QStringLiteral("%1 ms busy in %2 ms").arg(cpuMs).arg(wallMs)));
}

QTEST_MAIN(TestReportsWindow)
#include "tst_reports_window.moc"
