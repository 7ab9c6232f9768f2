#pragma once

#include <array>
#include <functional>
#include <QObject>

class PaymentGrid;
class ProgramFiles;
class QMenu;
class QTableView;
struct PrefItems;
struct Services;

// What the user does with the records in the grid: sort by a header, copy a cell, remove a record.
class GridArea final : public QObject {
    Q_OBJECT

public:
    GridArea(QTableView& view, PaymentGrid& grid, const PrefItems& prefs, const ProgramFiles& files, Services& services,
             QObject* parent = nullptr);

    void RemovePaymentRecord();
    // Puts the current cell's text on the clipboard.
    void copyCurrentCell();
    // A click on a column's header: sorts it, ascending and descending in turn.
    void sortByColumn(int column);

    bool GridHasFocus() const { return m_gridHasFocus; }
    const std::array<bool, 4>& SortAscendingDone() const { return m_sortAscendingDone; }

    // Runs before the log is rewritten from the grid; a false answer stops the rewrite.
    std::function<bool()> beforeRewrite;

    QMenu* invismnu = nullptr;

Q_SIGNALS:
    void gridFocusChanged(bool hasFocus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showContextMenu(const QPoint& position);

    QTableView& m_view;
    PaymentGrid& m_grid;
    const PrefItems& m_prefs;
    const ProgramFiles& m_files;
    Services& m_services;
    bool m_gridHasFocus = false;
    std::array<bool, 4> m_sortAscendingDone{};
};
