// The program entry: builds the controller catalogue, starts the application and runs the main
// window until it closes.
#include "TMainFrm.h"
#include "TPagoraApplication.h"
#include "devices/ControllerList.h"

#include <QApplication>

int main(int argc, char** argv) {
    pagora::ControllerList(); // the catalogue exists before the window
    pagora::TPagoraApplication app(argc, argv);
    app.LoadGermanTranslations();
    app.LoadFonts();
    pagora::TMainFrm window;
    window.show();
    return app.exec();
}
