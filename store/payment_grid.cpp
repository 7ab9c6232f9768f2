#include "store/payment_grid.h"

#include "store/huge_pages.h"
#include "store/text_codec.h"

#include <algorithm>
#include <cstring>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>

namespace {

const char* findByte(const char* from, const char* end, char byte) {
    return static_cast<const char*>(std::memchr(from, byte, size_t(end - from)));
}

// Counts the line breaks, a few hundred bytes at a time into a byte-wide counter, which the compiler turns
// into wide vector compares: several times faster than counting into a full-size integer.
size_t countLines(QByteArrayView bytes) {
    size_t total = 0;
    const char* p = bytes.data();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const size_t chunk = std::min<size_t>(left, 255);
        unsigned char lines = 0;
        for (size_t i = 0; i < chunk; ++i)
            lines += p[i] == '\n' ? 1 : 0;
        total += lines;
        p += chunk;
        left -= chunk;
    }
    return total;
}

// A number as an integer of the same order; minus zero counts as zero.
quint64 orderedBits(double value) {
    if (value == 0)
        value = 0;
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    constexpr quint64 Sign = quint64(1) << 63;
    return (bits & Sign) ? ~bits : bits | Sign;
}

// Room kept after the bytes of the records for those still to come, so that adding one does not copy them
// all to a new place: for a million records that copy would hold the window for a moment.
qsizetype headroomFor(qsizetype size) {
    return size / 16 + 4096;
}

// The whole file in one buffer, with its number of line breaks; false when it could not be read. It is read
// a piece at a time, and each piece's line breaks are counted while the piece is still in the processor's
// cache, which saves going over a million records' bytes once more.
bool readWhole(QFile& file, QByteArray& bytes, size_t& lines) {
    lines = 0;
    const qint64 size = file.size();
    if (size <= 0) {
        bytes = file.readAll();
        lines = countLines(bytes);
        return file.error() == QFileDevice::NoError;
    }
    bytes = QByteArray();
    bytes.reserve(qsizetype(size) + headroomFor(qsizetype(size)));
    bytes.resize(qsizetype(size));
    preferHugePages(bytes.constData(), size_t(bytes.capacity()));
    constexpr qint64 Piece = qint64(1) << 20;
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(bytes.data() + got, std::min(Piece, size - got));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        lines += countLines(QByteArrayView(bytes.constData() + got, qsizetype(n)));
        got += n;
    }
    bytes.truncate(qsizetype(got));
    // A file that grew while it was read: the rest too.
    const QByteArray rest = file.readAll();
    lines += countLines(rest);
    bytes += rest;
    return file.error() == QFileDevice::NoError;
}

} // namespace

PaymentGrid::PaymentGrid(QObject* parent)
    : QAbstractTableModel(parent)
    , m_rows(DesignRows - 1) {}

qsizetype PaymentGrid::fieldOffset(const Row& row, int column) const {
    qsizetype offset = row.offset;
    for (int c = 0; c < column; ++c)
        offset += qsizetype(row.length[c]) + 1;
    return offset;
}

QByteArrayView PaymentGrid::cellBytes(int row, int column) const {
    if (!validRow(row) || column < 0 || column >= RecordColumns)
        return {};
    const Row& r = m_rows[size_t(row - 1)];
    if (r.length[column] == 0)
        return {};
    return QByteArrayView(m_bytes.constData() + fieldOffset(r, column), qsizetype(r.length[column]));
}

int PaymentGrid::findCell(int column, QByteArrayView bytes, int from) const {
    if (column < 0 || column >= RecordColumns)
        return 0;
    for (size_t i = size_t(std::max(from, 1) - 1); i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        if (qsizetype(r.length[column]) != bytes.size())
            continue;
        if (bytes.isEmpty() ||
            std::memcmp(m_bytes.constData() + fieldOffset(r, column), bytes.data(), size_t(bytes.size())) == 0)
            return int(i) + 1;
    }
    return 0;
}

