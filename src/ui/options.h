#pragma once
// The display-options window: five controls that
// switch the detached display. They are the only store of these options
// while the program runs; Read_ini and Write_ini read and set them.
// Setting a control from code runs its handler when the value changes, as a
// user's change does.

#include <QDialog>

class QCheckBox;
class QPushButton;
class QScrollBar;

namespace duskwheel::ui {

class TFormDisplay;

class TFormOptions : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kWidth = 217;
    static constexpr int kHeight = 185;

    explicit TFormOptions(TFormDisplay* display, QWidget* parent = nullptr);
    ~TFormOptions() override;

    QCheckBox* CBDisplay = nullptr;     // "Detach display"
    QCheckBox* CBAlpha = nullptr;       // "Transparency"
    QScrollBar* SBAlpha = nullptr;      // 0 .. 255, large step 25, 200 at start
    QCheckBox* CBFixed = nullptr;       // "Fixed detached display"
    QCheckBox* CBAlwaysOnTop = nullptr; // "Always on top"
    QPushButton* Button1 = nullptr;     // "Close"

  public slots:
    void CBDisplayClick();
    void CBAlphaClick();
    void SBAlphaChange();
    void CBAlwaysOnTopClick();
    void Button1Click();

  private:
    TFormDisplay* display_;
};

} // namespace duskwheel::ui
