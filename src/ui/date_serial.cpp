#include "date_serial.h"

#include <cmath>

namespace duskwheel::ui {

namespace {
const QDate kEpoch(1899, 12, 30);
}

double ToDateSerial(const QDateTime& moment) {
    const qint64 days = kEpoch.daysTo(moment.date());
    return static_cast<double>(days) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

QDate DateOfSerial(double serial) {
    return kEpoch.addDays(static_cast<qint64>(std::floor(serial)));
}

} // namespace duskwheel::ui
