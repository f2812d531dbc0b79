#pragma once
// Month dialog of the HTML month calendar.
// Created hidden at start-up; what it shows comes later.

#include <QDialog>

namespace duskwheel::ui {

class TDlgSelMounth : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgSelMounth(QWidget* parent = nullptr);
    ~TDlgSelMounth() override;
};

} // namespace duskwheel::ui
