#include "platform/desktop.h"

#include "platform/windows_rgb.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace {

QMessageBox::Icon toIcon(Prompt::Icon icon) {
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompt::Icon::Critical:
        return QMessageBox::Critical;
    case Prompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Prompt::Answer DialogPrompter::ask(const Prompt::Message& message) {
    QMessageBox box(toIcon(message.icon), message.title, message.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    switch (message.buttons) {
    case Prompt::Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Prompt::Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Prompt::Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Prompt::Answer::Ok;
    case QMessageBox::Yes:
        return Prompt::Answer::Yes;
    case QMessageBox::No:
        return Prompt::Answer::No;
    default:
        return Prompt::Answer::Cancel;
    }
}

QString DialogPrompter::openFile(const Prompt::FileRequest& request) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title, request.directory, request.filter);
}

QString DialogPrompter::saveFile(const Prompt::FileRequest& request) {
    const QString start =
        request.suggestedName.isEmpty() ? request.directory : request.directory + u'/' + request.suggestedName;
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), request.title, start, request.filter);
}

std::optional<int> DialogPrompter::chooseColor(int initial) {
    const QColor chosen = QColorDialog::getColor(fromWindowsRgb(initial), QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return toWindowsRgb(chosen);
}

bool DesktopShell::open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void ApplicationExit::exit(int code) {
    m_requested = true;
    // Windows vanish at once without running their close handlers; every running event loop, nested
    // ones included, is left, and start-up code checks requested() before it goes on.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        window->hide();
    QCoreApplication::exit(code);
}
