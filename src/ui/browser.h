#pragma once
// Embedded browser: the web location lookup, the help page and the update check.
// Created hidden at start-up; what it shows comes later.

#include <QWidget>

namespace duskwheel::ui {

class TFormBrowser : public QWidget {
    Q_OBJECT

  public:
    explicit TFormBrowser(QWidget* parent = nullptr);
    ~TFormBrowser() override;
};

} // namespace duskwheel::ui
