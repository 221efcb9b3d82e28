#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace pagora {

// The about box: provider, authors, version, disclaimer and two web links.
class TAboutDlg : public QDialog {
    Q_OBJECT

public:
    // The property of a link label that holds its target. The target is never shown as a
    // tool tip, and the visible text is never used as the target.
    static constexpr const char* kHintProperty = "hint";

    static constexpr const char* kProviderAddress = "https://avr-pagora.example.org/";
    static constexpr const char* kForumAddress =
        "https://avr-pagora.example.org/forum/programme-und-tools";

    explicit TAboutDlg(QWidget* parent = nullptr);

    // Runs the box modally over `parent`; it is freed in any case.
    static void ShowAbout(QWidget* parent);

    // The click of both link labels: opens the sender's hint. The box stays open.
    void Label3Click(QLabel* sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* MakeLinkLabel(const char* name, const QString& text, const QString& target);

    QLabel* Label1;
    QLabel* Image1;
    QLabel* Label6;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label2;
    QLabel* Label3;
    QFrame* Bevel1;
    QLabel* Label5;
    QLabel* Label4;
    QLabel* Label8;
    QFrame* Bevel2;
    QPushButton* btnOK;
};

} // namespace pagora
