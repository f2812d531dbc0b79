#pragma once
// A one-line label that never widens its window: a text longer than the label
// is drawn cut with an ellipsis, while text() keeps the whole text.

#include <QLabel>

namespace duskwheel::ui {

class ElidedLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // Whether the text is drawn cut at the label's present width.
    bool IsElided() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    // While the text is cut, its tooltip shows the whole text first.
    bool event(QEvent* event) override;
};

} // namespace duskwheel::ui
