#pragma once

#include "prefs/pref_items.h"
#include "store/data_folder.h"
#include "store/payment_grid.h"

#include <functional>
#include <QMainWindow>
#include <QStringList>

struct Services;
class EntryArea;
class DetailsArea;
class CaptionLabel;
class DetailCaptions;
class GridArea;
class Housekeeping;
class StorageCommands;
class MainMenus;
class RecordEntry;
class QFrame;
class QMenu;
class QTableView;

// The main window: it owns the run-time state (preferences, grid, creditor lists, focus-aid colours) and
// assembles the areas that show and change it.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load step: preferences, today's date, the grid, the log and the creditor list.
    void Form_Load();

    // Commands.
    void AddCreditor();
    void AddPaymentRecord();
    void RemovePaymentRecord();
    void ApplyWindowPreferences();
    // Window modes.
    void ToggleAlwaysOnTop();
    // The Window menu's and toolbar's "on top": the wish flips, then the mode follows it.
    void chooseAlwaysOnTop();
    void ExpandWindow();
    void ShrinkWindow();
    bool isOnTop() const;
    bool OnTopWanted() const { return m_onTopWanted; }
    void showAbout();
    void showReports();
    void openHelp();
    void openSettings();

    // Shows the records of a log file; an empty path means the program's own log, and is set to it.
    PaymentGrid::LoadResult LoadPaymentLog(QString& path);
    void LoadCreditorList();

    PaymentGrid& grid() { return m_grid; }
    const PrefItems& prefItems() const { return m_prefs; }
    const QStringList& creditorEntries() const { return List1; }
    const ProgramFiles& files() const { return m_files; }
    const QString& startMinute() const { return StartMinute; }
    int focusColor() const { return FocusColor; }
    int noFocusColor() const { return NoFocusColor; }

    EntryArea* entry() const { return m_entry; }
    DetailsArea* details() const { return m_details; }
    RecordEntry* recordEntry() const { return m_recordEntry; }
    MainMenus* menus() const { return m_menus; }
    StorageCommands* storage() const { return m_storage; }
    Housekeeping* housekeeping() const { return m_housekeeping; }
    GridArea* gridArea() const { return m_gridArea; }
    DetailCaptions* captions() const { return m_captions; }
    QTableView* FlexGr = nullptr;
    QFrame* topBack = nullptr;
    QFrame* SortBack = nullptr;
    QFrame* GridBack = nullptr;
    CaptionLabel* Picture2 = nullptr; // the quit picture

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildMenus(QWidget& strip);
    // Another window that must not be covered: the on-top mode is dropped while it is shown and comes back
    // after, if it is still wanted.
    void dropOnTopWhile(const std::function<void()>& showAndWait);
    void buildAreas();
    void SetUpPaymentGrid();
    void setPanelColor(QFrame* panel, int rgb);
    // Colours the focus aids: the area that has the focus in FocusColor, the others in NoFocusColor.
    void ShowFocusAids(bool gridHasFocus);
    void syncGridCurrentCell(int row, int column);
    QString titleText(bool hovered) const;

    Services& m_services;
    ProgramFiles m_files;
    PaymentGrid m_grid;
    PrefItems m_prefs;
    QStringList List1; // every creditor entry, plain, in file order
    QString StartMinute;
    int FocusColor = 65280;
    int NoFocusColor = 255;

    EntryArea* m_entry = nullptr;
    DetailsArea* m_details = nullptr;
    RecordEntry* m_recordEntry = nullptr;
    GridArea* m_gridArea = nullptr;
    DetailCaptions* m_captions = nullptr;
    StorageCommands* m_storage = nullptr;
    Housekeeping* m_housekeeping = nullptr;
    QString m_titleNote; // which stored copy the grid shows, if any
    MainMenus* m_menus = nullptr;
    bool m_onTopWanted = false;
    bool m_onTop = false; // the menu's check mark shows it
};
