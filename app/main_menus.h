#pragma once

#include <functional>
#include <QHash>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

// The main window's menu bar and toolbar: which item or button starts which command. The toolbar's buttons
// and drop-down items are dispatched on their keys.
class MainMenus final : public QObject {
    Q_OBJECT

public:
    struct Commands {
        std::function<void()> addCreditor, addRecord, backup, recover, remove, settings;
        std::function<void()> onTop, expand, shrink, reports, help, about, exit;
    };

    MainMenus(QMainWindow& window, QWidget& strip, Commands commands);

    // A button's face: only "preferences", "reports" and "remove" act; the drop-down buttons' faces do not.
    void buttonClicked(const QString& key);
    // A drop-down item; an unknown key does nothing.
    void itemChosen(const QString& key);

    // The check mark of "Always ontop" and the text of the Window button's first item follow the mode.
    void showOnTop(bool onTop);
    // The height mode: the command that would change nothing is disabled, in the menu and the toolbar.
    void showExpanded(bool expanded);

    QToolButton* button(const QString& key) const { return m_buttons.value(key); }
    QAction* item(const QString& key) const { return m_items.value(key); }

    QMenu* Addmnu = nullptr;
    QMenu* saveCleanmnu = nullptr;
    QMenu* mnupreferences = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* Helpmnu = nullptr;
    QAction* mnuCreditorAdd = nullptr;
    QAction* mnuRecordAdd = nullptr;
    QAction* Savemnu = nullptr;
    QAction* Rcovermnu = nullptr;
    QAction* Rmovemnu = nullptr;
    QAction* mnuprefs = nullptr;
    QAction* mnuontop = nullptr;
    QAction* mnuExpand = nullptr;
    QAction* mnuShrink = nullptr;
    QAction* mnuReports = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* Aboutmnu = nullptr;
    QAction* Exitmnu = nullptr;
    QToolBar* Toolbar1 = nullptr;
    // The window has a fixed width: with a large desktop font the buttons' captions are made smaller until
    // the toolbar ends before the given x (in the strip), so that no button hides under the quit picture.
    void fitToolbar(int right);

private:
    void buildMenuBar(QMainWindow& window);
    void buildToolbar(QWidget& strip);
    QToolButton* addButton(const QString& caption, const QString& key, int picture,
                           const QList<std::pair<QString, QString>>& items);

    Commands m_commands;
    QHash<QString, QToolButton*> m_buttons;
    QHash<QString, QAction*> m_items;
};
