// quorvane-bench: times the program's work on payment logs of 10,000 to 1,000,000 records, through the real
// windows and routines, offscreen. Prints a table and, last, one JSON object with every figure.
//
//   quorvane-bench [--runs N] [--sizes 10000,100000,1000000] [--only load,sort,...]
//
// --only times one kind of work (load, tick, report, add, sort, scroll, remove, start), for a profiler.
// The exit status is 1 when a target at a million records is missed.
//
// The start-up and its memory are measured in fresh processes of this same program (the hidden
// sub-command --start-child FOLDER), so that they are the figures of a program that has just started.

#include "app/entry_area.h"
#include "app/grid_area.h"
#include "app/housekeeping.h"
#include "app/login_browser.h"
#include "app/main_window.h"
#include "app/splash.h"
#include "app/startup.h"
#include "bench/bench_seams.h"
#include "bench/log_generator.h"
#include "reports/report_builder.h"
#include "store/payment_grid.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <unistd.h>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

const QString StartChild = QStringLiteral("--start-child");
constexpr int MillionRecords = 1'000'000;
constexpr int ListedCreditors = 1000; // the creditor list; the log uses its first 200 names

double msSince(Steady::time_point start) {
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

[[noreturn]] void giveUp(const QString& why) {
    std::fprintf(stderr, "quorvane-bench: %s\n", qPrintable(why));
    std::fflush(stdout);
    std::_Exit(2);
}

// Lets the windows catch up: delayed layouts, repaints, queued signals. A command is only done for the
// user once its window is drawn again.
void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// Fills the processor's caches with other bytes. A timed run starts with its data in memory but not in the
// caches, as a command does after the user has read, scrolled or typed: otherwise the runs of 100,000
// records (a few megabytes) would find all of their data in the caches and the runs of a million none, and
// their ratio would measure the cache rather than the program.
void evictCaches() {
    static std::vector<char> other(std::size_t(64) << 20, 1);
    for (std::size_t i = 0; i < other.size(); i += 64)
        other[i] = char(other[i] + 1);
}

// A figure of /proc/self/status in kilobytes ("VmHWM", "VmRSS").
qint64 statusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The processes this one has started; the web engine runs its pages in processes of its own.
int countChildProcesses() {
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(tasks.filePath(task + QStringLiteral("/children")));
        if (!children.open(QIODevice::ReadOnly))
            continue;
        const QByteArray pids = children.readAll().simplified();
        if (!pids.isEmpty())
            count += int(pids.count(' ')) + 1;
    }
    return count;
}

int webViews() {
    int count = 0;
    for (const QWidget* widget : QApplication::allWidgets()) {
        if (widget->inherits("QWebEngineView"))
            ++count;
    }
    return count;
}

void click(QWidget* widget, const QPoint& at) {
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

// Written through to the disk, so that the system's writing back does not run into the timings.
bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush() &&
           ::fsync(file.handle()) == 0;
}

// Notes the first time the grid of the main window is painted: from then on the user sees the records.
class GridPaintWatch final : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->parent() &&
            watched->parent()->objectName() == QStringLiteral("FlexGr"))
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// ---------------------------------------------------------------------------------------------------------
// The start-up, in a fresh process: the program's own start routine, a click on the splash as soon as it is
// shown, and the main window drawn with its grid.

int runStartChild(const QString& folder) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SystemClock clock;
    BenchProgram program(folder, clock);
    GridPaintWatch watch;
    qApp->installEventFilter(&watch);

    Startup startup(program.services);
    startup.attachToMainWindow = attachLoginBrowser;
    if (!startup.Main() || !startup.splash())
        giveUp(QStringLiteral("the start routine did not show the splash"));
    settle();
    click(startup.splash(), QPoint(5, 5));
    MainWindow* main = startup.mainWindow();
    if (!main)
        giveUp(QStringLiteral("the splash click did not bring the main window"));
    const auto deadline = Steady::now() + std::chrono::seconds(60);
    while (!watch.painted && Steady::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const auto shown = Steady::now();
    if (!watch.painted || !main->isVisible())
        giveUp(QStringLiteral("the main window was not drawn"));

    int records = 0;
    while (records + 1 < main->grid().rows() && main->grid().holdsRecord(records + 1))
        ++records;
    std::printf(
        "shown_ns %lld\nhwm_kb %lld\nrss_kb %lld\nweb_views %d\nchildren %d\nrecords %d\nmessages %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(shown.time_since_epoch()).count()),
        static_cast<long long>(statusKb("VmHWM")), static_cast<long long>(statusKb("VmRSS")), webViews(),
        countChildProcesses(), records, static_cast<long long>(program.prompter.texts.size()));
    std::fflush(stdout);
    // The windows close as the program's would, which also gives the data folder's lock back.
    return 0;
}

