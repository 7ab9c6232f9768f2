#include "app/caption_label.h"
#include "app/detail_captions.h"
#include "app/entry_area.h"
#include "app/grid_area.h"
#include "app/main_window.h"
#include "platform/clipboard.h"
#include "prefs/preferences.h"

#include "scripted.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

// Removing, sorting and copying records, and the detail captions, driven through the real window.
class TestGridArea final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void removeNeedsTheGrid();
    void removeRow_data();
    void removeRow();
    void removeWithDeleteDisabled();
    void removalThatCannotBeWrittenIsUndone();
    void removeKeepsUnreadLines();
    void sortAlternatesPerColumn();
    void sortKeepsRowCountAndMovesEmptyRowsDown();
    void copyCurrentCell();
    void captionCopies_data();
    void captionCopies();
    void hoverMarking();
    void dateCaptionOpensOnlyWebAddresses();

private:
    MainWindow& window();
    void focusGridAt(int row, int column);
    QStringList column(int c) const;

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<MainWindow> m_window;
    const QByteArray m_log = "Visa|01/02/2026|12.00|C3\r\nbank|12/30/2025|5.00|c10\r\nAmex|01/15/2026|100.00|C2\r\n";
};

void TestGridArea::init() {
    m_program = std::make_unique<TestProgram>();
    m_program->writeData("db.db", m_log);
}

void TestGridArea::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_window.reset();
    m_program.reset();
}

MainWindow& TestGridArea::window() {
    if (!m_window)
        m_window = openMainWindow(m_program->services);
    return *m_window;
}

void TestGridArea::focusGridAt(int row, int column) {
    QTableView* view = window().FlexGr;
    const QRect cell = view->visualRect(view->model()->index(row - 1, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(view->hasFocus());
    QCOMPARE(window().grid().currentRow(), row);
}

QStringList TestGridArea::column(int c) const {
    QStringList cells;
    for (int row = 1; row < m_window->grid().rows(); ++row)
        cells.append(m_window->grid().cell(row, c));
    while (!cells.isEmpty() && cells.last().isEmpty())
        cells.removeLast();
    return cells;
}

void TestGridArea::removeNeedsTheGrid() {
    window().entry()->Text1[2]->setFocus();
    window().RemovePaymentRecord();
    QCOMPARE(m_program->prompter.messages().size(), 0);
    QCOMPARE(column(0), (QStringList{"Visa", "bank", "Amex"}));
}

void TestGridArea::removeRow_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("first") << 1 << QStringList{"bank", "Amex"}
                           << QByteArray("bank|12/30/2025|5.00|c10\r\nAmex|01/15/2026|100.00|C2\r\n");
    QTest::newRow("last") << 3 << QStringList{"Visa", "bank"}
                          << QByteArray("Visa|01/02/2026|12.00|C3\r\nbank|12/30/2025|5.00|c10\r\n");
    QTest::newRow("an empty row") << 5 << QStringList{"Visa", "bank", "Amex"} << m_log;
}

void TestGridArea::removeRow() {
    QFETCH(int, row);
    QFETCH(QStringList, left);
    QFETCH(QByteArray, file);
    focusGridAt(row, 1);
    m_program->prompter.expect(Prompt::Answer::Yes);
    m_program->prompter.expect(Prompt::Answer::Ok);
    window().RemovePaymentRecord();
    QCOMPARE(m_program->prompter.texts(),
             (QStringList{"Are you sure you want to permanently remove the entry?", "Item Removed"}));
    QCOMPARE(m_program->prompter.messages().first().title, QStringLiteral("Removal Confirmation"));
    QCOMPARE(column(0), left);
    QCOMPARE(window().grid().rows(), 12);
    QCOMPARE(m_program->readData("db.db"), file);
}

void TestGridArea::removeWithDeleteDisabled() {
    m_program->storePreferences({{PrefItems::DBdl, "1"}});
    focusGridAt(2, 0);
    m_program->prompter.expect(Prompt::Answer::Yes);
    window().RemovePaymentRecord();
    QCOMPARE(column(0), (QStringList{"Visa", "Amex"}));
    QCOMPARE(m_program->readData("db.db"), m_log);
    QCOMPARE(m_program->prompter.messages().size(), 1);
}

void TestGridArea::removalThatCannotBeWrittenIsUndone() {
    focusGridAt(2, 0);
    // A folder where the new log would have to go: the rewrite fails whoever runs the test.
    const QString log = m_program->dataFile("db.db");
    QVERIFY(QFile::rename(log, log + ".keep"));
    QVERIFY(QDir().mkpath(log));
    m_program->prompter.expect(Prompt::Answer::Yes);
    m_program->prompter.expect(Prompt::Answer::Ok);
    window().RemovePaymentRecord();
    QCOMPARE(m_program->prompter.texts().last(), QStringLiteral("Failed to Save to DataBase"));
    QCOMPARE(m_program->prompter.messages().last().title, QStringLiteral("Disk Access Error 02"));
    QCOMPARE(column(0), (QStringList{"Visa", "bank", "Amex"}));
    QCOMPARE(window().grid().rows(), 12);
    QVERIFY(QFileInfo(log).isDir());
}

void TestGridArea::removeKeepsUnreadLines() {
    // A line the grid cannot show stops the loading; a removal must not drop it or anything after it.
    m_program->writeData("db.db", "Visa|01/02/2026|12.00|C3\r\nBank|12/30/2025|5.00|c10\r\nbroken line\r\n"
                                  "Amex|01/15/2026|100.00|C2\r\n");
    focusGridAt(1, 0);
    m_program->prompter.expect(Prompt::Answer::Yes);
    m_program->prompter.expect(Prompt::Answer::Ok);
    window().RemovePaymentRecord();
    QCOMPARE(m_program->readData("db.db"),
             QByteArray("Bank|12/30/2025|5.00|c10\r\nbroken line\r\nAmex|01/15/2026|100.00|C2\r\n"));
}

void TestGridArea::sortAlternatesPerColumn() {
    QHeaderView* header = window().FlexGr->horizontalHeader();
    const auto clickHeader = [header](int section) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    };
    clickHeader(0);
    QCOMPARE(column(0), (QStringList{"Amex", "bank", "Visa"}));
    clickHeader(0);
    QCOMPARE(column(0), (QStringList{"Visa", "bank", "Amex"}));
    // Another column starts ascending, whatever the first one did, and compares numbers by value.
    clickHeader(2);
    QCOMPARE(column(2), (QStringList{"5.00", "12.00", "100.00"}));
    clickHeader(1);
    QCOMPARE(column(1), (QStringList{"12/30/2025", "01/02/2026", "01/15/2026"}));
    clickHeader(3);
    // Confirmations that are not numbers order as text, without regard to case.
    QCOMPARE(column(3), (QStringList{"c10", "C2", "C3"}));
    QCOMPARE(window().gridArea()->SortAscendingDone(), (std::array<bool, 4>{false, true, true, true}));
    QCOMPARE(window().grid().currentRow(), 1);
    // Records and file are untouched by sorting.
    QCOMPARE(m_program->readData("db.db"), m_log);
}

