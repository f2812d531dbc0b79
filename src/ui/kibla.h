#pragma once
// Qibla compass: the Qibla bearing and the Sun's bearing drawn on a compass.
// Created hidden at start-up; what it shows comes later.

#include <QWidget>

namespace duskwheel::ui {

class TFormKibla : public QWidget {
    Q_OBJECT

  public:
    explicit TFormKibla(QWidget* parent = nullptr);
    ~TFormKibla() override;
};

} // namespace duskwheel::ui
