#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the report window opens: its top at the lower edge of the main window's toolbar, centred
// horizontally on the main window. A window that would stick out of the screen's available area is moved
// back onto it, so that its title bar can always be reached. All in global coordinates, frames included.
QPoint reportPosition(const QRect& mainFrame, int toolbarBottom, const QSize& ownFrame, const QRect& available);
