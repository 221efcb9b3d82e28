// The titles a window manager shows for the main window and every dialog, under the program's
// own application object: each exactly as the window sets it. The platform appends the
// application's display name to every title that lacks it, but only a display name that was
// set explicitly; one that merely follows the application's name is never added.
#include "UiTestSupport.h"
#include "bench/HexImages.h"
#include "ui/Messages.h"
#include "ui/TGotoAdressFrm.h"
#include "ui/TMainFrm.h"
#include "ui/TPagoraApplication.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <stdexcept>

using namespace pagora;

namespace {

// Whether the application carries a display name of its own rather than its name.
bool DisplayNameSetExplicitly() {
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name + QStringLiteral("-probe"));
    const bool own =
        QGuiApplication::applicationDisplayName() != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);
    return own;
}

// The title the window manager is given: the window's own title, followed by " — " and the
// display name where one was set explicitly and the title does not end with it already.
QString ShownTitle(QWidget& window) {
    QString title =
        window.windowHandle() != nullptr ? window.windowHandle()->title() : window.windowTitle();
    const QString name = QGuiApplication::applicationDisplayName();
    if (DisplayNameSetExplicitly() && !title.endsWith(name)) {
        title += QStringLiteral(" \u2014 ") + name;
    }
    return title;
}

// Runs `open`, which shows a modal window; `close` closes it once its title has been taken.
QString TitleOfModal(
    const std::function<void()>& open,
    std::function<void(QWidget*)> close = [](QWidget* modal) { modal->close(); }) {
    QString title;
    test::AnswerNextModal([&title, close = std::move(close)](QWidget* modal) {
        title = ShownTitle(*modal);
        close(modal);
    });
    open();
    return title;
}

} // namespace

class WindowTitlesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void applicationSetsNoDisplayName() { QVERIFY(!DisplayNameSetExplicitly()); }

    void everyTitleReadsAsSet() {
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(ShownTitle(window), QStringLiteral("AVR-Pagora"));

        QCOMPARE(TitleOfModal([&] { window.FileOpen1->trigger(); }),
                 QStringLiteral("Datei öffnen ..."));

        const QTemporaryDir files;
        QVERIFY(files.isValid());
        const QString image = files.filePath(QStringLiteral("40k.hex"));
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(bench::MakeHexImage(40 * 1024)));
        file.close();
        window.FileOpen1Accept(image);
        QCOMPARE(TitleOfModal([&] {
                     window.cbb_MC->setCurrentIndex(
                         window.cbb_MC->findText(QStringLiteral("ATmega32")));
                 }),
                 QStringLiteral("Fehler"));

        // The go-to-address dialog, then the message for an address beyond the image.
        QString beyond;
        QCOMPARE(TitleOfModal([&] { window.acGotoAdress->trigger(); },
                              [&beyond](QWidget* modal) {
                                  auto* form = qobject_cast<TGotoAdressFrm*>(modal);
                                  QVERIFY(form != nullptr);
                                  form->edtAdress->setText(QStringLiteral("FFFFF0"));
                                  test::AnswerNextModal([&beyond](QWidget* box) {
                                      beyond = ShownTitle(*box);
                                      box->close();
                                  });
                                  form->btnOK->click();
                              }),
                 QStringLiteral("Zu Adresse Springen"));
        QTRY_COMPARE(beyond, QStringLiteral("Informationen"));

        QCOMPARE(TitleOfModal([&] { window.acOption->trigger(); }), QStringLiteral("Optionen"));
        QCOMPARE(TitleOfModal([&] { window.acAbout->trigger(); }),
                 QStringLiteral("Über AVR-Pagora"));
        QCOMPARE(TitleOfModal([&] {
                     RunGuarded(&window, [] { throw std::runtime_error("Fehler beim Lesen"); });
                 }),
                 QStringLiteral("AVR-Pagora"));

        QVERIFY(!DisplayNameSetExplicitly());
    }
};

// The run's own settings and runtime folders, then the program's application object.
int main(int argc, char** argv) {
    const test::PrivateSettingsFolder privateSettings;
    TPagoraApplication app(argc, argv);
    app.LoadGermanTranslations();
    WindowTitlesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTitlesTest.moc"
