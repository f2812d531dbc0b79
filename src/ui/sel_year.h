#pragma once
// Year dialog of the HTML year calendar, and the year list that the month,
// year and graph dialogs share.

#include <QDialog>

class QComboBox;
class QHBoxLayout;
class QPushButton;

namespace duskwheel::ui {

// The years the calendar and graph dialogs offer, "1950" to "2049": the entry
// index is the year minus the first.
void FillYearList(QComboBox* list);
// Selects the year's entry, or none at all when the list lacks the year: a
// year outside the list must be chosen, never guessed.
void SelectYear(QComboBox* list, int year);
// The selected year, or 0 while no entry is selected.
int SelectedYear(const QComboBox* list);
// Centres a dialog on the screen the main window is on (else the primary one).
void CentreOnScreen(QWidget* dialog);
// The hint of the dialogs' "Generate" button.
QString GenerateHint();
// The dialogs' year list, filled and with its hint.
QComboBox* NewYearList(QWidget* parent);
// Lays a dialog out as its row of lists above "Generate" (the default button,
// accepting) and "Cancel" (rejecting), and creates those two buttons.
void AddGenerateButtons(QDialog* dialog, QHBoxLayout* choice, const QString& generateHint,
                        QPushButton*& ok, QPushButton*& cancel);

class TDlgSelYear : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgSelYear(QWidget* parent = nullptr);
    ~TDlgSelYear() override;

    QComboBox* CBAnnee = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The picked date's year, or no selection when the list lacks it.
    void Preselect(int year);
    // The year chosen, or 0 when none is.
    int ChosenYear() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // "Generate" only with a year chosen.
    void UpdateOK();
};

} // namespace duskwheel::ui
