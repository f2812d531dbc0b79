#pragma once
// Convention editor. Created by the main window's creation handler,
// hidden; its editing comes later.

#include <QDialog>

namespace duskwheel::ui {

class TFormSettings : public QDialog {
    Q_OBJECT

  public:
    explicit TFormSettings(QWidget* parent = nullptr);
    ~TFormSettings() override;

    // data.cfg was read with a matching town count: the convention list shows
    // the nine convention names again.
    void RefillConventionList();
};

} // namespace duskwheel::ui
