#include "TPagoraApplication.h"

#include "Messages.h"

#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

namespace pagora {

TPagoraApplication::TPagoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("avr-pagora"));
    // No display name: the platform would append one set explicitly to every window title that
    // lacks it ("Fehler — AVR-Pagora"). Each window sets its own title in full.
}

bool TPagoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        std::exception_ptr error = std::current_exception();
        QTimer::singleShot(0, this, [error] { ShowExceptionBox(activeWindow(), error); });
        return false;
    }
}

bool LoadGermanTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace pagora
