#pragma once
// Month dialog of the HTML month calendar: a month and a year, preselected
// from the main window's date picker at each run.

#include <QDialog>

class QComboBox;
class QPushButton;

namespace duskwheel::ui {

class TDlgSelMounth : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgSelMounth(QWidget* parent = nullptr);
    ~TDlgSelMounth() override;

    QComboBox* CBMois = nullptr;  // the French month names, January first
    QComboBox* CBAnnee = nullptr; // "1950" .. "2049"
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The picked date's month and year; no year selected when the list lacks it.
    void Preselect(int year, int month);
    // The month (1..12) and year chosen, or 0 when none is.
    int ChosenMonth() const;
    int ChosenYear() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // "Generate" only with a month and a year chosen.
    void UpdateOK();
};

} // namespace duskwheel::ui
