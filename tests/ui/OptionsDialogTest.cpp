#include "UiTestSupport.h"
#include "settings/FileSettingsBackend.h"
#include "settings/Settings.h"
#include "ui/TOptionenFrm.h"

#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>
#include <string>

using pagora::TOptionenFrm;

namespace {

// The raw "BlockSize" text as it lies in the store; nothing when it is missing.
std::optional<std::string> StoredBlockSize() {
    const auto key = pagora::MakeDefaultSettingsBackend()->OpenKey(pagora::kProgramKey);
    return key ? key->ReadText("BlockSize") : std::nullopt;
}

std::optional<std::int32_t> StoredArrangement() {
    const auto key = pagora::MakeDefaultSettingsBackend()->OpenKey(pagora::kProgramKey);
    return key ? key->ReadInt("ArrangeMemory") : std::nullopt;
}

void StoreBlockSize(std::string_view text) {
    const auto key = pagora::MakeDefaultSettingsBackend()->OpenKey(pagora::kProgramKey);
    QVERIFY(key && key->WriteText("BlockSize", text));
}

QComboBox* List(QWidget* dialog, const char* name) {
    return dialog->findChild<QComboBox*>(QString::fromLatin1(name));
}

// What the dialog showed when it opened.
struct Seen {
    bool shown = false;
    QString blockSize;
    int blockSizeIndex = -2;
    QString arrangement;
};

// Shows the options over `parent` and lets `act` change the open dialog before `close`
// closes it; `seen` gets what the dialog showed on opening, even when ShowOptions raises.
void RunOptionsInto(Seen& seen, QWidget* parent, std::function<void(QWidget*)> act,
                    std::function<void(QWidget*)> close) {
    pagora::test::AnswerNextModal([&](QWidget* modal) {
        seen.shown = qobject_cast<TOptionenFrm*>(modal) != nullptr;
        seen.blockSize = List(modal, "cbbBlockSize")->currentText();
        seen.blockSizeIndex = List(modal, "cbbBlockSize")->currentIndex();
        seen.arrangement = List(modal, "cbbAnzeige")->currentText();
        if (act)
            act(modal);
        close(modal);
    });
    TOptionenFrm::ShowOptions(parent);
}

Seen RunOptions(QWidget* parent, std::function<void(QWidget*)> act,
                std::function<void(QWidget*)> close) {
    Seen seen;
    RunOptionsInto(seen, parent, std::move(act), std::move(close));
    return seen;
}

void ClickOK(QWidget* modal) {
    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
}

void CloseBox(QWidget* modal) {
    modal->close();
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        pagora::SetSettingsBackend(nullptr);
        qputenv("XDG_CONFIG_HOME", savedConfigHome_);
        const auto file = pagora::FileSettingsBackend::FilePath();
        QVERIFY(file.has_value());
        QFile::remove(QString::fromStdString(*file));
    }

    void cleanup() {
        pagora::SetSettingsBackend(nullptr);
        qputenv("XDG_CONFIG_HOME", savedConfigHome_);
    }

