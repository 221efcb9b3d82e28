#pragma once

#include "pages/Usage.h"

#include <QLocale>
#include <QString>

namespace pagora {

// The decimal separator of the user's locale (the default QLocale).
inline char DecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128
               ? static_cast<char>(point.at(0).unicode())
               : '.';
}

// A percentage with one decimal in the user's locale, the tenth rounded half up.
inline QString PercentText(double value) {
    return QString::fromStdString(FormatPercent(value, DecimalSeparator()));
}

} // namespace pagora
