#pragma once

#include <QString>
#include <QTime>

// Rules of the main window that need no window.
namespace MainRules {

// The minute of the hour at which the window was loaded, as two characters ("05" at 9:05).
QString startMinute(const QTime& time);

// The date cell of a record: each part of the date text shorter than two characters gets a leading "0".
QString padDateCell(const QString& dateText);

} // namespace MainRules
