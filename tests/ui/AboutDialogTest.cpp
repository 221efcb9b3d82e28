#include "UiTestSupport.h"
#include "ui/TAboutDlg.h"

#include <QDesktopServices>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using pagora::TAboutDlg;

namespace {

QLabel* Label(QWidget& dialog, const char* name) {
    return dialog.findChild<QLabel*>(QString::fromLatin1(name));
}

const QString kDisclaimer = QStringLiteral(
    "Die Autoren dieses Programms haften nicht für Schäden an Soft- oder Hardware oder "
    "Vermögensschäden, die durch das Benutzen des Programms entstehen es sei den diese beruhen "
    "auf einem grob fahrlässigen oder vorsetzlichen Handeln der Autoren, dessen "
    "Erfüllungsgehilfen oder deren gesetzliche Vertreter.");

} // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT

public Q_SLOTS:
    // Receives the web addresses the dialog asks the desktop to open.
    void Open(const QUrl& url) { opened_ << url; }

private Q_SLOTS:
    void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    void init() { opened_.clear(); }

    void formLooksAsDesigned() {
        TAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Über AVR-Pagora"));
        QCOMPARE(dialog.size(), QSize(453, 442));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(dialog.font().pointSize(), 8);

        struct TextCase {
            const char* name;
            QString text;
            QPoint pos;
        };
        const TextCase cases[] = {
            {"Label1",
             QStringLiteral("Dieses Programm wird zur Verfügung gestellt von:"),
             {16, 16}},
            {"Label6", QStringLiteral("Autoren:"), {16, 148}},
            {"Label11",
             QStringLiteral(
                 "Fragen und Anregungen bitte im Forenbereich \"Programme und Tools\" stellen."),
             {16, 204}},
            {"Label2", QStringLiteral("Programm-Version: " PAGORA_VERSION), {16, 232}},
            {"Label5", QString(), {16, 256}},
            {"Label4", QStringLiteral("Rechtlicher Hinweis:"), {16, 323}},
            {"Label8", kDisclaimer, {16, 336}},
        };
        for (const auto& c : cases) {
            QLabel* label = Label(dialog, c.name);
            QVERIFY2(label != nullptr, c.name);
            QCOMPARE(label->text(), c.text);
            QCOMPARE(label->pos(), c.pos);
        }
        for (const char* name : {"Label9", "Label10"}) {
            QLabel* author = Label(dialog, name);
            QVERIFY2(author != nullptr, name);
            QVERIFY(author->text().contains(QStringLiteral("Benutzername:")));
        }
        QCOMPARE(Label(dialog, "Label9")->pos(), QPoint(16, 162));
        QCOMPARE(Label(dialog, "Label10")->pos(), QPoint(16, 176));

        QCOMPARE(Label(dialog, "Label11")->width(), 421);
        QVERIFY(Label(dialog, "Label11")->alignment() & Qt::AlignHCenter);
        for (const char* name : {"Label5", "Label8"}) {
            QCOMPARE(Label(dialog, name)->size(), QSize(421, 55));
            QVERIFY(Label(dialog, name)->wordWrap());
        }
        QLabel* address = Label(dialog, "Label3");
        QCOMPARE(address->text(), QString::fromLatin1(TAboutDlg::kProviderAddress));
        QCOMPARE(address->geometry().right() + 1, 437);
        QCOMPARE(address->y(), 232);
        QVERIFY(address->width() >= address->sizeHint().width());

        for (const char* name : {"Bevel1", "Bevel2"}) {
            auto* bevel = dialog.findChild<QFrame*>(QString::fromLatin1(name));
            QVERIFY2(bevel != nullptr, name);
            QCOMPARE(bevel->frameShape(), QFrame::HLine);
        }
        QCOMPARE(dialog.findChild<QFrame*>(QStringLiteral("Bevel1"))->geometry(),
                 QRect(16, 250, 421, 2));
        QCOMPARE(dialog.findChild<QFrame*>(QStringLiteral("Bevel2"))->geometry(),
                 QRect(16, 396, 421, 2));

        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(189, 407, 75, 25));
    }

    void textsFitTheirPlaces() {
        TAboutDlg dialog;
        QVERIFY2(QFontInfo(dialog.font()).family() == QStringLiteral("Tahoma"),
                 "no Tahoma on this system (package fonts-wine)");
        QCOMPARE(QFontInfo(dialog.font()).pointSize(), 8);
        // The disclaimer is shown whole in its block, the question line within its width.
        QVERIFY(Label(dialog, "Label8")->heightForWidth(421) <= 55);
        QLabel* question = Label(dialog, "Label11");
        QVERIFY(question->sizeHint().width() <= 421);
        // Every single-line label ends inside the dialog's margin and the address does not
        // run into the version.
        for (QLabel* label : dialog.findChildren<QLabel*>())
            QVERIFY2(label->geometry().right() < 437, qPrintable(label->objectName()));
        QVERIFY(Label(dialog, "Label2")->geometry().right() < Label(dialog, "Label3")->x());
    }

    void linkLabelsLookLikeLinksWithoutToolTips() {
        TAboutDlg dialog;
        for (const char* name : {"Label11", "Label3"}) {
            QLabel* link = Label(dialog, name);
            QVERIFY(link->font().underline());
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(link->toolTip().isEmpty());
            QVERIFY(!link->property(TAboutDlg::kHintProperty).toString().isEmpty());
        }
        // A plain label is not a link.
        QVERIFY(!Label(dialog, "Label2")->font().underline());

        // The link's text is painted blue.
        dialog.show();
        const QImage image = pagora::test::Render(*Label(dialog, "Label3"));
        bool blue = false;
        for (int y = 0; y < image.height() && !blue; ++y)
            for (int x = 0; x < image.width() && !blue; ++x) {
                const QColor c = image.pixelColor(x, y);
                blue = c.blue() > 150 && c.red() < 100 && c.green() < 100;
            }
        QVERIFY(blue);
    }

    void logoIsCentredInItsArea() {
        TAboutDlg dialog;
        auto* picture = Label(dialog, "Image1");
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->geometry(), QRect(16, 37, 421, 104));
        const QPixmap logo = picture->pixmap();
        QCOMPARE(logo.size(), QSize(340, 45));

        dialog.show();
        const QImage image = pagora::test::Render(*picture);
        const QColor background = image.pixelColor(0, 0);
        QRect drawn;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != background)
                    drawn |= QRect(x, y, 1, 1);
        QVERIFY(!drawn.isEmpty());
        // The logo occupies the picture's 340 x 45 pixels in the middle of the area.
        const QRect logoRect(QPoint((421 - 340) / 2, (104 - 45) / 2), QSize(340, 45));
        QVERIFY2(logoRect.contains(drawn), qPrintable(QStringLiteral("drawn %1,%2 %3x%4")
                                                          .arg(drawn.x())
                                                          .arg(drawn.y())
                                                          .arg(drawn.width())
                                                          .arg(drawn.height())));
        QVERIFY(drawn.width() > 200);
        QVERIFY(qAbs(drawn.center().y() - logoRect.center().y()) <= 6);
    }

    void eachLinkOpensItsOwnTarget_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::newRow("question line")
            << QStringLiteral("Label11") << QString::fromLatin1(TAboutDlg::kForumAddress);
        QTest::newRow("web address")
            << QStringLiteral("Label3") << QString::fromLatin1(TAboutDlg::kProviderAddress);
    }

    void eachLinkOpensItsOwnTarget() {
        QFETCH(QString, name);
        QFETCH(QString, target);
        TAboutDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* link = dialog.findChild<QLabel*>(name);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened_, QList<QUrl>{QUrl(target)});
        QVERIFY(dialog.isVisible());
    }

    void theHintNotTheTextIsTheTarget() {
        TAboutDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QLabel* link = Label(dialog, "Label3");
        link->setText(QStringLiteral("https://elsewhere.example.org/"));
        QTest::mouseClick(link, Qt::LeftButton);
        link->setProperty(TAboutDlg::kHintProperty,
                          QStringLiteral("https://avr-pagora.example.org/neu"));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened_,
                 (QList<QUrl>{QUrl(QString::fromLatin1(TAboutDlg::kProviderAddress)),
                              QUrl(QStringLiteral("https://avr-pagora.example.org/neu"))}));
    }

    void plainLabelsOpenNothing() {
        TAboutDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(Label(dialog, "Label2"), Qt::LeftButton);
        QTest::mouseClick(Label(dialog, "Label3"), Qt::RightButton);
        QVERIFY(opened_.isEmpty());
    }

    void okClosesTheModalDialog() {
        QWidget parent;
        parent.setGeometry(50, 50, 900, 700);
        parent.show();
        bool shown = false;
        bool stayedOpen = false;
        QPoint centre;
        pagora::test::AnswerNextModal([&](QWidget* modal) {
            shown = qobject_cast<TAboutDlg*>(modal) != nullptr;
            centre = modal->geometry().center();
            QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("Label11")), Qt::LeftButton);
            stayedOpen = QApplication::activeModalWidget() == modal;
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnOK")),
                              Qt::LeftButton);
        });
        TAboutDlg::ShowAbout(&parent);
        QVERIFY(shown);
        QVERIFY(stayedOpen);
        QCOMPARE(opened_.size(), 1);
        QVERIFY((centre - parent.geometry().center()).manhattanLength() <= 2);
        QVERIFY(parent.findChildren<TAboutDlg*>().isEmpty());
    }

private:
    QList<QUrl> opened_;
};

PAGORA_QTEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
