#pragma once
// Town editor, with the GPS receiver's serial port.
// Created by the main window's creation handler, owned by it, hidden; its
// editing comes later. Until the GPS receiver has its port, it only keeps the
// port name and speed index that Duskwheel.ini holds, so that they
// are written back unchanged.

#include <QDialog>
#include <QString>

namespace duskwheel::ui {

class TFormTowns : public QDialog {
    Q_OBJECT

  public:
    explicit TFormTowns(QWidget* parent = nullptr);
    ~TFormTowns() override;

    // The serial-port component's port name and its speed as an index in the
    // speed table of Duskwheel.ini (10 = 38400 bit/s, the component's own default).
    QString ComPortName = QStringLiteral("COM46");
    int ComBaudRateIndex = 10;

    // data.cfg was read with a matching town count: the convention list shows
    // the nine convention names again.
    void RefillConventionList();
};

} // namespace duskwheel::ui