struct StartFigure {
    double ms = 0;
    double peakMb = 0;
    int records = 0;
    bool webEngine = false;
};

StartFigure startOnce(const QString& folder) {
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({StartChild, folder});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto started = Steady::now();
    child.start();
    if (!child.waitForFinished(120'000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        giveUp(QStringLiteral("the start-up process failed"));
    std::map<QByteArray, qint64> values;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            values[parts[0]] = parts[1].toLongLong();
    }
    StartFigure figure;
    const qint64 startedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(started.time_since_epoch()).count();
    figure.ms = double(values["shown_ns"] - startedNs) / 1e6;
    figure.peakMb = double(values["hwm_kb"]) * 1024.0 / 1e6;
    figure.records = int(values["records"]);
    figure.webEngine = values["web_views"] > 0 || values["children"] > 0;
    if (values["messages"] != 0)
        giveUp(QStringLiteral("the start-up showed a message"));
    return figure;
}

struct StartFigures {
    double ms = 0;
    double peakMb = 0;
    bool webEngine = false;
};

StartFigures measureStart(const QString& folder, int runs, int expectedRecords) {
    startOnce(folder); // the first start fills the system's caches; a user's machine has them filled
    std::vector<double> times;
    StartFigures figures;
    for (int r = 0; r < runs; ++r) {
        const StartFigure one = startOnce(folder);
        if (one.records != expectedRecords)
            giveUp(QStringLiteral("the start-up showed %1 records, not %2").arg(one.records).arg(expectedRecords));
        times.push_back(one.ms);
        figures.peakMb = std::max(figures.peakMb, one.peakMb);
        figures.webEngine = figures.webEngine || one.webEngine;
    }
    figures.ms = median(times);
    return figures;
}

// ---------------------------------------------------------------------------------------------------------
// The work on a loaded log, in this process, through the real main window.

struct SizeFigures {
    int records = 0;
    double floor = 0;
    double load = 0;
    double add = 0;
    double sort[PaymentGrid::RecordColumns] = {0, 0, 0, 0};
    double scroll = 0;
    double remove = 0;
    double report = 0;
    double tick = 0;
    double sortMax() const { return *std::max_element(std::begin(sort), std::end(sort)); }
};

// The floor under any load: the file's bytes read and split into lines, nothing more.
double floorOnce(const QString& path, qsizetype expectedLines) {
    evictCaches();
    const auto start = Steady::now();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        giveUp(QStringLiteral("cannot read %1").arg(path));
    const QByteArray bytes = file.readAll();
    std::vector<QByteArrayView> lines;
    const char* line = bytes.constData();
    const char* const end = line + bytes.size();
    while (line < end) {
        const auto* newline = static_cast<const char*>(std::memchr(line, '\n', size_t(end - line)));
        const char* lineEnd = newline ? newline : end;
        lines.emplace_back(line, lineEnd - line);
        line = newline ? newline + 1 : end;
    }
    const double ms = msSince(start);
    if (qsizetype(lines.size()) != expectedLines)
        giveUp(QStringLiteral("the floor split %1 lines").arg(lines.size()));
    return ms;
}

int recordsShown(const PaymentGrid& grid) {
    int records = 0;
    for (int row = 1; row < grid.rows(); ++row)
        records += grid.holdsRecord(row) ? 1 : 0;
    return records;
}

class SizeBench {
public:
    SizeBench(const QString& folder, int records, int runs, const QStringList& only)
        : m_program(folder, m_clock)
        , m_records(records)
        , m_runs(runs)
        , m_only(only) {}

    SizeFigures run() {
        m_window = std::make_unique<MainWindow>(m_program.services);
        m_window->Form_Load();
        m_window->show();
        m_window->activateWindow();
        settle();
        m_log = m_window->files().paymentLog();
        SizeFigures figures;
        figures.records = m_records;
        if (wanted(u"load"))
            measureLoad(figures);
        if (wanted(u"tick"))
            figures.tick = measureTick();
        if (wanted(u"report"))
            figures.report = measureReport();
        if (wanted(u"add"))
            figures.add = measureAdd();
        for (int column = 0; column < PaymentGrid::RecordColumns; ++column) {
            if (wanted(u"sort"))
                figures.sort[column] = measureSort(column);
        }
        if (wanted(u"scroll"))
            figures.scroll = measureScroll();
        if (wanted(u"remove"))
            figures.remove = measureRemove();
        m_window.reset();
        return figures;
    }

private:
    bool wanted(QStringView work) const { return m_only.isEmpty() || m_only.contains(work); }

    void reload() {
        QString path = m_log;
        const PaymentGrid::LoadResult loaded = m_window->LoadPaymentLog(path);
        if (!loaded.complete || loaded.records < m_records)
            giveUp(QStringLiteral("the log loaded %1 records").arg(loaded.records));
        settle();
    }

    void expectMessages(const QStringList& texts) {
        if (m_program.prompter.texts != texts)
            giveUp(QStringLiteral("unexpected messages: ") + m_program.prompter.texts.join(QStringLiteral(" / ")));
        m_program.prompter.texts.clear();
    }

    // The floor and the load take turns, so both see the same state of the machine.
    void measureLoad(SizeFigures& figures) {
        const qsizetype lines = m_records;
        std::vector<double> floors, loads;
        for (int r = 0; r < m_runs; ++r) {
            floors.push_back(floorOnce(m_log, lines));
            settle();
            evictCaches();
            const auto start = Steady::now();
            reload();
            loads.push_back(msSince(start));
        }
        figures.floor = median(floors);
        figures.load = median(loads);
        if (recordsShown(m_window->grid()) != m_records)
            giveUp(QStringLiteral("the grid does not show every record"));
    }

    // A tick while a creditor that is not listed is typed: the whole list of 1,000 names is looked through.
    double measureTick() {
        EntryArea* entry = m_window->entry();
        entry->Combo1->setEditText(QStringLiteral("Not Listed Yet"));
        entry->Text1[2]->setText(QStringLiteral("12.00"));
        entry->Text1[3]->setText(QStringLiteral("TICK-1"));
        if (entry->Combo1->count() != ListedCreditors)
            giveUp(QStringLiteral("the creditor box lists %1 names").arg(entry->Combo1->count()));
        std::vector<double> ticks;
        for (int r = 0; r < std::max(m_runs, 101); ++r) {
            const auto start = Steady::now();
            m_window->housekeeping()->Timer1_Timer();
            ticks.push_back(msSince(start));
        }
        entry->Text1[2]->clear();
        entry->Text1[3]->clear();
        entry->Combo1->setEditText(QString());
        expectMessages({});
        return median(ticks);
    }

    double measureReport() {
        std::vector<double> times;
        const QString expected = QStringLiteral("DataBase contains %1 entries").arg(m_records);
        for (int r = 0; r < m_runs; ++r) {
            evictCaches();
            const auto start = Steady::now();
            const QString report = BuildReport(m_log, QString(), QLocale());
            times.push_back(msSince(start));
            if (!report.startsWith(expected))
                giveUp(QStringLiteral("the report begins ") + report.left(40));
        }
        return median(times);
    }

    // One record typed and added, its confirmation number checked against every record first.
    double measureAdd() {
        EntryArea* entry = m_window->entry();
        const QStringList names = LogGenerator::creditorNames(LogGenerator::LogCreditors);
        std::vector<double> times;
        for (int r = 0; r < m_runs; ++r) {
            entry->Combo1->setEditText(names.at(r % names.size()));
            entry->Text1[2]->setText(QStringLiteral("123.45"));
            entry->Text1[3]->setText(QStringLiteral("BENCH-%1-%2").arg(m_records).arg(r));
            const int before = recordsShown(m_window->grid());
            settle();
            evictCaches();
            const auto start = Steady::now();
            m_window->AddPaymentRecord();
            settle();
            times.push_back(msSince(start));
            expectMessages({});
            if (recordsShown(m_window->grid()) != before + 1)
                giveUp(QStringLiteral("the record was not added"));
        }
        entry->Text1[2]->clear();
        entry->Text1[3]->clear();
        entry->Combo1->setEditText(QString());
        m_records += m_runs;
        return median(times);
    }

    // A click on a column's header while the grid shows its last rows, each time on the log in the order of
    // the file: ascending and descending in turn, as the header alternates.
    double measureSort(int column) {
        QHeaderView* header = m_window->FlexGr->horizontalHeader();
        std::vector<double> times;
        for (int r = 0; r < m_runs; ++r) {
            reload();
            m_window->FlexGr->scrollToBottom();
            settle();
            const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                            header->height() / 2);
            evictCaches();
            const auto start = Steady::now();
            click(header->viewport(), at);
            settle();
            times.push_back(msSince(start));
            if (recordsShown(m_window->grid()) != m_records)
                giveUp(QStringLiteral("the sort lost records"));
        }
        expectMessages({});
        return median(times);
    }

    double measureScroll() {
        QTableView* view = m_window->FlexGr;
        std::vector<double> times;
        for (int r = 0; r < m_runs; ++r) {
            view->scrollToTop();
            settle();
            evictCaches();
            const auto start = Steady::now();
            view->scrollToBottom();
            settle();
            times.push_back(msSince(start));
            if (view->verticalScrollBar()->value() != view->verticalScrollBar()->maximum())
                giveUp(QStringLiteral("the grid did not scroll to its end"));
        }
        return median(times);
    }

    // A record from the middle of the grid removed, the log rewritten whole and safely.
    double measureRemove() {
        QTableView* view = m_window->FlexGr;
        view->setFocus(Qt::MouseFocusReason);
        settle();
        if (!m_window->gridArea()->GridHasFocus())
            giveUp(QStringLiteral("the grid did not get the focus"));
        std::vector<double> times;
        for (int r = 0; r < m_runs; ++r) {
            m_window->grid().setCurrentCell(m_records / 2, PaymentGrid::Confirmation);
            settle();
            evictCaches();
            const auto start = Steady::now();
            m_window->RemovePaymentRecord();
            settle();
            times.push_back(msSince(start));
            expectMessages({QStringLiteral("Are you sure you want to permanently remove the entry?"),
                            QStringLiteral("Item Removed")});
            --m_records;
            if (QFileInfo(m_log).size() == 0 || recordsShown(m_window->grid()) != m_records)
                giveUp(QStringLiteral("the record was not removed"));
        }
        return median(times);
    }

    FixedClock m_clock;
    BenchProgram m_program;
    int m_records;
    int m_runs;
    QStringList m_only;
    QString m_log;
    std::unique_ptr<MainWindow> m_window;
};

