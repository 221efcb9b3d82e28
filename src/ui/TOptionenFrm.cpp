#include "ui/TOptionenFrm.h"

#include "ui/Controls.h"
#include "ui/Fonts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <memory>

namespace pagora {

namespace {

constexpr int kComboHeight = 21;

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& entries, int x, int y,
                    int width) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(false);
    list->addItems(entries);
    list->setGeometry(x, y, width, kComboHeight);
    return list;
}

} // namespace

TOptionenFrm::TOptionenFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TOptionenFrm"));
    setWindowTitle(QStringLiteral("Optionen"));
    setFont(DialogFont());
    setFixedSize(389, 141);

    grpAussehen = new QGroupBox(QStringLiteral("Design"), this);
    grpAussehen->setObjectName(QStringLiteral("grpAussehen"));
    grpAussehen->setGeometry(8, 8, 367, 90);

    lblMemoryBlockSize = MakeLabel(grpAussehen, "lblMemoryBlockSize",
                                   QStringLiteral("Darstellungsgröße der Pagewürfel:"), 16, 24);
    cbbBlockSize =
        MakeList(grpAussehen, "cbbBlockSize",
                 {QStringLiteral("5 x 5"), QStringLiteral("10 x 10"), QStringLiteral("15 x 15"),
                  QStringLiteral("20 x 20"), QStringLiteral("25 x 25"), QStringLiteral("30 x 30")},
                 190, 21, 63);
    lblSpeicherbersicht = MakeLabel(grpAussehen, "lblSpeicherbersicht",
                                    QStringLiteral("Anzeige der Speicherbersicht"), 16, 56);
    cbbAnzeige = MakeList(grpAussehen, "cbbAnzeige",
                          {QStringLiteral("Rechts"), QStringLiteral("Unten")}, 190, 53, 91);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(300, 105, 75, 25);
    btnOK->setAutoDefault(false);
    btnOK->setDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TOptionenFrm::ShowOptions(QWidget* parent) {
    const auto form = std::make_unique<TOptionenFrm>(parent);
    LoadOptions(*form);
    form->exec();
    SaveOptions(*form);
}

void TOptionenFrm::LoadOptions(TOptionenFrm& form) {
    const QString size = QString::fromStdString(ReadBlockSize());
    form.cbbBlockSize->setCurrentIndex(
        form.cbbBlockSize->findText(size + QStringLiteral(" x ") + size));
    form.cbbAnzeige->setCurrentIndex(ReadArrangement());
}

void TOptionenFrm::SaveOptions(TOptionenFrm& form) {
    const std::string blockSize = form.cbbBlockSize->currentIndex() < 0
                                      ? std::string()
                                      : form.cbbBlockSize->currentText().toStdString();
    pagora::SaveOptions(form.cbbAnzeige->currentIndex(), blockSize);
}

} // namespace pagora
