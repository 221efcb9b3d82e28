#pragma once

#include "Fonts.h"

#include <QApplication>

namespace pagora {

// Qt's own German texts for the standard dialogs and buttons ("Abbrechen", "Öffnen");
// false when they are not installed.
bool LoadGermanTranslations(QCoreApplication& app);

// The application object: an exception that escapes any event handler is shown in the
// standard error box once the stack has unwound, and the program goes on.
class TPagoraApplication : public QApplication {
    Q_OBJECT
public:
    TPagoraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Loads Qt's own German texts for the standard dialogs and buttons.
    void LoadGermanTranslations() { pagora::LoadGermanTranslations(*this); }
    // Makes the fonts the window is laid out in available where the system lacks them.
    void LoadFonts() { pagora::LoadFonts(); }
};

} // namespace pagora