void TestGridArea::sortKeepsRowCountAndMovesEmptyRowsDown() {
    window().gridArea()->sortByColumn(0);
    window().gridArea()->sortByColumn(0); // descending: the empty rows would lead
    QCOMPARE(window().grid().rows(), 12);
    QVERIFY(window().grid().holdsRecord(1));
    QCOMPARE(column(0).size(), 3);
}

void TestGridArea::copyCurrentCell() {
    focusGridAt(3, 2);
    window().gridArea()->copyCurrentCell();
    QCOMPARE(Clipboard::text(), QStringLiteral("100.00"));
}

void TestGridArea::captionCopies_data() {
    QTest::addColumn<int>("caption");
    QTest::addColumn<bool>("hidePasswords");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("secret");
    QTest::newRow("address") << 4 << false << "https://visa.example" << false;
    QTest::newRow("user name") << 5 << false << "jane" << true;
    QTest::newRow("password") << 6 << false << "pa55" << true;
    QTest::newRow("password hidden") << 6 << true << "" << false;
}

void TestGridArea::captionCopies() {
    QFETCH(int, caption);
    QFETCH(bool, hidePasswords);
    QFETCH(QString, clipboard);
    QFETCH(bool, secret);
    if (hidePasswords)
        m_program->storePreferences({{PrefItems::NPas, "1"}});
    MainWindow& w = window();
    w.details()->Text2[0]->setText("https://visa.example");
    w.details()->Text2[1]->setText("jane");
    w.details()->Text2[2]->setText("pa55");
    Clipboard::putText("something else");
    QTest::mouseClick(w.details()->Label1[size_t(caption - 4)], Qt::LeftButton);
    QCOMPARE(Clipboard::text(), clipboard);
    QCOMPARE(Clipboard::isMarkedSecret(), secret);
    for (int i = 4; i < 7; ++i) {
        const auto expected = i == caption && !clipboard.isEmpty() ? DetailCaptions::Ink::Red
                              : i == caption                       ? DetailCaptions::Ink::System
                                                                   : DetailCaptions::Ink::Black;
        QCOMPARE(w.captions()->ink(i), expected);
    }
    // A click on the frame's background empties the clipboard and blackens all three.
    QTest::mouseClick(w.details()->Frame1, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(Clipboard::text(), QString());
    QCOMPARE(w.captions()->ink(caption), DetailCaptions::Ink::Black);
}

void TestGridArea::hoverMarking() {
    DetailCaptions* captions = window().captions();
    window().details()->Text2[1]->setText("jane");
    captions->captionClicked(5);
    captions->captionHovered(5);
    captions->captionHovered(4);
    QVERIFY(captions->hovered(5));
    QCOMPARE(captions->ink(5), DetailCaptions::Ink::Red); // the copied mark outlasts the hover
    QCOMPARE(captions->ink(4), DetailCaptions::Ink::White);
    captions->removeHover();
    QVERIFY(!captions->hovered(4) && !captions->hovered(5));
    QCOMPARE(captions->ink(4), DetailCaptions::Ink::Black);
    QCOMPARE(captions->ink(5), DetailCaptions::Ink::Red);
}

void TestGridArea::dateCaptionOpensOnlyWebAddresses() {
    MainWindow& w = window();
    w.details()->Text2[0]->setText("file:///etc/passwd");
    QTest::mouseDClick(w.entry()->Label1[0], Qt::LeftButton);
    QVERIFY(m_program->shell.opened.isEmpty());
    w.details()->Text2[0]->setText("bank.example/login");
    QTest::mouseDClick(w.entry()->Label1[0], Qt::LeftButton);
    QCOMPARE(m_program->shell.opened, QList<QUrl>{QUrl("http://bank.example/login")});
}

QTEST_MAIN(TestGridArea)
#include "tst_grid_area.moc"
