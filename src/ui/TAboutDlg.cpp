#include "ui/TAboutDlg.h"

#include "ui/Controls.h"
#include "ui/Fonts.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <memory>

// The logo lives in the window library's resources; a static library has to register them.
static void InitUiResources() {
    Q_INIT_RESOURCE(ui);
}

namespace pagora {

namespace {

constexpr int kLeft = 16;
constexpr int kWidth = 421;

const QString kDisclaimer = QStringLiteral(
    "Die Autoren dieses Programms haften nicht für Schäden an Soft- oder Hardware oder "
    "Vermögensschäden, die durch das Benutzen des Programms entstehen es sei den diese beruhen "
    "auf einem grob fahrlässigen oder vorsetzlichen Handeln der Autoren, dessen "
    "Erfüllungsgehilfen oder deren gesetzliche Vertreter.");

QLabel* MakeTextBlock(QWidget* parent, const char* name, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(kLeft, y, kWidth, 55);
    return label;
}

QFrame* MakeBevel(QWidget* parent, const char* name, int y) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QString::fromLatin1(name));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(kLeft, y, kWidth, 2);
    return bevel;
}

// The logo, centred in its area and scaled down, keeping its proportions, only when it is
// larger than the area.
QLabel* MakePicture(QWidget* parent, const char* name, const QString& resource, const QRect& area) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(area);
    picture->setAlignment(Qt::AlignCenter);
    QPixmap pixmap(resource);
    if (pixmap.width() > area.width() || pixmap.height() > area.height())
        pixmap = pixmap.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picture->setPixmap(pixmap);
    return picture;
}

} // namespace

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent) {
    InitUiResources();
    setObjectName(QStringLiteral("TAboutDlg"));
    setWindowTitle(QStringLiteral("Über AVR-Pagora"));
    setFont(DialogFont());
    setFixedSize(453, 442);

    Label1 =
        MakeLabel(this, "Label1",
                  QStringLiteral("Dieses Programm wird zur Verfügung gestellt von:"), kLeft, 16);
    Image1 =
        MakePicture(this, "Image1", QStringLiteral(":/ui/logo.png"), QRect(kLeft, 37, kWidth, 104));
    Label6 = MakeLabel(this, "Label6", QStringLiteral("Autoren:"), kLeft, 148);
    Label9 = MakeLabel(this, "Label9", QStringLiteral("Projekt AVR-Pagora (Benutzername: pagora)"),
                       kLeft, 162);
    Label10 = MakeLabel(this, "Label10",
                        QStringLiteral("Mitwirkende des Projekts (Benutzername: pagora-team)"),
                        kLeft, 176);

    Label11 = MakeLinkLabel("Label11",
                            QStringLiteral("Fragen und Anregungen bitte im Forenbereich "
                                           "\"Programme und Tools\" stellen."),
                            QString::fromLatin1(kForumAddress));
    Label11->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label11->setGeometry(kLeft, 204, kWidth, Label11->sizeHint().height());

    Label2 =
        MakeLabel(this, "Label2", QStringLiteral("Programm-Version: " PAGORA_VERSION), kLeft, 232);
    Label3 = MakeLinkLabel("Label3", QString::fromLatin1(kProviderAddress),
                           QString::fromLatin1(kProviderAddress));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label3->adjustSize();
    Label3->move(kLeft + kWidth - Label3->width(), 232);

    Bevel1 = MakeBevel(this, "Bevel1", 250);
    Label5 = MakeTextBlock(this, "Label5", QString(), 256);
    Label4 = MakeLabel(this, "Label4", QStringLiteral("Rechtlicher Hinweis:"), kLeft, 323);
    Label8 = MakeTextBlock(this, "Label8", kDisclaimer, 336);
    Bevel2 = MakeBevel(this, "Bevel2", 396);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(189, 407, 75, 25);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* TAboutDlg::MakeLinkLabel(const char* name, const QString& text, const QString& target) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty(kHintProperty, target);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

void TAboutDlg::ShowAbout(QWidget* parent) {
    const auto dialog = std::make_unique<TAboutDlg>(parent);
    dialog->exec();
}

void TAboutDlg::Label3Click(QLabel* sender) {
    QDesktopServices::openUrl(QUrl(sender->property(kHintProperty).toString()));
}

bool TAboutDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && (watched == Label11 || watched == Label3)) {
        auto* label = static_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            Label3Click(label);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace pagora
