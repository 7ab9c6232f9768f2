#include "reports/report_placement.h"

#include <QTest>

class TestReportPlacement final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void position_data();
    void position();
};

void TestReportPlacement::position_data() {
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<int>("toolbarBottom");
    QTest::addColumn<QSize>("own");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1920, 1040);
    QTest::newRow("under the toolbar, centred")
        << QRect(100, 50, 490, 437) << 130 << QSize(480, 400) << screen << QPoint(105, 130);
    QTest::newRow("wider than the main window")
        << QRect(300, 50, 300, 300) << 130 << QSize(480, 400) << screen << QPoint(210, 130);
    QTest::newRow("past the right edge") << QRect(1700, 50, 490, 437) << 130 << QSize(480, 400) << screen
                                         << QPoint(1440, 130);
    QTest::newRow("past the left edge") << QRect(-300, 50, 490, 437) << 130 << QSize(480, 400) << screen
                                        << QPoint(0, 130);
    QTest::newRow("past the bottom") << QRect(100, 800, 490, 437) << 880 << QSize(480, 400) << screen
                                     << QPoint(105, 640);
    QTest::newRow("larger than the screen")
        << QRect(100, 50, 490, 437) << 130 << QSize(2400, 1200) << screen << QPoint(0, 0);
    QTest::newRow("on a second screen") << QRect(2200, 100, 490, 437) << 180 << QSize(480, 400)
                                        << QRect(1920, 0, 1280, 1024) << QPoint(2205, 180);
    QTest::newRow("no screen known") << QRect(1700, 50, 490, 437) << 130 << QSize(480, 400) << QRect()
                                     << QPoint(1705, 130);
}

void TestReportPlacement::position() {
    QFETCH(QRect, mainFrame);
    QFETCH(int, toolbarBottom);
    QFETCH(QSize, own);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(reportPosition(mainFrame, toolbarBottom, own, available), expected);
}

QTEST_GUILESS_MAIN(TestReportPlacement)
#include "tst_reports_placement.moc"