    void formLooksAsDesigned() {
        TOptionenFrm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Optionen"));
        QCOMPARE(form.size(), QSize(389, 141));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(form.font().pointSize(), 8);

        auto* group = form.findChild<QGroupBox*>(QStringLiteral("grpAussehen"));
        QVERIFY(group != nullptr);
        QCOMPARE(group->title(), QStringLiteral("Design"));
        QCOMPARE(group->geometry(), QRect(8, 8, 367, 90));

        struct LabelCase {
            const char* name;
            QString text;
            QPoint pos;
        };
        for (const auto& c : {LabelCase{"lblMemoryBlockSize",
                                        QStringLiteral("Darstellungsgröße der Pagewürfel:"),
                                        {16, 24}},
                              LabelCase{"lblSpeicherbersicht",
                                        QStringLiteral("Anzeige der Speicherbersicht"),
                                        {16, 56}}}) {
            auto* label = group->findChild<QLabel*>(QString::fromLatin1(c.name));
            QVERIFY2(label != nullptr, c.name);
            QCOMPARE(label->text(), c.text);
            QCOMPARE(label->pos(), c.pos);
            // The whole text is visible.
            QVERIFY(label->width() >= label->sizeHint().width());
        }

        struct ListCase {
            const char* name;
            QStringList entries;
            QPoint pos;
            int width;
        };
        for (const auto& c :
             {ListCase{"cbbBlockSize",
                       {"5 x 5", "10 x 10", "15 x 15", "20 x 20", "25 x 25", "30 x 30"},
                       {190, 21},
                       63},
              ListCase{"cbbAnzeige", {"Rechts", "Unten"}, {190, 53}, 91}}) {
            auto* list = group->findChild<QComboBox*>(QString::fromLatin1(c.name));
            QVERIFY2(list != nullptr, c.name);
            QVERIFY(!list->isEditable());
            QStringList entries;
            for (int i = 0; i < list->count(); ++i)
                entries << list->itemText(i);
            QCOMPARE(entries, c.entries);
            QCOMPARE(list->pos(), c.pos);
            QCOMPARE(list->width(), c.width);
        }

        auto* ok = form.findChild<QPushButton*>(QStringLiteral("btnOK"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(300, 105, 75, 25));
        QVERIFY(!ok->isDefault());
        QVERIFY(!ok->autoDefault());
        // OK is the only button: there is no cancel.
        QCOMPARE(form.findChildren<QPushButton*>().size(), 1);
    }

    void textsFitTheirPlaces() {
        TOptionenFrm form;
        QVERIFY2(QFontInfo(form.font()).family() == QStringLiteral("Tahoma"),
                 "no Tahoma on this system (package fonts-wine)");
        // The labels end before the lists beside them, and the lists show their entries whole.
        for (const char* name : {"lblMemoryBlockSize", "lblSpeicherbersicht"})
            QVERIFY2(form.findChild<QLabel*>(QString::fromLatin1(name))->geometry().right() < 190,
                     name);
        for (const char* name : {"cbbBlockSize", "cbbAnzeige"}) {
            QComboBox* list = List(&form, name);
            QVERIFY2(list->sizeHint().width() <= list->width() + 4, name);
        }
    }

    void emptyStoreOpensWithTheDefaults() {
        QWidget parent;
        parent.setGeometry(100, 100, 800, 600);
        parent.show();
        QPoint dialogCentre;
        const Seen seen = RunOptions(
            &parent, [&](QWidget* modal) { dialogCentre = modal->geometry().center(); }, ClickOK);
        QVERIFY(seen.shown);
        QCOMPARE(seen.blockSize, QStringLiteral("25 x 25"));
        QCOMPARE(seen.arrangement, QStringLiteral("Unten"));
        QVERIFY((dialogCentre - parent.geometry().center()).manhattanLength() <= 2);
        // The dialog is gone once ShowOptions returns.
        QVERIFY(parent.findChildren<TOptionenFrm*>().isEmpty());
    }

    void closingStoresTheChoice_data() {
        QTest::addColumn<bool>("withOK");
        QTest::newRow("OK") << true;
        QTest::newRow("close box") << false;
    }

    void closingStoresTheChoice() {
        QFETCH(bool, withOK);
        RunOptions(
            nullptr,
            [](QWidget* modal) {
                List(modal, "cbbBlockSize")->setCurrentIndex(1);
                List(modal, "cbbAnzeige")->setCurrentIndex(0);
            },
            withOK ? ClickOK : CloseBox);
        QCOMPARE(StoredBlockSize(), std::optional<std::string>("10 x 10"));
        QCOMPARE(StoredArrangement(), std::optional<std::int32_t>(0));
        QCOMPARE(TOptionenFrm::ReadBlockSize(), std::string("10"));
        QCOMPARE(TOptionenFrm::ReadArrangement(), std::uint8_t{0});

        // The next opening shows what was stored.
        const Seen seen = RunOptions(nullptr, nullptr, CloseBox);
        QCOMPARE(seen.blockSize, QStringLiteral("10 x 10"));
        QCOMPARE(seen.arrangement, QStringLiteral("Rechts"));
    }

    void unknownStoredSizeSelectsNothingAndStoresEmpty() {
        StoreBlockSize("7 x 7");
        const Seen seen = RunOptions(nullptr, nullptr, ClickOK);
        QCOMPARE(seen.blockSizeIndex, -1);
        QCOMPARE(seen.blockSize, QString());
        QCOMPARE(StoredBlockSize(), std::optional<std::string>(""));
        QCOMPARE(TOptionenFrm::ReadBlockSize(), std::string("25"));
    }

    void unchangedDialogWritesTheSameValuesBack() {
        StoreBlockSize("30 x 30");
        TOptionenFrm::WriteIntSetting("ArrangeMemory", 0);
        const Seen seen = RunOptions(nullptr, nullptr, CloseBox);
        QCOMPARE(seen.blockSize, QStringLiteral("30 x 30"));
        QCOMPARE(seen.arrangement, QStringLiteral("Rechts"));
        QCOMPARE(StoredBlockSize(), std::optional<std::string>("30 x 30"));
        QCOMPARE(StoredArrangement(), std::optional<std::int32_t>(0));

        // From an empty store the defaults are written out.
        QVERIFY(QFile::remove(QString::fromStdString(*pagora::FileSettingsBackend::FilePath())));
        RunOptions(nullptr, nullptr, CloseBox);
        QCOMPARE(StoredBlockSize(), std::optional<std::string>("25 x 25"));
        QCOMPARE(StoredArrangement(), std::optional<std::int32_t>(1));
    }

    void loadAndSaveWorkOnAGivenDialog() {
        StoreBlockSize("5 x 5");
        TOptionenFrm form;
        TOptionenFrm::LoadOptions(form);
        QCOMPARE(List(&form, "cbbBlockSize")->currentText(), QStringLiteral("5 x 5"));
        QCOMPARE(List(&form, "cbbAnzeige")->currentIndex(), 1);
        List(&form, "cbbBlockSize")->setCurrentIndex(-1);
        TOptionenFrm::SaveOptions(form);
        QCOMPARE(StoredBlockSize(), std::optional<std::string>(""));
        QCOMPARE(StoredArrangement(), std::optional<std::int32_t>(1));
    }

    void refusedWriteRaisesTheSettingsError() {
        // A config folder below a regular file can never be created.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString blocker = dir.filePath(QStringLiteral("blocker"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toLocal8Bit());

        QWidget parent;
        bool raised = false;
        QString message;
        Seen seen;
        try {
            RunOptionsInto(seen, &parent, nullptr, ClickOK);
        } catch (const pagora::ESettingsError& error) {
            raised = true;
            message = QString::fromUtf8(error.what());
        }
        QVERIFY(seen.shown);
        QVERIFY(raised);
        QCOMPARE(message, QStringLiteral("Fehler beim Setzen der Daten für 'ArrangeMemory'"));
        // The dialog was freed all the same.
        QVERIFY(parent.findChildren<TOptionenFrm*>().isEmpty());
    }

    void settingsOperationsAreReachableThroughTheDialogClass() {
        QCOMPARE(TOptionenFrm::ReadIntSetting("Width"), pagora::NoValue);
        TOptionenFrm::WriteIntSetting("Width", 640);
        QCOMPARE(TOptionenFrm::ReadIntSetting("Width"), 640);

        TOptionenFrm::RegisterProgramPath(QCoreApplication::applicationFilePath().toStdString());
        const auto key = pagora::MakeDefaultSettingsBackend()->OpenKey(pagora::kMakerKey);
        QVERIFY(key != nullptr);
        QCOMPARE(key->ReadText("Pagora"),
                 std::optional<std::string>(QCoreApplication::applicationFilePath().toStdString()));
    }

private:
    QByteArray savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
};

PAGORA_QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
