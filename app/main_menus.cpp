#include "app/main_menus.h"

#include "app/toolbar_icons.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction* named(QAction* action, const char* name) {
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void run(const std::function<void()>& command) {
    if (command)
        command();
}

} // namespace

MainMenus::MainMenus(QMainWindow& window, QWidget& strip, Commands commands)
    : QObject(&window)
    , m_commands(std::move(commands)) {
    buildMenuBar(window);
    buildToolbar(strip);
    showOnTop(false);
    m_items.value(QStringLiteral("ontop"))->setText(QStringLiteral("On top"));
    showExpanded(true);
}

void MainMenus::buildMenuBar(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    const Commands& c = m_commands;

    Addmnu = bar->addMenu(QStringLiteral("&Add"));
    Addmnu->setObjectName(QStringLiteral("Addmnu"));
    mnuCreditorAdd =
        named(Addmnu->addAction(QStringLiteral("&Creditor"), this, [c] { run(c.addCreditor); }), "mnuCreditorAdd");
    mnuRecordAdd = named(Addmnu->addAction(QStringLiteral("&Record"), this, [c] { run(c.addRecord); }), "mnuRecordAdd");

    saveCleanmnu = bar->addMenu(QStringLiteral("&Store"));
    saveCleanmnu->setObjectName(QStringLiteral("saveCleanmnu"));
    Savemnu = named(saveCleanmnu->addAction(QStringLiteral("&Backup"), this, [c] { run(c.backup); }), "Savemnu");
    Rcovermnu = named(saveCleanmnu->addAction(QStringLiteral("R&ecover"), this, [c] { run(c.recover); }), "Rcovermnu");

    // A menu without items: choosing it runs the command.
    Rmovemnu = named(bar->addAction(QStringLiteral("Remove"), this, [c] { run(c.remove); }), "Rmovemnu");

    mnupreferences = bar->addMenu(QStringLiteral("&Preferences"));
    mnupreferences->setObjectName(QStringLiteral("mnupreferences"));
    mnuprefs =
        named(mnupreferences->addAction(QStringLiteral("&Settings"), this, [c] { run(c.settings); }), "mnuprefs");

    mnuWindow = bar->addMenu(QStringLiteral("&Window"));
    mnuWindow->setObjectName(QStringLiteral("mnuWindow"));
    mnuontop = named(mnuWindow->addAction(QStringLiteral("Always ontop"), this, [c] { run(c.onTop); }), "mnuontop");
    mnuontop->setCheckable(true);
    mnuExpand = named(mnuWindow->addAction(QStringLiteral("Expand"), this, [c] { run(c.expand); }), "mnuExpand");
    mnuShrink = named(mnuWindow->addAction(QStringLiteral("Shrink"), this, [c] { run(c.shrink); }), "mnuShrink");

    mnuReports = named(bar->addAction(QStringLiteral("&Reports"), this, [c] { run(c.reports); }), "mnuReports");

    Helpmnu = bar->addMenu(QStringLiteral("&Help"));
    Helpmnu->setObjectName(QStringLiteral("Helpmnu"));
    mnuHelp = named(Helpmnu->addAction(QStringLiteral("Help"), this, [c] { run(c.help); }), "mnuHelp");
    mnuHelp->setShortcut(QKeySequence::HelpContents);
    Aboutmnu = named(Helpmnu->addAction(QStringLiteral("Abo&ut"), this, [c] { run(c.about); }), "Aboutmnu");
    named(Helpmnu->addSeparator(), "sep");
    Exitmnu = named(Helpmnu->addAction(QStringLiteral("E&xit"), this, [c] { run(c.exit); }), "Exitmnu");
}

