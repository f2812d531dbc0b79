#pragma once
// Year dialog of the HTML year calendar.
// Created hidden at start-up; what it shows comes later.

#include <QDialog>

namespace duskwheel::ui {

class TDlgSelYear : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgSelYear(QWidget* parent = nullptr);
    ~TDlgSelYear() override;
};

} // namespace duskwheel::ui
