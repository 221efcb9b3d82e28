#pragma once

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <optional>

namespace pagora {

// One of the two usage bars of the status panel: the share of pages that hold data (Pages) or
// of flash bytes that are not blank (Bytes), as a gradient strip in a black frame, with the
// percentage in a label beside it. The bar keeps no state: it computes the share from the
// global page list on every paint.
class TUsageBar : public QWidget {
    Q_OBJECT

public:
    enum class Kind { Pages, Bytes };

    explicit TUsageBar(Kind kind, QWidget* parent = nullptr);

    Kind BarKind() const { return kind_; }

    // The label that shows the percentage; the bar rewrites its text and shows it on every
    // paint with data.
    void SetLabel(QLabel* label);
    // The flash the shares refer to: the chosen controller's highest flash address, or none
    // while there is nothing to show (no controller chosen, or a grid without rows). Unset:
    // none.
    void SetFlashSize(std::optional<std::int32_t> flashSize);

    // Paints the bar; `clip` is the area of this paint. The paint event calls it through the
    // handler named after the bar: PaintBox1Paint for the pages, pbPageStatusPaint for the bytes.
    void Paint(QPainter& painter, const QRect& clip);
    void PaintBox1Paint(QPainter& painter, const QRect& clip) { Paint(painter, clip); }
    void pbPageStatusPaint(QPainter& painter, const QRect& clip) { Paint(painter, clip); }
    // Brings the label up to date at once and has the bar repainted in the same round of
    // painting. Safe to call while another widget of the window paints, which a direct
    // repaint() is not.
    void Refresh();

    QSize sizeHint() const override { return QSize(669, 13); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The share in percent, or false when there is nothing to show (no flash size, no page
    // list).
    bool Share(double& share) const;
    void UpdateLabel(double share);

    Kind kind_;
    QPointer<QLabel> label_;
    std::optional<std::int32_t> flashSize_;
};

} // namespace pagora
