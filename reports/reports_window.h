#pragma once

#include <functional>
#include <QLocale>
#include <QRect>
#include <QString>
#include <QWidget>

class QPlainTextEdit;

// What the report needs from the main window when it opens.
struct ReportRequest {
    QString logPath;
    QString backupPath;    // the monthly backup path, preference MBKF
    QRect mainFrame;       // the main window's frame, in global coordinates
    int toolbarBottom = 0; // the lower edge of the main window's toolbar, in global coordinates
    QLocale locale;        // reads the record dates and writes every date
};

// The main window's on-top mode, as seen by a window that must not be covered by it.
struct OnTopMode {
    std::function<bool()> wanted;  // the user wants the main window on top
    std::function<bool()> isOnTop; // the main window stands on top at this moment
    std::function<void()> toggle;  // takes the main window out of the top band, or puts it back
};

// The report window: the statistics of the payment log in a read-only text box. Escape closes it.
class ReportsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit ReportsWindow(QWidget* parent = nullptr);

    // The load step: the window goes under the main window's toolbar, centred on it, and the report is built
    // afresh from the log on disk.
    void Form_Load(const ReportRequest& request);
    void refresh(const ReportRequest& request);
    // What the window shows in place of the report when the log cannot be read.
    static QString unreadableLogText(const QString& logPath);

    QPlainTextEdit* txtreprt = nullptr;

Q_SIGNALS:
    // The window is no longer visible: closed or hidden, not merely minimised.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QSize expectedFrameSize() const;
};

// The Reports command. The main window's on-top mode is dropped while the report is shown, so that the
// report is never covered; the report is shown without blocking and the command waits, the main window
// staying usable, until the report is closed; then the on-top mode comes back if it is still wanted. While a
// report is open, the command brings it to the front with a fresh report instead of opening a second one.
void showReport(QWidget* mainWindow, const ReportRequest& request, const OnTopMode& onTop);
