#pragma once
// Town-and-year dialog of the year graph. Unlike the calendars, the graph
// can be made for any town of the list; the list is refilled at each run.

#include "state/records.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace duskwheel::ui {

class TDlgSelGraph : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgSelGraph(QWidget* parent = nullptr);
    ~TDlgSelGraph() override;

    QComboBox* CBTowns = nullptr; // "Country : Name", item index = town list index
    QComboBox* CBAnnee = nullptr; // "1950" .. "2049"
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Empties the town list and fills it again from `towns`, in list order,
    // with `selected` preselected (none when it is not a town of the list).
    void FillTowns(const TownDataArray& towns, int selected);
    // The picked date's year, or no selection when the list lacks it.
    void Preselect(int year);
    // The town list index chosen, or -1.
    int ChosenTown() const;
    // The year chosen, or 0.
    int ChosenYear() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // "Generate" only with a town and a year chosen.
    void UpdateOK();
};

} // namespace duskwheel::ui
