#pragma once

#include <QApplication>

namespace pagora {

bool LoadGermanTranslations(QCoreApplication& app);
void LoadFonts();

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

// Qt's own German texts for the standard dialogs and buttons ("Abbrechen", "Öffnen");
// false when they are not installed.
bool LoadGermanTranslations(QCoreApplication& app);
// Registers the free Tahoma the window is laid out in, where the system lacks one.
void LoadFonts();

} // namespace pagora
