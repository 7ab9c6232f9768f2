#pragma once

#include "prefs/pref_items.h"
#include "store/data_folder.h"
#include "store/payment_grid.h"

#include <QMainWindow>
#include <QStringList>

struct Services;
class EntryArea;
class DetailsArea;
class CaptionLabel;
class DetailCaptions;
class GridArea;
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
    void buildMenus();
    void buildAreas();
    void SetUpPaymentGrid();
    void setPanelColor(QFrame* panel, int rgb);
    // Colours the focus aids: the area that has the focus in FocusColor, the others in NoFocusColor.
    void ShowFocusAids(bool gridHasFocus);
    void syncGridCurrentCell(int row, int column);

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
    QMenu* Addmnu = nullptr;
    QMenu* Helpmnu = nullptr;
};
