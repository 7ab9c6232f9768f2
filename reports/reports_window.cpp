#include "reports/reports_window.h"

#include "app/twips.h"
#include "reports/report_builder.h"
#include "reports/report_placement.h"

#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextDocument>
#include <QVBoxLayout>

ReportsWindow::ReportsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmReports"));
    setWindowTitle(QStringLiteral("Reports"));
    resize(twips(7800), twips(7200));

    txtreprt = new QPlainTextEdit(this);
    txtreprt->setObjectName(QStringLiteral("txtreprt"));
    txtreprt->setAccessibleName(QStringLiteral("Report"));
    txtreprt->setReadOnly(true);
    // Read-only, yet the keyboard can still move through the text, select it and copy it.
    txtreprt->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtreprt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtreprt->document()->setDocumentMargin(8);
    QFont font(QStringLiteral("Times New Roman"), 11);
    // Where Times New Roman is not installed, the system's serif face stands in for it.
    font.setStyleHint(QFont::Serif);
    txtreprt->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtreprt);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

QSize ReportsWindow::expectedFrameSize() const {
    if (testAttribute(Qt::WA_WState_Created) && isVisible())
        return frameGeometry().size();
    // Before it is shown the window's own frame is not known yet; the main window's is the same kind.
    QSize decoration(0, 0);
    if (const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr)
        decoration = main->frameGeometry().size() - main->geometry().size();
    return size() + decoration;
}

void ReportsWindow::Form_Load(const ReportRequest& request) {
    const QScreen* screen = QGuiApplication::screenAt(request.mainFrame.center());
    if (!screen)
        screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    move(reportPosition(request.mainFrame, request.toolbarBottom, expectedFrameSize(), available));
    refresh(request);
}

void ReportsWindow::refresh(const ReportRequest& request) {
    const QString report = BuildReport(request.logPath, request.backupPath, request.locale);
    // An empty window would look like an empty log: say that the log itself could not be read.
    txtreprt->setPlainText(report.isEmpty() ? unreadableLogText(request.logPath) : report);
}

QString ReportsWindow::unreadableLogText(const QString& logPath) {
    return QStringLiteral("The payment log could not be read:\r\n%1\r\n\r\nNo statistics can be shown until it can.")
        .arg(QDir::toNativeSeparators(logPath));
}

void ReportsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!isVisible())
        Q_EMIT hidden();
}

void showReport(QWidget* mainWindow, const ReportRequest& request, const OnTopMode& onTop) {
    static QPointer<ReportsWindow> open;
    if (open && open->isVisible()) {
        open->refresh(request);
        if (open->isMinimized())
            open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }

    const QPointer<QWidget> main(mainWindow);
    // Dropped only when it is on: a second drop would switch it on again instead.
    const bool dropped = onTop.wanted() && onTop.isOnTop();
    if (dropped)
        onTop.toggle();

    const QPointer<ReportsWindow> window = new ReportsWindow(mainWindow);
    open = window;
    window->Form_Load(request);

    // The main window, its timer included, goes on working while the command waits here.
    QEventLoop wait;
    QObject::connect(window, &ReportsWindow::hidden, &wait, &QEventLoop::quit);
    QObject::connect(window, &QObject::destroyed, &wait, &QEventLoop::quit);
    window->show();
    window->raise();
    window->activateWindow();
    if (window && window->isVisible())
        wait.exec();
    delete window.data();

    if (mainWindow && !main)
        return; // the main window went away during the wait
    // Restored only by the command that dropped it, and only where the user did not switch it on meanwhile.
    if (dropped && onTop.wanted() && !onTop.isOnTop())
        onTop.toggle();
}
