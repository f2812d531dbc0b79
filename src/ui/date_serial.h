#pragma once
// Date-times as the program state keeps them: days since 30 December 1899,
// the time of day as the fraction (LastRefreshDate).

#include <QDate>
#include <QDateTime>

namespace duskwheel::ui {

double ToDateSerial(const QDateTime& moment);
// The calendar date of a serial (its whole days).
QDate DateOfSerial(double serial);

} // namespace duskwheel::ui