// ---------------------------------------------------------------------------------------------------------
// Report.

struct Target {
    QString work;
    double figure;
    double limit;
    QString unit;
};

QString number(double value, int decimals = 1) {
    return QString::number(value, 'f', decimals);
}

QString json(double value) {
    return QString::number(value, 'f', 3);
}

QString withThousands(int value) {
    return QLocale(QLocale::English).toString(value);
}

QtMessageHandler defaultMessageHandler = nullptr;

// The offscreen platform's notes about itself say nothing about the program.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(u"This plugin does not support") ||
        message.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set"))
        return;
    defaultMessageHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[]) {
    // Always offscreen, so the figures do not depend on a desktop.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    defaultMessageHandler = qInstallMessageHandler(quietMessages);
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == StartChild)
        return runStartChild(arguments.at(2));

    int runs = 5;
    QStringList only; // for profiling one kind of work: load, tick, report, add, sort, scroll, remove, start
    std::vector<int> sizes = {10'000, 100'000, MillionRecords};
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments.at(i) == QStringLiteral("--runs")) {
            runs = std::max(5, arguments.at(i + 1).toInt());
        } else if (arguments.at(i) == QStringLiteral("--only")) {
            only = arguments.at(i + 1).split(u',');
        } else if (arguments.at(i) == QStringLiteral("--sizes")) {
            sizes.clear();
            for (const QString& size : arguments.at(i + 1).split(u','))
                sizes.push_back(size.toInt());
        }
    }
    if (arguments.size() % 2 == 0 || sizes.empty() || *std::min_element(sizes.begin(), sizes.end()) <= 0)
        giveUp(QStringLiteral(
            "usage: quorvane-bench [--runs N (5 or more)] [--sizes 10000,100000,1000000] [--only load,sort,...]"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    // Program folders beside the program, as the program keeps its own data.
    QTemporaryDir base(QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX"));
    if (!base.isValid())
        giveUp(QStringLiteral("cannot make a folder beside the program"));
    const QByteArray creditors = LogGenerator::creditorList(ListedCreditors);
    const auto makeFolder = [&](const QString& name, int records) {
        const QString folder = base.filePath(name);
        QDir().mkpath(folder + QStringLiteral("/data"));
        LogGenerator::LogShape shape;
        shape.records = records;
        const QByteArray log = LogGenerator::paymentLog(shape);
        if (!writeFile(folder + QStringLiteral("/data/db.db"), log) ||
            !writeFile(folder + QStringLiteral("/data/creditors.dat"), creditors))
            giveUp(QStringLiteral("cannot write the generated files"));
        return std::pair{folder, LogGenerator::fingerprint(log)};
    };

    std::printf("Quorvane benchmark: median of %d runs, milliseconds; %d creditors listed, %d in the log\n", runs,
                ListedCreditors, LogGenerator::LogCreditors);
    std::fflush(stdout);
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    const auto [emptyFolder, emptyPrint] = makeFolder(QStringLiteral("empty"), 0);
    const auto [largestFolder, largestPrint] = makeFolder(QStringLiteral("start-%1").arg(largest), largest);
    Q_UNUSED(emptyPrint);
    const bool startWanted = only.isEmpty() || only.contains(u"start");
    const StartFigures startEmpty = startWanted ? measureStart(emptyFolder, runs, 0) : StartFigures{};
    const StartFigures startLargest = startWanted ? measureStart(largestFolder, runs, largest) : StartFigures{};
    QDir(largestFolder).removeRecursively();

    std::vector<SizeFigures> figures;
    for (const int size : sizes) {
        const QString folder = makeFolder(QString::number(size), size).first;
        std::printf("  %s records...\n", qPrintable(withThousands(size)));
        std::fflush(stdout);
        figures.push_back(SizeBench(folder, size, runs, only).run());
        QDir(folder).removeRecursively();
    }

    // The table.
    const auto row = [&](const char* work, const std::function<double(const SizeFigures&)>& figure, int decimals = 1) {
        std::printf("%-38s", work);
        for (const SizeFigures& f : figures)
            std::printf(" %12s", qPrintable(number(figure(f), decimals)));
        std::printf("\n");
    };
    std::printf("\n%-38s", "work (ms)");
    for (const int size : sizes)
        std::printf(" %12s", qPrintable(withThousands(size)));
    std::printf("\n");
    row("read + split lines (the floor)", [](const SizeFigures& f) { return f.floor; });
    row("load into the grid model", [](const SizeFigures& f) { return f.load; });
    row(
        "  load / floor", [](const SizeFigures& f) { return f.load / std::max(f.floor, 1e-3); }, 2);
    row(
        "add one record (duplicate check on)", [](const SizeFigures& f) { return f.add; }, 2);
    static const char* SortNames[] = {"sort by Creditor", "sort by Date", "sort by Payment", "sort by Confirmation"};
    for (int c = 0; c < PaymentGrid::RecordColumns; ++c)
        row(SortNames[c], [c](const SizeFigures& f) { return f.sort[c]; });
    row(
        "scroll to the end", [](const SizeFigures& f) { return f.scroll; }, 2);
    row("remove one record (atomic rewrite)", [](const SizeFigures& f) { return f.remove; });
    row("build the report", [](const SizeFigures& f) { return f.report; });
    row(
        "one Timer1 tick (1,000 creditors)", [](const SizeFigures& f) { return f.tick; }, 3);
    std::printf("%-38s %12s\n", "start to main window, empty log", qPrintable(number(startEmpty.ms)));
    std::printf("%-38s %12s\n",
                qPrintable(QStringLiteral("start to main window, %1 records").arg(withThousands(largest))),
                qPrintable(number(startLargest.ms)));
    std::printf("%-38s %12s\n", qPrintable(QStringLiteral("peak memory, %1 records (MB)").arg(withThousands(largest))),
                qPrintable(number(startLargest.peakMb)));
    std::printf("%-38s %12s\n", "web engine started with the window",
                startEmpty.webEngine || startLargest.webEngine ? "yes" : "no");

    // The targets, at a million records, with growth from 100,000.
    std::vector<Target> targets;
    bool allMet = true;
    const SizeFigures* million = nullptr;
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == MillionRecords)
            million = &figures[i];
    }
    const SizeFigures* hundredThousand = nullptr;
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == 100'000)
            hundredThousand = &figures[i];
    }
    if (million) {
        const SizeFigures& m = *million;
        targets = {
            {QStringLiteral("load into the grid model"), m.load, 1000, QStringLiteral("ms")},
            {QStringLiteral("load / floor"), m.load / std::max(m.floor, 1e-3), 5, QStringLiteral("x")},
            {QStringLiteral("add one record"), m.add, 50, QStringLiteral("ms")},
            {QStringLiteral("sort by any column"), m.sortMax(), 1000, QStringLiteral("ms")},
            {QStringLiteral("remove one record"), m.remove, 1000, QStringLiteral("ms")},
            {QStringLiteral("build the report"), m.report, 1000, QStringLiteral("ms")},
            {QStringLiteral("one timer tick"), m.tick, 1, QStringLiteral("ms")},
        };
        if (largest == MillionRecords) {
            targets.push_back({QStringLiteral("start, empty log"), startEmpty.ms, 500, QStringLiteral("ms")});
            targets.push_back(
                {QStringLiteral("start, 1,000,000 records"), startLargest.ms, 2000, QStringLiteral("ms")});
            targets.push_back(
                {QStringLiteral("peak memory, 1,000,000 records"), startLargest.peakMb, 300, QStringLiteral("MB")});
        }
        if (hundredThousand) {
            const SizeFigures& h = *hundredThousand;
            const auto growth = [](double big, double small) { return big / std::max(small, 1e-3); };
            targets.push_back(
                {QStringLiteral("growth 100k -> 1M: load"), growth(m.load, h.load), 12, QStringLiteral("x")});
            targets.push_back(
                {QStringLiteral("growth 100k -> 1M: add"), growth(m.add, h.add), 12, QStringLiteral("x")});
            targets.push_back(
                {QStringLiteral("growth 100k -> 1M: sort"), growth(m.sortMax(), h.sortMax()), 12, QStringLiteral("x")});
            targets.push_back(
                {QStringLiteral("growth 100k -> 1M: remove"), growth(m.remove, h.remove), 12, QStringLiteral("x")});
            targets.push_back(
                {QStringLiteral("growth 100k -> 1M: report"), growth(m.report, h.report), 12, QStringLiteral("x")});
        }
        std::printf("\n%-38s %12s %12s\n", "target at 1,000,000 records", "figure", "limit");
        for (const Target& t : targets) {
            const bool met = t.figure <= t.limit;
            allMet = allMet && met;
            std::printf("%-38s %12s %12s  %s\n", qPrintable(t.work), qPrintable(number(t.figure, 2) + u' ' + t.unit),
                        qPrintable(number(t.limit, 0) + u' ' + t.unit), met ? "met" : "MISSED");
        }
    }
    const bool webEngine = startEmpty.webEngine || startLargest.webEngine;
    allMet = allMet && !webEngine;

    // Last, every figure as one JSON object.
    QString out = QStringLiteral("{\"runs\":%1,\"creditors_listed\":%2,\"creditors_in_log\":%3,\"sizes\":{")
                      .arg(runs)
                      .arg(ListedCreditors)
                      .arg(LogGenerator::LogCreditors);
    for (size_t i = 0; i < figures.size(); ++i) {
        const SizeFigures& f = figures[i];
        if (i > 0)
            out += u',';
        out += QStringLiteral("\"%1\":{").arg(sizes[i]);
        out += QStringLiteral("\"floor_ms\":") + json(f.floor);
        out += QStringLiteral(",\"load_ms\":") + json(f.load);
        out += QStringLiteral(",\"add_ms\":") + json(f.add);
        static const char* SortKeys[] = {"sort_creditor_ms", "sort_date_ms", "sort_payment_ms", "sort_confirmation_ms"};
        for (int c = 0; c < PaymentGrid::RecordColumns; ++c)
            out += QStringLiteral(",\"%1\":").arg(QLatin1StringView(SortKeys[c])) + json(f.sort[c]);
        out += QStringLiteral(",\"scroll_to_end_ms\":") + json(f.scroll);
        out += QStringLiteral(",\"remove_ms\":") + json(f.remove);
        out += QStringLiteral(",\"report_ms\":") + json(f.report);
        out += QStringLiteral(",\"timer_tick_ms\":") + json(f.tick);
        out += u'}';
    }
    out += QStringLiteral("},\"start_empty_ms\":") + json(startEmpty.ms);
    out += QStringLiteral(",\"start_%1_ms\":").arg(largest) + json(startLargest.ms);
    out += QStringLiteral(",\"peak_memory_%1_mb\":").arg(largest) + json(startLargest.peakMb);
    out += QStringLiteral(",\"web_engine_started\":") + (webEngine ? QStringLiteral("true") : QStringLiteral("false"));
    out += QStringLiteral(",\"log_fingerprint_%1\":\"%2\"").arg(largest).arg(largestPrint, 16, 16, QChar(u'0'));
    out += QStringLiteral(",\"targets_met\":") + (allMet ? QStringLiteral("true") : QStringLiteral("false"));
    out += u'}';
    std::printf("\n%s\n", qPrintable(out));
    return allMet ? 0 : 1;
}