QString PaymentGrid::cell(int row, int column) const {
    return TextCodec::decode(cellBytes(row, column));
}

PaymentGrid::Row PaymentGrid::appendRow(const QByteArrayView fields[RecordColumns]) {
    // A row's four fields always stand together, joined by "|", so that its record line is one slice.
    qsizetype needed = RecordColumns - 1;
    for (int c = 0; c < RecordColumns; ++c)
        needed += fields[c].size();
    if (m_bytes.capacity() - m_bytes.size() < needed) {
        // Moved by hand, onto huge pages and with room to spare; the fields never point into the buffer.
        QByteArray grown;
        grown.reserve(m_bytes.size() + needed + headroomFor(m_bytes.size() + needed));
        preferHugePages(grown.constData(), size_t(grown.capacity()));
        grown.append(m_bytes);
        m_bytes = std::move(grown);
    }
    Row row;
    row.offset = m_bytes.size();
    for (int c = 0; c < RecordColumns; ++c) {
        if (c > 0)
            m_bytes.append('|');
        m_bytes.append(fields[c]);
        row.length[c] = quint32(fields[c].size());
    }
    return row;
}

bool PaymentGrid::setCell(int row, int column, const QString& text) {
    if (!validRow(row) || column < 0 || column >= RecordColumns)
        return false;
    const std::optional<QByteArray> bytes = TextCodec::encode(text);
    if (!bytes)
        return false;
    // Copy the other fields first: appending may move the buffer they point into.
    QByteArray keep[RecordColumns];
    QByteArrayView fields[RecordColumns];
    for (int c = 0; c < RecordColumns; ++c) {
        keep[c] = c == column ? *bytes : cellBytes(row, c).toByteArray();
        fields[c] = keep[c];
    }
    m_rows[size_t(row - 1)] = appendRow(fields);
    const QModelIndex changed = index(row - 1, column);
    Q_EMIT dataChanged(changed, changed);
    return true;
}

void PaymentGrid::addRows(int count) {
    if (count <= 0)
        return;
    beginInsertRows({}, rowCount(), rowCount() + count - 1);
    m_rows.resize(m_rows.size() + size_t(count));
    endInsertRows();
}

void PaymentGrid::removeGridRow(int row) {
    if (!validRow(row))
        return;
    beginRemoveRows({}, row - 1, row - 1);
    m_rows.erase(m_rows.begin() + (row - 1));
    endRemoveRows();
}

QByteArray PaymentGrid::recordLine(int row) const {
    if (!validRow(row))
        return {};
    const Row& r = m_rows[size_t(row - 1)];
    qsizetype length = RecordColumns - 1;
    for (quint32 l : r.length)
        length += qsizetype(l);
    QByteArray line;
    line.reserve(length + 2);
    if (r.length[0] + r.length[1] + r.length[2] + r.length[3] == 0)
        line.append("|||");
    else
        line.append(m_bytes.constData() + r.offset, length);
    line.append("\r\n");
    return line;
}

bool PaymentGrid::writeLog(QIODevice& device) const {
    // Streams the rows in large blocks: a million records are written without building one huge buffer, and
    // each line goes straight from the grid's bytes into the block, which keeps its memory from block to
    // block.
    constexpr qsizetype BlockSize = 1 << 20;
    QByteArray block;
    block.reserve(BlockSize + 4096);
    const char* const bytes = m_bytes.constData();
    for (const Row& r : m_rows) {
        if (r.length[Creditor] == 0)
            continue;
        const qsizetype length = qsizetype(r.length[0]) + r.length[1] + r.length[2] + r.length[3] + RecordColumns - 1;
        block.append(bytes + r.offset, length);
        block.append("\r\n", 2);
        if (block.size() >= BlockSize) {
            if (device.write(block) != block.size())
                return false;
            block.resize(0);
        }
    }
    block += m_unreadTail;
    return device.write(block) == block.size();
}