QToolButton* MainMenus::addButton(const QString& caption, const QString& key, int picture,
                                  const QList<std::pair<QString, QString>>& items) {
    auto* button = new QToolButton(Toolbar1);
    button->setObjectName(QStringLiteral("Toolbar1.") + key);
    button->setText(caption);
    button->setToolTip(caption);
    button->setAccessibleName(caption);
    button->setIcon(ToolbarIcons::icon(static_cast<ToolbarIcons::Picture>(picture)));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    if (!items.isEmpty()) {
        auto* menu = new QMenu(button);
        for (const auto& [itemCaption, itemKey] : items) {
            QAction* action = menu->addAction(itemCaption, this, [this, itemKey = itemKey] { itemChosen(itemKey); });
            action->setObjectName(QStringLiteral("Toolbar1.") + itemKey);
            m_items.insert(itemKey, action);
        }
        button->setMenu(menu);
        // The face does nothing; the arrow beside it opens the items.
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    connect(button, &QToolButton::clicked, this, [this, key] { buttonClicked(key); });
    Toolbar1->addWidget(button);
    m_buttons.insert(key, button);
    return button;
}

void MainMenus::buildToolbar(QWidget& strip) {
    using P = ToolbarIcons::Picture;
    Toolbar1 = new QToolBar(&strip);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(22, 22));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setStyleSheet(QStringLiteral("QToolBar { border: none; background: transparent; spacing: 1px; }"));
    addButton(QStringLiteral("Add"), QStringLiteral("add"), int(P::Add),
              {{QStringLiteral("&Creditor"), QStringLiteral("creditor")},
               {QStringLiteral("&Record"), QStringLiteral("record")}});
    addButton(QStringLiteral("Store"), QStringLiteral("store"), int(P::Store),
              {{QStringLiteral("&Backup"), QStringLiteral("backup")},
               {QStringLiteral("&Recover"), QStringLiteral("recover")}});
    addButton(QStringLiteral("Remove"), QStringLiteral("remove"), int(P::Remove), {});
    Toolbar1->addSeparator();
    addButton(QStringLiteral("Config"), QStringLiteral("preferences"), int(P::Config), {});
    addButton(QStringLiteral("Window"), QStringLiteral("window"), int(P::Window),
              {{QStringLiteral("On top"), QStringLiteral("ontop")},
               {QStringLiteral("&Expand"), QStringLiteral("expand")},
               {QStringLiteral("&Shrink"), QStringLiteral("shrink")}});
    Toolbar1->addSeparator();
    addButton(QStringLiteral("Report"), QStringLiteral("reports"), int(P::Report), {});
    addButton(
        QStringLiteral("Help"), QStringLiteral("help"), int(P::Help),
        {{QStringLiteral("&Content"), QStringLiteral("help")}, {QStringLiteral("&About"), QStringLiteral("about")}});
    Toolbar1->adjustSize();
}

void MainMenus::fitToolbar(int right) {
    QFont font = Toolbar1->font();
    while (Toolbar1->x() + Toolbar1->sizeHint().width() > right && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        for (QToolButton* button : std::as_const(m_buttons))
            button->setFont(font);
    }
    Toolbar1->adjustSize();
}

void MainMenus::buttonClicked(const QString& key) {
    if (key == u"preferences") {
        QToolButton* config = m_buttons.value(key);
        mnupreferences->popup(config->mapToGlobal(QPoint(0, config->height())));
    } else if (key == u"reports") {
        run(m_commands.reports);
    } else if (key == u"remove") {
        run(m_commands.remove);
    }
}

void MainMenus::itemChosen(const QString& key) {
    const Commands& c = m_commands;
    const QHash<QString, std::function<void()>> commands = {
        {QStringLiteral("creditor"), c.addCreditor}, {QStringLiteral("record"), c.addRecord},
        {QStringLiteral("backup"), c.backup},        {QStringLiteral("recover"), c.recover},
        {QStringLiteral("ontop"), c.onTop},          {QStringLiteral("expand"), c.expand},
        {QStringLiteral("shrink"), c.shrink},        {QStringLiteral("help"), c.help},
        {QStringLiteral("about"), c.about},
    };
    run(commands.value(key));
}

void MainMenus::showOnTop(bool onTop) {
    mnuontop->setChecked(onTop);
    m_items.value(QStringLiteral("ontop"))->setText(onTop ? QStringLiteral("off Top") : QStringLiteral("on Top"));
}

void MainMenus::showExpanded(bool expanded) {
    mnuExpand->setEnabled(!expanded);
    m_items.value(QStringLiteral("expand"))->setEnabled(!expanded);
    mnuShrink->setEnabled(expanded);
    m_items.value(QStringLiteral("shrink"))->setEnabled(expanded);
}
