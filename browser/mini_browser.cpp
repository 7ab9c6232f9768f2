#include "browser/mini_browser.h"

#include "app/twips.h"
#include "app/web_address.h"
#include "browser/browser_icons.h"
#include "browser/chrome_widgets.h"
#include "platform/clipboard.h"
#include "platform/clock.h"

#include <algorithm>
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

namespace {

QRect pixels(const QRect& r) {
    return twipsRect(r.x(), r.y(), r.width(), r.height());
}

QColor titleBarColour(const QWidget* widget) {
    return widget->palette().color(QPalette::Active, QPalette::Highlight);
}

void fill(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void ink(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

MiniBrowser::MiniBrowser(const BrowserHooks& hooks, const QString& userName, const QString& password)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_hooks(hooks)
    , m_chrome(*hooks.flags) {
    setObjectName(QStringLiteral("MiniBrowser"));
    setWindowTitle(QStringLiteral("Skimora"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The chrome is designed for a small 8-point font; anything larger would not fit its bars.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    Frame1 = new BrowserFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_control = m_hooks.makeControl(Frame1);
    connect(m_control.get(), &BrowserControl::SetSecureLockIcon, this, &MiniBrowser::SetSecureLockIcon);

    PictureBar = new QWidget(this);
    PictureBar->setObjectName(QStringLiteral("PictureBar"));
    PictureBar->setAttribute(Qt::WA_NoMousePropagation);
    buildToolbar();
    buildTray();
    buildTitleBar();

    Picture2 = new ResizeGrip(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    fill(Picture2, titleBarColour(this));

    buildMenu();
    buildShortcuts();
    connectChrome();

    // The load step.
    m_control->Navigate(m_hooks.startPage);
    setCredentials(userName, password);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &MiniBrowser::WatchFirstLoad);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(10);
    connect(Timer2, &QTimer::timeout, this, [this] { withChrome([](BrowserChrome& c) { c.Timer2Tick(); }); });
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    // The clock shows seconds: a quarter-second tick keeps it true without waking the processor a thousand
    // times a second.
    Timer3->setInterval(250);
    connect(Timer3, &QTimer::timeout, this, &MiniBrowser::Timer3Tick);
    m_chrome.clockRunning = true;
    Timer1->start();
    Timer2->start();
    Timer3->start();
    Timer3Tick();
    applyChrome();
}

MiniBrowser::~MiniBrowser() = default;

void MiniBrowser::buildTitleBar() {
    const QColor white(Qt::white);
    QFont bold = font();
    bold.setBold(true);

    lblbar = new TitleLabel(QString(), this);
    lblbar->setObjectName(QStringLiteral("lblbar"));
    fill(lblbar, titleBarColour(this));

    Label1 = new TitleLabel(QStringLiteral("Skimora"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    ink(Label1, white);

    Image2 = new ImageButton(BrowserIcons::titleIcon(BrowserIcons::Glyph::Menu, white), QStringLiteral("Menu"),
                             ImageButton::Hover::Light, this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setIconSize(QSize(14, 14));

    Image4 = new QLabel(this);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setAccessibleName(QStringLiteral("Secure page"));
    Image4->setAttribute(Qt::WA_NoMousePropagation);
    Image4->setAlignment(Qt::AlignCenter);
    Image4->setPixmap(BrowserIcons::icon(BrowserIcons::Glyph::Padlock).pixmap(QSize(16, 16), devicePixelRatioF()));
    Image4->hide();

    Label3 = new TitleLabel(QStringLiteral("Path:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(bold);
    ink(Label3, QColor(224, 224, 224));

    Text1 = new AddressBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Path"));
    Label3->setBuddy(Text1);
    QPalette box = Text1->palette();
    box.setColor(QPalette::Base, QColor(0, 0, 128));
    box.setColor(QPalette::Text, QColor(128, 128, 255));
    Text1->setPalette(box);

    const auto titleButton = [&](BrowserIcons::Glyph glyph, const QString& name, const QString& tip,
                                 ImageButton::Hover hover) {
        auto* button = new ImageButton(BrowserIcons::titleIcon(glyph, white), tip, hover, this);
        button->setObjectName(name);
        button->setIconSize(QSize(12, 12));
        return button;
    };
    minBtn = titleButton(BrowserIcons::Glyph::Minimize, QStringLiteral("minBtn"), QStringLiteral("Minimize"),
                         ImageButton::Hover::Light);
    Image7 = titleButton(BrowserIcons::Glyph::Maximize, QStringLiteral("Image7"), QStringLiteral("Maximize"),
                         ImageButton::Hover::Light);
    Image5 = titleButton(BrowserIcons::Glyph::Restore, QStringLiteral("Image5"), QStringLiteral("Restore"),
                         ImageButton::Hover::Light);
    closebtn = titleButton(BrowserIcons::Glyph::Close, QStringLiteral("closebtn"), QStringLiteral("Exit Browser"),
                           ImageButton::Hover::Danger);
}

void MiniBrowser::buildToolbar() {
    ClipStatLbl = new QLabel(PictureBar);
    ClipStatLbl->setObjectName(QStringLiteral("ClipStatLbl"));

    Toolbar1 = new QToolBar(PictureBar);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(QStringLiteral("Browser toolbar"));
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    // Opaque: the clock's label, which the tray may move under the toolbar, never shows through its buttons.
    Toolbar1->setAutoFillBackground(true);

    using BrowserIcons::Glyph;
    struct Button {
        const char* key;
        const char* toolTip; // empty for the credentials: they carry the user's own texts
        Glyph glyph;
    };
    // Index 1 to 12; a null key is a separator.
    const std::array<std::optional<Button>, 12> layout{{
        std::nullopt,
        Button{"back", "Go Back", Glyph::Back},
        Button{"forward", "Go Forward", Glyph::Forward},
        Button{"refresh", "Refresh", Glyph::Refresh},
        Button{"stop", "Stop", Glyph::Stop},
        Button{"sep", nullptr, Glyph::Back},
        Button{"user", "", Glyph::User},
        Button{"pass", "", Glyph::Password},
        std::nullopt,
        Button{"trash", "Clear User/Pass Captions", Glyph::Trash},
        std::nullopt,
        Button{"quorv", "Show Quorvane Screen", Glyph::MainWindow},
    }};
    for (size_t i = 0; i < layout.size(); ++i) {
        const std::optional<Button>& entry = layout[i];
        if (!entry || !entry->toolTip) {
            m_buttons[i] = Toolbar1->addSeparator();
            if (entry)
                m_buttons[i]->setObjectName(QString::fromLatin1(entry->key));
            continue;
        }
        const QString key = QString::fromLatin1(entry->key);
        const QString tip = QString::fromLatin1(entry->toolTip);
        QAction* action = Toolbar1->addAction(BrowserIcons::icon(entry->glyph), tip);
        action->setObjectName(key);
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        m_buttons[i] = action;
    }
    // The user name and the password are their buttons' tooltips; the buttons are named for what they do.
    Toolbar1->widgetForAction(button(7))->setAccessibleName(QStringLiteral("Copy User Name"));
    Toolbar1->widgetForAction(button(8))->setAccessibleName(QStringLiteral("Copy Password"));
}

void MiniBrowser::buildTray() {
    Picture1 = new QWidget(PictureBar);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    fill(Picture1, palette().color(QPalette::Base));

    Image3 = new ImageButton(BrowserIcons::icon(BrowserIcons::Glyph::ClearClipboard),
                             QStringLiteral("Clear Clipboard content"), ImageButton::Hover::Light, Picture1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setIconSize(QSize(16, 16));
    // Only the top of the picture's place shows inside the strip.
    Image3->setIconTop(1);

    Label2 = new QLabel(Picture1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAccessibleName(QStringLiteral("Clipboard"));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTrayCaption(QStringLiteral(" empty"));
}

void MiniBrowser::buildMenu() {
    TmnuMenu = new QMenu(QStringLiteral("Menu"), this);
    TmnuMenu->setObjectName(QStringLiteral("TmnuMenu"));
    TmnuMenu->addSeparator();
    mnuRestoreSize = TmnuMenu->addAction(QStringLiteral("&Restore"), this,
                                         [this] { withChrome([](BrowserChrome& c) { c.menuRestoreSize(); }); });
    mnuRestoreSize->setObjectName(QStringLiteral("mnuRestoreSize"));
    mnuMinimize = TmnuMenu->addAction(QStringLiteral("Mi&nimize"), this,
                                      [this] { withChrome([](BrowserChrome& c) { c.menuMinimize(); }); });
    mnuMinimize->setObjectName(QStringLiteral("mnuMinimize"));
    mnuMaximize = TmnuMenu->addAction(QStringLiteral("Ma&ximize"), this,
                                      [this] { withChrome([](BrowserChrome& c) { c.menuMaximize(); }); });
    mnuMaximize->setObjectName(QStringLiteral("mnuMaximize"));
    TmnuMenu->addSeparator();
    mnuClipbtray = TmnuMenu->addAction(QStringLiteral("Clipboard Tray"));
    mnuClipbtray->setObjectName(QStringLiteral("mnuClipbtray"));
    mnuClipbtray->setCheckable(true);
    mnuClipbtray->setChecked(true);
    // The item's check follows the tray, not the other way round.
    connect(mnuClipbtray, &QAction::triggered, this, [this] { withChrome([](BrowserChrome& c) { c.toggleTray(); }); });
    TmnuMenu->addSeparator();
    mnuExit = TmnuMenu->addAction(QStringLiteral("&Close        Alt+F4"), this, &QWidget::close);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
}

void MiniBrowser::buildShortcuts() {
    button(2)->setShortcut(QKeySequence::Back);
    button(3)->setShortcut(QKeySequence::Forward);
    button(4)->setShortcut(QKeySequence(Qt::Key_F5));
    // Without a system caption, the window's own menu and closing keys are the window's business.
    auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { showMenuAt(Image2->mapToGlobal(Image2->rect().bottomLeft())); });
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

void MiniBrowser::connectChrome() {
    const auto doubleClick = [this] { withChrome([](BrowserChrome& c) { c.titleDoubleClicked(); }); };
    for (TitleLabel* label : {lblbar, Label1, Label3})
        connect(label, &TitleLabel::doubleClicked, this, doubleClick);
    connect(lblbar, &TitleLabel::dragStarted, this, &MiniBrowser::DragWindow);
    connect(Label1, &TitleLabel::dragStarted, this, &MiniBrowser::DragWindow);
    connect(Image2, &QAbstractButton::clicked, this, [this] { showMenuAt(QCursor::pos()); });
    connect(minBtn, &QAbstractButton::clicked, this,
            [this] { withChrome([](BrowserChrome& c) { c.minimizeClicked(); }); });
    connect(Image7, &QAbstractButton::clicked, this,
            [this] { withChrome([](BrowserChrome& c) { c.maximizeClicked(); }); });
    connect(Image5, &QAbstractButton::clicked, this,
            [this] { withChrome([](BrowserChrome& c) { c.restoreClicked(); }); });
    connect(closebtn, &QAbstractButton::clicked, this, &QWidget::close);
    connect(Image3, &QAbstractButton::clicked, this, &MiniBrowser::ClearTray);
    connect(Frame1, &BrowserFrame::borderHovered, this,
            [this] { withChrome([](BrowserChrome& c) { c.mouseMovedOverFrame(); }); });
    connect(Frame1, &BrowserFrame::borderClicked, this,
            [this] { withChrome([](BrowserChrome& c) { c.ResetLayout(); }); });
    connect(Picture2, &ResizeGrip::pressed, this, [this] { withChrome([](BrowserChrome& c) { c.gripPressed(); }); });
    connect(Picture2, &ResizeGrip::moved, this,
            [this](QPoint at) { withChrome([at](BrowserChrome& c) { c.gripMoved(at * 15); }); });
    connect(Picture2, &ResizeGrip::released, this, [this] { withChrome([](BrowserChrome& c) { c.gripReleased(); }); });
}

void MiniBrowser::showLoaded() {
    // The design geometry is where the window goes when it is restored from maximised.
    const QRect design = pixels(BrowserChrome::DesignGeometry);
    setGeometry(design);
    withChrome([design](BrowserChrome& c) {
        c.windowMoved(design.topLeft() * 15);
        c.windowResized(design.size() * 15);
    });
    showMaximized();
    raise();
    activateWindow();
    m_control->widget()->setFocus();
}

void MiniBrowser::openLoginPage(const QString& text, const QUrl& address) {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    Text1->setText(text);
    Text1->setCursorPosition(0);
    m_control->Navigate(address);
}

void MiniBrowser::setCredentials(const QString& userName, const QString& password) {
    button(7)->setToolTip(userName);
    button(8)->setToolTip(password);
    button(8)->setData(password);
}

void MiniBrowser::ReloadLoginPage() {
    // The address the main window holds now, which may be another creditor's than the one opened.
    const QString text = m_hooks.loginAddress ? m_hooks.loginAddress() : QString();
    if (const std::optional<QUrl> address = webAddress(text))
        m_control->Navigate(*address);
}

void MiniBrowser::Toolbar1_ButtonClick(const QString& key) {
    if (key == u"back") {
        m_control->GoBack();
    } else if (key == u"forward") {
        m_control->GoForward();
    } else if (key == u"refresh") {
        ReloadLoginPage();
    } else if (key == u"stop") {
        // A page that never finishes must not keep the credentials locked.
        button(7)->setEnabled(true);
        button(8)->setEnabled(true);
        m_control->Stop();
    } else if (key == u"user") {
        CopyUserName();
    } else if (key == u"pass") {
        CopyPassword();
    } else if (key == u"trash") {
        ClearCredentials();
    } else if (key == u"quorv") {
        if (m_hooks.showMainWindow)
            m_hooks.showMainWindow();
    }
}

void MiniBrowser::WatchFirstLoad() {
    if (m_control->Busy()) {
        button(7)->setEnabled(false);
        button(8)->setEnabled(false);
        return;
    }
    Clipboard::clear();
    Timer1->stop();
    Clipboard::putText(QString());
    button(7)->setEnabled(true);
    button(8)->setEnabled(true);
}

void MiniBrowser::CopyUserName() {
    const QString userName = button(7)->toolTip();
    if (userName.isEmpty())
        return;
    Clipboard::putText(userName, true);
    ShowInTray(userName);
}

void MiniBrowser::CopyPassword() {
    const QString password = button(8)->data().toString();
    if (password.isEmpty())
        return;
    Clipboard::putText(password, true);
    ShowInTray(button(8)->toolTip());
}

void MiniBrowser::ClearCredentials() {
    button(7)->setToolTip(QString());
    button(8)->setToolTip(QString());
    button(8)->setData(QString());
    Clipboard::putText(button(7)->toolTip());
    setTrayCaption(QStringLiteral(" nothing  "));
}

void MiniBrowser::ShowInTray(const QString& text) {
    setTrayCaption(u' ' + text + QStringLiteral("  "));
    const int width = Label2->width() * 15;
    withChrome([width](BrowserChrome& c) { c.ShowInTray(width); });
}

void MiniBrowser::ClearTray() {
    Clipboard::clear();
    setTrayCaption(QStringLiteral(" empty  "));
    const int width = Label2->width() * 15;
    withChrome([width](BrowserChrome& c) { c.ClearTray(width); });
}

// The label sizes to its text; the tray around it follows only where a rule says so.
void MiniBrowser::setTrayCaption(const QString& caption) {
    Label2->setText(caption);
    Label2->resize(Label2->sizeHint().width(), Label2->height());
    m_chrome.setTrayLabelWidth(Label2->width() * 15);
}

void MiniBrowser::DragWindow() {
    if (m_chrome.state() != BrowserWindowState::Normal)
        return;
    if (QWindow* handle = windowHandle())
        handle->startSystemMove();
}

void MiniBrowser::SetSecureLockIcon(int level) {
    Image4->setVisible(level != 0);
}

void MiniBrowser::showMenuAt(const QPoint& globalPosition) {
    mnuClipbtray->setChecked(m_chrome.Picture1Visible);
    TmnuMenu->popup(globalPosition);
}

void MiniBrowser::Timer3Tick() {
    ClipStatLbl->setText(m_hooks.clock->now().time().toString(QStringLiteral("HH:mm:ss")));
}

void MiniBrowser::withChrome(const std::function<void(BrowserChrome&)>& rule) {
    if (const QScreen* display = screen())
        m_chrome.setScreen(display->geometry().size() * 15);
    rule(m_chrome);
    applyChrome();
}

void MiniBrowser::applyChrome() {
    const BrowserChrome& c = m_chrome;
    lblbar->setGeometry(pixels(c.lblbar));
    Label1->setGeometry(pixels(c.Label1));
    Label1->resize(Label1->sizeHint().width(), Label1->height());
    Image2->setGeometry(pixels(c.Image2));
    Image4->setGeometry(pixels(c.Image4));
    Label3->setGeometry(pixels(c.Label3));
    Text1->setGeometry(pixels(c.Text1));
    minBtn->setGeometry(pixels(c.minBtn));
    Image7->setGeometry(pixels(c.Image7));
    Image5->setGeometry(pixels(c.Image5));
    closebtn->setGeometry(pixels(c.closebtn));
    Image7->setVisible(c.Image7Visible);
    Image5->setVisible(c.Image5Visible);
    PictureBar->setGeometry(pixels(c.PictureBar));
    Toolbar1->setGeometry(pixels(c.Toolbar1));
    ClipStatLbl->setGeometry(pixels(c.ClipStatLbl));
    // The tray may reach past the window's edge; only the part inside is given to the widget to draw.
    QRect tray = pixels(c.Picture1);
    tray.setWidth(std::max(0, std::min(tray.width(), width() - PictureBar->x() - tray.x())));
    Picture1->setGeometry(tray);
    Picture1->setVisible(c.Picture1Visible);
    Image3->setGeometry(pixels(c.Image3));
    Label2->move(pixels(c.Label2).topLeft());
    Frame1->setGeometry(pixels(c.Frame1));
    m_control->widget()->setGeometry(pixels(c.WebBrowser1));
    Picture2->setGeometry(pixels(c.Picture2));
    Picture2->setVisible(c.Picture2Visible);
    mnuClipbtray->setChecked(c.Picture1Visible);
    if (!c.clockRunning && Timer3->isActive()) {
        Timer3->stop();
        ClipStatLbl->clear();
    }

    if (m_chrome.takeStateRequest()) {
        const BrowserWindowState wanted = m_chrome.state();
        if (wanted == BrowserWindowState::Minimized)
            showMinimized();
        else if (wanted == BrowserWindowState::Maximized)
            showMaximized();
        else
            showNormal();
    }
    if (m_chrome.takeGeometryRequest()) {
        setGeometry(pixels(m_chrome.window()));
    }
}

void MiniBrowser::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect& wanted = m_chrome.window();
    // A size the rules asked for has been laid out already, to the twip.
    if (event->size() == QSize(twips(wanted.width()), twips(wanted.height())))
        return;
    withChrome([size = event->size() * 15](BrowserChrome& c) { c.windowResized(size); });
}

void MiniBrowser::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    const QRect& wanted = m_chrome.window();
    if (pos() != QPoint(twips(wanted.left()), twips(wanted.top())))
        m_chrome.windowMoved(pos() * 15);
}

void MiniBrowser::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const Qt::WindowStates states = windowState();
    if (states & Qt::WindowMinimized)
        m_chrome.windowStateChanged(BrowserWindowState::Minimized);
    else if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        m_chrome.windowStateChanged(BrowserWindowState::Maximized);
    else
        m_chrome.windowStateChanged(BrowserWindowState::Normal);
}

// A click on the bare window surface, where no part of the chrome lies.
void MiniBrowser::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        withChrome([](BrowserChrome& c) { c.ResetLayout(); });
    QWidget::mouseReleaseEvent(event);
}
