#pragma once
// The detached display: a small borderless window
// floating over the desktop with the day's six times, a clock and the town.
// The main window's timer writes its texts; the options window
// switches it; Read_ini and Write_ini keep its place.

#include <QPoint>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;

namespace duskwheel::ui {

class ElidedLabel;

class TFormDisplay : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 78;
    static constexpr int kInitialAlpha = 200;

    // A top-level window of its own (no parent), so that it keeps floating
    // while the main window is minimised to the tray; the main window owns
    // and destroys it. Created hidden: Read_ini decides whether it shows.
    TFormDisplay();
    ~TFormDisplay() override;

    QFrame* Panel3 = nullptr;
    std::array<QLabel*, 6> ArabicLabels{};
    std::array<QLabel*, 6> NameLabels{};
    QLabel* LabelFajr = nullptr;
    QLabel* LabelChourouk = nullptr;
    QLabel* LabelZuhr = nullptr;
    QLabel* LabelAsr = nullptr;
    QLabel* LabelMaghrib = nullptr;
    QLabel* LabelIsha = nullptr;
    QLabel* LabelHeureCaption = nullptr; // "heure"
    QLabel* LabelHeure = nullptr;
    ElidedLabel* LabelVille = nullptr;

    // The six time labels, index 0 Fajr .. 5 Isha.
    std::array<QLabel*, 6> TimeLabels() const;

    // Translucency on or off, and the opacity it uses (0 transparent .. 255
    // opaque, kept within that range).
    void SetAlphaBlend(bool on);
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlendValue(int value);
    int AlphaBlendValue() const { return alphaBlendValue_; }

    // Topmost (stay on top) or an ordinary window, without moving, resizing,
    // hiding or activating it.
    void SetTopmost(bool on);
    bool IsTopmost() const;

    // The mouse handlers of Panel3, positions in panel coordinates.
    void Panel3MouseDown(Qt::MouseButton button, const QPoint& pos);
    void Panel3MouseMove(const QPoint& pos);
    void Panel3MouseUp(Qt::MouseButton button);
    bool IsDragging() const { return dragging_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ApplyOpacity();

    bool alphaBlend_ = true;
    int alphaBlendValue_ = kInitialAlpha;
    bool dragging_ = false;
    QPoint dragStart_; // (x0, y0)
};

} // namespace duskwheel::ui
