#pragma once
// Hidden LCD panel: never shown, no behaviour (its menu item is hidden).
// Created hidden at start-up; what it shows comes later.

#include <QWidget>

namespace duskwheel::ui {

class TFormLCD : public QWidget {
    Q_OBJECT

  public:
    explicit TFormLCD(QWidget* parent = nullptr);
    ~TFormLCD() override;
};

} // namespace duskwheel::ui
