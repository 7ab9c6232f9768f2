#include "app/startup.h"

#include "app/main_window.h"
#include "app/splash.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/hardening.h"
#include "platform/instance_lock.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "prefs/password_request.h"
#include "prefs/preferences.h"
#include "store/data_folder.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace {

void centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

} // namespace

Startup::Startup(Services& services)
    : m_services(services) {}

Startup::~Startup() {
    delete m_splash.data();
}

bool Startup::Main() {
    const ProgramFiles files(m_services.programFolder);
    m_lock = std::make_unique<InstanceLock>(files.DataFolder());
    if (!m_lock->claim(m_services.prompter)) {
        m_services.exit.exit(0);
        return false;
    }

    LoadPreferences(m_services.settings, m_prefs);
    // Refused or given up: the program never starts without the password once one is set.
    if (m_prefs.isOn(PrefItems::PssL) && StartPasswordCheck(m_prefs, m_services) != PasswordResult::Ok) {
        m_services.exit.exit(0);
        return false;
    }

    if (!EnsurePaymentLog(files)) {
        // A program folder that cannot be written: say so plainly, then go on with an empty log.
        m_services.prompter.fail(QStringLiteral("Quorvane cannot create its data folder or payment log in \"%1\".\n\n"
                                                "Records cannot be saved until that folder can be written.")
                                     .arg(QDir::toNativeSeparators(files.DataFolder())),
                                 QStringLiteral("Data Folder Error"));
    }

    m_splash = new Splash(m_services.shell, [this] { ShowMainWindow(); });
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    centreOnScreen(m_splash);
    m_splash->show();
    return true;
}

void Startup::ShowMainWindow() {
    if (m_main)
        return;
    m_main = std::make_unique<MainWindow>(m_services);
    m_main->Form_Load();
    if (attachToMainWindow)
        attachToMainWindow(*m_main, m_services);
    centreOnScreen(m_main.get());
    m_main->show();
}

int QuorvaneMain(QApplication& application, std::function<void(MainWindow&, Services&)> attachToMainWindow) {
    protectProcessMemory();
    QCoreApplication::setOrganizationName(QStringLiteral("Brellick"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(QUORVANE_VERSION_MAJOR).arg(QUORVANE_VERSION_MINOR));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvane"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paintProgramPicture(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(picture);
    }
    QApplication::setWindowIcon(icon);

    SettingsStore settings(Preferences::applicationName());
    DialogPrompter prompter;
    SystemClock clock;
    DesktopShell shell;
    ApplicationExit exit;
    Services services{QCoreApplication::applicationDirPath(), settings, prompter, clock, shell, exit};

    Startup startup(services);
    startup.attachToMainWindow = std::move(attachToMainWindow);
    if (!startup.Main() || exit.requested())
        return 0;
    return application.exec();
}
