#pragma once

#include "store/sort_keys.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <vector>

class QIODevice;

// The payment grid: a header row and rows of four record cells (Creditor, Date, Payment, Confirmation)
// plus an empty filler column, with the row rules of the log. Row numbers here are the grid's: row 0 is
// the header, row 1 the first record; the Qt model shows grid row r as model row r - 1.
//
// Records are kept as the log's own bytes in one buffer, a row being an offset and four field lengths,
// so a million records cost little more than the file itself.
class PaymentGrid final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Creditor = 0, Date = 1, Payment = 2, Confirmation = 3, Filler = 4 };
    static constexpr int DesignRows = 12;
    static constexpr int Columns = 5;
    static constexpr int RecordColumns = 4;

    explicit PaymentGrid(QObject* parent = nullptr);

    int rows() const { return int(m_rows.size()) + 1; }
    QString cell(int row, int column) const;
    QByteArrayView cellBytes(int row, int column) const;
    // False when the text holds a character that the log cannot carry.
    bool setCell(int row, int column, const QString& text);
    bool holdsRecord(int row) const { return !cellBytes(row, Creditor).isEmpty(); }
    // The first row from `from` on whose cell in the column holds exactly these bytes (an empty view: the
    // first empty cell), or 0. Reads only the rows' lengths but where they match: quick on a million rows.
    int findCell(int column, QByteArrayView bytes, int from = 1) const;
    void addRows(int count = 1);
    // Takes a row out; the rows below move up.
    void removeGridRow(int row);
    // The row's record line as the log holds it, line break included.
    QByteArray recordLine(int row) const;
    // Writes the log as the grid holds it: every row with a creditor, in grid order, then what the last load
    // could not read. False when the device did not take it all.
    bool writeLog(QIODevice& device) const;

    // Takes a record out: the rows below move up and an empty row comes at the end, so the number of rows
    // stays. putBack undoes it.
    struct TakenRow {
        int row = 0;
        QByteArray line;
    };
    TakenRow takeRecord(int row);
    void putBack(const TakenRow& taken);

    // Orders all rows below the header by one column; rows move whole and keep their order among equals.
    void sortRows(int column, bool ascending, SortKind kind);
    // Empty rows at the top go to the end; a grid without records keeps one empty row below the header. Only
    // a row whose cells are all empty moves, whatever column was sorted or clicked: a record with an empty
    // cell there is still a record.
    void CompactGridRows();

    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentColumn; }
    void setCurrentCell(int row, int column);

    struct LoadResult {
        bool opened = false;
        int records = 0;
        bool complete = true; // false when a line with fewer than three "|" ended the reading
    };
    // Shows the records of a log file. A file that cannot be read leaves the grid as it was; otherwise the
    // grid is cleared first, so no row of an earlier load stays behind.
    LoadResult loadFile(const QString& path);
    // What the last load did not read: the line that ended the reading and everything after it. A rewrite
    // of the log keeps it, so records the grid could not show are never dropped.
    const QByteArray& unreadTail() const { return m_unreadTail; }
    // Back to the design rows, all empty.
    void clearRows();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void currentCellChanged(int row, int column);

private:
    struct Row {
        qsizetype offset = 0;
        quint32 length[RecordColumns] = {0, 0, 0, 0};
    };
    qsizetype fieldOffset(const Row& row, int column) const;
    Row appendRow(const QByteArrayView fields[RecordColumns]);
    Row rowFromLine(QByteArrayView line);
    bool validRow(int row) const { return row >= 1 && row < rows(); }

    QByteArray m_bytes;
    std::vector<Row> m_rows; // grid rows 1..rows()-1
    QByteArray m_unreadTail;
    int m_currentRow = 1;
    int m_currentColumn = 0;
};
