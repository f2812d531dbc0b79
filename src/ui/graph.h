#pragma once
// The year graph window: one town's year as six dotted curves, time of day
// against day of year, with a day cursor moved by the scroll bar under the
// plot and that day's date and six times beside it. Each window holds its own
// copy of everything it shows and never reads the program state again, so
// several can be open at once, each for its own town and year.

#include "calendar/year_graph.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPainter;
class QScrollBar;

namespace duskwheel::ui {

class TFormGraph : public QWidget {
    Q_OBJECT

  public:
    // A window of its own, owned (and finally released) by `owner`; closing it
    // releases it at once.
    TFormGraph(YearGraph graph, QWidget* owner);
    ~TFormGraph() override;

    const YearGraph& Graph() const { return graph_; }
    DayCursor Cursor() const { return cursor_; }

    QLabel* LabelJour = nullptr;
    QScrollBar* ScrollBarJour = nullptr;
    std::array<QLabel*, 6> ArabicLabels{};
    std::array<QLabel*, 6> NameLabels{};
    QLineEdit* EditFajr = nullptr;
    QLineEdit* EditChourouk = nullptr;
    QLineEdit* EditZuhr = nullptr;
    QLineEdit* EditAsr = nullptr;
    QLineEdit* EditMaghrib = nullptr;
    QLineEdit* EditIsha = nullptr;
    // Index 0 Fajr .. 5 Isha.
    std::array<QLineEdit*, 6> TimeFields() const;

    // The title as drawn: smaller type, and at worst a shortened place name,
    // when the whole of it would not fit the window's width.
    QString TitleText() const { return titleText_; }
    QFont TitleFont() const { return titleFont_; }

    // Centred on `owner`, kept on its screen.
    void CentreOn(const QWidget* owner);

    // Draws the whole plot and the cursor.
    void FormPaint(QPainter& painter) const;

  public slots:
    void ScrollBarJourChange();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Arrows move the cursor a day, page keys a week, Home and End to the ends.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildForm();
    void FitTitle();

    YearGraph graph_;
    std::vector<graph::Shape> scene_; // built once: painting computes nothing
    DayCursor cursor_;
    QFont plotFont_;
    QFont titleFont_;
    std::string titleLatin1_; // the title as the plot's scene holds it
    QString titleText_;
};

} // namespace duskwheel::ui