PaymentGrid::Row PaymentGrid::rowFromLine(QByteArrayView line) {
    QByteArrayView fields[RecordColumns];
    for (int c = 0; c < RecordColumns; ++c) {
        const qsizetype bar = c < RecordColumns - 1 ? line.indexOf('|') : -1;
        fields[c] = bar < 0 ? line : line.first(bar);
        line = bar < 0 ? QByteArrayView() : line.sliced(bar + 1);
    }
    return appendRow(fields);
}

PaymentGrid::TakenRow PaymentGrid::takeRecord(int row) {
    TakenRow taken;
    if (!validRow(row) || !holdsRecord(row))
        return taken;
    taken.row = row;
    taken.line = recordLine(row);
    taken.line.chop(2);
    beginRemoveRows({}, row - 1, row - 1);
    m_rows.erase(m_rows.begin() + (row - 1));
    endRemoveRows();
    addRows(1);
    return taken;
}

void PaymentGrid::putBack(const TakenRow& taken) {
    if (!validRow(taken.row))
        return;
    const QByteArray line = taken.line; // the buffer may move while the row is copied into it
    const Row restored = rowFromLine(line);
    // The empty row added at the end by takeRecord goes again.
    if (!holdsRecord(rows() - 1)) {
        beginRemoveRows({}, rowCount() - 1, rowCount() - 1);
        m_rows.pop_back();
        endRemoveRows();
    }
    beginInsertRows({}, taken.row - 1, taken.row - 1);
    m_rows.insert(m_rows.begin() + (taken.row - 1), restored);
    endInsertRows();
}

