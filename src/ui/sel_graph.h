#pragma once
// Graph dialog of the year graph.
// Created hidden at start-up; what it shows comes later.

#include <QDialog>

namespace duskwheel::ui {

class TDlgSelGraph : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgSelGraph(QWidget* parent = nullptr);
    ~TDlgSelGraph() override;
};

} // namespace duskwheel::ui
