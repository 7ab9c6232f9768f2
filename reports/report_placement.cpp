#include "reports/report_placement.h"

#include <algorithm>

QPoint reportPosition(const QRect& mainFrame, int toolbarBottom, const QSize& ownFrame, const QRect& available) {
    int left = mainFrame.left() + mainFrame.width() / 2 - ownFrame.width() / 2;
    int top = toolbarBottom;
    if (available.isValid()) {
        // Where the window is larger than the screen, its top left corner stays visible.
        left = std::max(available.left(), std::min(left, available.right() + 1 - ownFrame.width()));
        top = std::max(available.top(), std::min(top, available.bottom() + 1 - ownFrame.height()));
    }
    return {left, top};
}
