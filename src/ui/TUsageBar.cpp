#include "TUsageBar.h"

#include "Globals.h"
#include "LocaleText.h"
#include "PaintGradientBar.h"
#include "pages/Usage.h"
#include "pages/UsageBar.h"

#include <QPaintEvent>
#include <QPainter>

namespace pagora {

TUsageBar::TUsageBar(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TUsageBar::SetLabel(QLabel* label) {
    label_ = label;
}

void TUsageBar::SetFlashSize(std::optional<std::int32_t> flashSize) {
    flashSize_ = flashSize;
}

void TUsageBar::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (kind_ == Kind::Pages) {
        PaintBox1Paint(painter, event->rect());
    } else {
        pbPageStatusPaint(painter, event->rect());
    }
}

bool TUsageBar::Share(double& share) const {
    if (!flashSize_ || PageList == nullptr) {
        return false;
    }
    const UsedShares shares = UsedSharesOf(*PageList, *flashSize_);
    share = kind_ == Kind::Pages ? shares.pages : shares.bytes;
    return true;
}

void TUsageBar::UpdateLabel(double share) {
    if (label_ == nullptr) {
        return;
    }
    const QString text =
        QString::fromStdString(UsageLabel(share, DataDoesNotFit, DecimalSeparator()));
    if (label_->text() != text) {
        label_->setText(text);
        label_->adjustSize(); // the label fits its text
    }
    if (label_->isHidden()) {
        label_->show();
    }
}

void TUsageBar::Refresh() {
    double share = 0.0;
    if (Share(share)) {
        UpdateLabel(share);
    }
    update();
}

void TUsageBar::Paint(QPainter& painter, const QRect& clip) {
    painter.fillRect(rect(), QColor(0, 0, 0));
    painter.fillRect(clip.adjusted(1, 1, -1, -1), QColor(255, 255, 255));

    double share = 0.0;
    if (!Share(share)) {
        return;
    }
    UpdateLabel(share);

    const BarFill fill = UsageBarFill(share, DataDoesNotFit, width());
    PaintGradientBar(painter, 1, 1, fill.Right, height() - 1, kBarWhite, fill.Colour);
}

} // namespace pagora
