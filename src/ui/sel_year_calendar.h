#pragma once
// Wall-calendar dialog: created at start-up, never shown (its menu items are hidden).
// Created hidden at start-up; what it shows comes later.

#include <QDialog>

namespace duskwheel::ui {

class TDlgSelYearCalendar : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgSelYearCalendar(QWidget* parent = nullptr);
    ~TDlgSelYearCalendar() override;
};

} // namespace duskwheel::ui
