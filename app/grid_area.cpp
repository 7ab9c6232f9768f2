#include "app/grid_area.h"

#include "platform/clipboard.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "prefs/pref_items.h"
#include "store/data_folder.h"
#include "store/log_file.h"
#include "store/payment_grid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

// Draws at most the first thousand characters of a cell. A log that no version of the program wrote may
// hold a line of megabytes, and laying out such a text would hold the window for seconds at every repaint;
// no column is that wide anyway. Copy still takes the whole cell.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr qsizetype MostShown = 1000;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->text.size() > MostShown)
            option->text.truncate(MostShown);
    }
};

} // namespace

GridArea::GridArea(QTableView& view, PaymentGrid& grid, const PrefItems& prefs, const ProgramFiles& files,
                   Services& services, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_grid(grid)
    , m_prefs(prefs)
    , m_files(files)
    , m_services(services) {
    invismnu = new QMenu(QStringLiteral("Menu2"), &view);
    invismnu->setObjectName(QStringLiteral("invismnu"));
    QAction* remove = invismnu->addAction(QStringLiteral("Remo&ve"), this, &GridArea::RemovePaymentRecord);
    remove->setObjectName(QStringLiteral("mnu2Remove"));
    QAction* copy = invismnu->addAction(QStringLiteral("&Copy"), this, &GridArea::copyCurrentCell);
    copy->setObjectName(QStringLiteral("mnuCopy"));

    view.setItemDelegate(new CellDelegate(&view));
    view.installEventFilter(this);
    view.viewport()->installEventFilter(this);
    view.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&view, &QWidget::customContextMenuRequested, this, &GridArea::showContextMenu);
    QHeaderView* header = view.horizontalHeader();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &GridArea::sortByColumn);
}

bool GridArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view) {
        if (event->type() == QEvent::FocusIn) {
            m_gridHasFocus = true;
            Q_EMIT gridFocusChanged(true);
        } else if (event->type() == QEvent::FocusOut) {
            // A menu or message box over the grid does not take the focus away from it for good.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                m_gridHasFocus = false;
                Q_EMIT gridFocusChanged(false);
            }
        }
    } else if (watched == m_view.viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button != Qt::LeftButton && button != Qt::RightButton)
            m_grid.CompactGridRows();
    }
    return QObject::eventFilter(watched, event);
}

void GridArea::showContextMenu(const QPoint& position) {
    invismnu->exec(m_view.viewport()->mapToGlobal(position));
    m_grid.CompactGridRows();
}

void GridArea::sortByColumn(int column) {
    if (column < 0 || column >= PaymentGrid::RecordColumns) {
        m_grid.CompactGridRows();
        return;
    }
    bool& ascendingDone = m_sortAscendingDone[size_t(column)];
    ascendingDone = !ascendingDone;
    const bool ascending = ascendingDone;
    m_grid.sortRows(column, ascending, column == PaymentGrid::Creditor ? SortKind::Text : SortKind::Numeric);
    m_grid.setCurrentCell(1, column);
    m_grid.CompactGridRows();
    m_view.horizontalHeader()->setSortIndicatorShown(true);
    m_view.horizontalHeader()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void GridArea::copyCurrentCell() {
    Clipboard::putText(m_grid.cell(m_grid.currentRow(), m_grid.currentColumn()));
}

void GridArea::RemovePaymentRecord() {
    if (!m_gridHasFocus)
        return;
    if (m_services.prompter.ask({QStringLiteral("Are you sure you want to permanently remove the entry?"),
                                 QStringLiteral("Removal Confirmation"), Prompt::Buttons::YesNo, Prompt::Icon::None}) !=
        Prompt::Answer::Yes)
        return;
    const PaymentGrid::TakenRow taken = m_grid.takeRecord(m_grid.currentRow());
    if (m_prefs.isOn(PrefItems::DBdl))
        return;
    const bool mayRewrite = !beforeRewrite || beforeRewrite();
    if (!mayRewrite || !rewriteLog(m_files.paymentLog(), m_grid)) {
        // The log still holds the record, so the grid shows it again.
        m_grid.putBack(taken);
        m_grid.setCurrentCell(taken.row, m_grid.currentColumn());
        if (mayRewrite)
            m_services.prompter.fail(QStringLiteral("Failed to Save to DataBase"),
                                     QStringLiteral("Disk Access Error 02"));
        return;
    }
    m_services.prompter.inform(QStringLiteral("Item Removed"));
}