void PaymentGrid::sortRows(int column, bool ascending, SortKind kind) {
    if (column < 0 || column >= RecordColumns)
        return;
    const SortKeyMaker maker(kind);
    // One small key per row, made without allocating; texts are numbered by their order first. Every key
    // becomes a category and a number that sort as plain integers, turned around for a descending sort.
    std::vector<SortEntry> keyed;
    reserveLarge(keyed, m_rows.size());
    TextRanks texts(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const QByteArrayView cell = cellBytes(int(i) + 1, column);
        const SortKey key = maker.make(cell);
        keyed.push_back(
            {key.category == SortKey::Text ? texts.add(cell) : orderedBits(key.value), quint32(i), key.category});
    }
    const std::vector<quint32> ranks = texts.ranks();
    for (SortEntry& entry : keyed) {
        if (entry.category == SortKey::Text)
            entry.order = ranks[size_t(entry.order)];
        // Descending turns the order of the cells around; empty cells stay last either way.
        if (!ascending && entry.category != SortKey::Empty) {
            entry.category = quint8(SortKey::Text - entry.category);
            entry.order = ~entry.order;
        }
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    sortEntries(keyed);

    std::vector<Row> sorted;
    reserveLarge(sorted, m_rows.capacity());
    for (size_t i = 0; i < keyed.size(); ++i) {
#if defined(__GNUC__)
        // The rows are fetched from all over memory: ask for the next ones early.
        if (i + 16 < keyed.size())
            __builtin_prefetch(&m_rows[keyed[i + 16].row]);
#endif
        sorted.push_back(m_rows[keyed[i].row]);
    }
    // The few places that views hold on to (the current cell, the selection) move with their rows.
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    if (!persistent.isEmpty()) {
        std::vector<bool> held(m_rows.size());
        for (const QModelIndex& index : persistent) {
            if (index.isValid())
                held[size_t(index.row())] = true;
        }
        QHash<int, int> newPlace;
        for (size_t i = 0; i < keyed.size(); ++i) {
            if (held[keyed[i].row])
                newPlace.insert(int(keyed[i].row), int(i));
        }
        for (const QModelIndex& index : persistent)
            moved.append(index.isValid() ? this->index(newPlace.value(index.row()), index.column()) : index);
    }
    keyed = {};
    m_rows = std::move(sorted);
    changePersistentIndexList(persistent, moved);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PaymentGrid::CompactGridRows() {
    setCurrentCell(1, m_currentColumn);
    // Only rows that hold nothing at all move down. A record with an empty cell in the column looked at is
    // still a record: taking it out of the grid would drop it from the log at the next rewrite.
    const auto blank = [this](int row) {
        for (int c = 0; c < RecordColumns; ++c) {
            if (!cellBytes(row, c).isEmpty())
                return false;
        }
        return true;
    };
    int leading = 0;
    while (leading < int(m_rows.size()) - 1 && blank(leading + 1))
        ++leading;
    if (leading == 0)
        return;
    beginRemoveRows({}, 0, leading - 1);
    m_rows.erase(m_rows.begin(), m_rows.begin() + leading);
    endRemoveRows();
    // Only a grid that still holds something below gets its rows back; an empty grid keeps one empty row.
    if (!blank(1))
        addRows(leading);
}

void PaymentGrid::setCurrentCell(int row, int column) {
    if (row == m_currentRow && column == m_currentColumn)
        return;
    m_currentRow = row;
    m_currentColumn = column;
    Q_EMIT currentCellChanged(row, column);
}

void PaymentGrid::clearRows() {
    beginResetModel();
    m_bytes.clear();
    m_rows.assign(DesignRows - 1, Row{});
    m_unreadTail.clear();
    endResetModel();
}

PaymentGrid::LoadResult PaymentGrid::loadFile(const QString& path) {
    LoadResult result;
    // Only a regular file is a log: a folder or a device in its place (a device may never end) loads nothing.
    if (!QFileInfo(path).isFile())
        return result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QByteArray bytes;
    size_t lines = 0;
    const bool read = readWhole(file, bytes, lines);
    file.close();
    if (!read)
        return result;
    result.opened = true;

    beginResetModel();
    // The file's bytes become the grid's buffer: each record points at its own line.
    m_bytes = std::move(bytes);
    m_rows.clear();
    m_unreadTail.clear();
    // Room for the records to come, so that adding one seldom moves them all.
    reserveLarge(m_rows, lines + lines / 16 + 64);

    const char* const begin = m_bytes.constData();
    const char* const end = begin + m_bytes.size();
    const char* line = begin;
    while (line < end) {
        const char* newline = findByte(line, end, '\n');
        const char* next = newline ? newline + 1 : end;
        const char* lineEnd = newline ? newline : end;
        if (lineEnd > line && lineEnd[-1] == '\r')
            --lineEnd;
        if (lineEnd == line) {
            line = next;
            continue;
        }
        const char* bar1 = findByte(line, lineEnd, '|');
        const char* bar2 = bar1 ? findByte(bar1 + 1, lineEnd, '|') : nullptr;
        const char* bar3 = bar2 ? findByte(bar2 + 1, lineEnd, '|') : nullptr;
        if (!bar3) {
            // A line that is not a record ends the reading; it and all after it are kept as they are.
            m_unreadTail = m_bytes.sliced(line - begin);
            result.complete = false;
            break;
        }
        Row row;
        row.offset = line - begin;
        row.length[0] = quint32(bar1 - line);
        row.length[1] = quint32(bar2 - bar1 - 1);
        row.length[2] = quint32(bar3 - bar2 - 1);
        row.length[3] = quint32(lineEnd - bar3 - 1);
        m_rows.push_back(row);
        ++result.records;
        line = next;
    }
    // The grid keeps its design rows and grows one row ahead of the records, so an empty row always follows
    // the last one.
    const size_t wanted = std::max<size_t>(DesignRows - 1, size_t(result.records) + 1);
    m_rows.resize(wanted);
    endResetModel();

    if (result.records > 0)
        setCurrentCell(result.records, Confirmation);
    return result;
}

int PaymentGrid::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows() - 1;
}

int PaymentGrid::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant PaymentGrid::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return cell(index.row() + 1, index.column());
    return {};
}

QVariant PaymentGrid::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case Creditor:
            return QStringLiteral("Creditor");
        case Date:
            return QStringLiteral("Date");
        case Payment:
            return QStringLiteral("Payment");
        case Confirmation:
            return QStringLiteral("Confirmation");
        default:
            return QString();
        }
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}
