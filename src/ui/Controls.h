#pragma once

#include <QLabel>
#include <QString>

namespace pagora {

// A label named after its control, fitted to its text, with its top-left corner at (x, y).
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->adjustSize();
    label->move(x, y);
    return label;
}

} // namespace pagora
