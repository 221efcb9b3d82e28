#include "Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QString>

namespace pagora {

namespace {

const QString kTahoma = QStringLiteral("Tahoma");

bool RegisterTahoma() {
    if (QFontDatabase::hasFamily(kTahoma)) {
        return true;
    }
    // Debian's fonts-wine ships it outside fontconfig's path.
    bool found = false;
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = QStringLiteral("/usr/share/wine/fonts/") + QString::fromLatin1(file);
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) {
            found = true;
        }
    }
    return found;
}

} // namespace

bool LoadFonts() {
    static const bool loaded = RegisterTahoma();
    return loaded;
}

QFont DialogFont() {
    LoadFonts();
    return QFont(kTahoma, 8);
}

} // namespace pagora
