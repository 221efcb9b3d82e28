#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

namespace pagora::test {

// The settings and runtime folders of a window test run: for as long as the object lives,
// XDG_CONFIG_HOME and XDG_RUNTIME_DIR name two folders inside one fresh temporary folder, so
// that no test reads or writes the user's own settings, whether CTest or a person runs it.
// PAGORA_QTEST_MAIN makes one for the whole run.
class PrivateSettingsFolder {
public:
    PrivateSettingsFolder()
        : savedConfig_(qgetenv("XDG_CONFIG_HOME")), savedRuntime_(qgetenv("XDG_RUNTIME_DIR")),
          hadConfig_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
          hadRuntime_(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        if (!root_.isValid()) {
            qFatal("cannot create a temporary folder for the settings");
        }
        const QString runtime = root_.filePath(QStringLiteral("runtime"));
        QDir().mkpath(ConfigHome());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigHome()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        current_ = this;
    }
    ~PrivateSettingsFolder() {
        current_ = nullptr;
        Restore("XDG_CONFIG_HOME", hadConfig_, savedConfig_);
        Restore("XDG_RUNTIME_DIR", hadRuntime_, savedRuntime_);
    }
    PrivateSettingsFolder(const PrivateSettingsFolder&) = delete;
    PrivateSettingsFolder& operator=(const PrivateSettingsFolder&) = delete;

    // The folder XDG_CONFIG_HOME names; the store is avr-pagora/settings.json in it.
    QString ConfigHome() const { return root_.filePath(QStringLiteral("config")); }
    // Empties the store: what the program wrote below the private folder goes, nothing else.
    void Clear() const {
        QDir(ConfigHome()).removeRecursively();
        QDir().mkpath(ConfigHome());
    }
    // The folder of this run (made by PAGORA_QTEST_MAIN).
    static PrivateSettingsFolder& Current() {
        if (current_ == nullptr) {
            qFatal("no private settings folder: start the test with PAGORA_QTEST_MAIN");
        }
        return *current_;
    }

private:
    static void Restore(const char* name, bool had, const QByteArray& value) {
        if (had) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    }

    QTemporaryDir root_;
    QByteArray savedConfig_;
    QByteArray savedRuntime_;
    bool hadConfig_;
    bool hadRuntime_;
    static inline PrivateSettingsFolder* current_ = nullptr;
};

// Renders a widget into an image at one pixel per pixel, whatever the screen's scale factor.
inline QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

// Runs `answer` on the next modal widget as soon as it shows, so a modal box never blocks a
// test. `answer` gets the modal widget and must close it.
inline void AnswerNextModal(std::function<void(QWidget*)> answer, int attempts = 200) {
    QTimer::singleShot(10, [answer = std::move(answer), attempts]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr) {
            answer(modal);
        } else if (attempts > 0) {
            AnswerNextModal(std::move(answer), attempts - 1);
        }
    });
}

// Answers the next message box with its first button and hands back what it said.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    // Lines of the message (informative text, else the text) wider than its label shows them,
    // measured in the label's font: each such line breaks or is cut.
    QStringList brokenLines;
    // With a heading: the heading's label ends above the message's.
    bool headingAbove = false;
};

inline QLabel* LabelShowing(QMessageBox& box, const QString& text) {
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->isVisible() && label->text() == text) {
            return label;
        }
    }
    return nullptr;
}

// Where the box lays its texts out, as it is shown.
inline void MeasureBox(QMessageBox& box, SeenBox& seen) {
    const bool headed = !box.informativeText().isEmpty();
    const QString message = headed ? box.informativeText() : box.text();
    QLabel* label = LabelShowing(box, message);
    if (label == nullptr) {
        seen.brokenLines << message;
        return;
    }
    const QFontMetrics metrics(label->font());
    for (const QString& line : message.split(QLatin1Char('\n'))) {
        if (metrics.horizontalAdvance(line) > label->contentsRect().width()) {
            seen.brokenLines << line;
        }
    }
    if (headed) {
        const QLabel* heading = LabelShowing(box, box.text());
        seen.headingAbove = heading != nullptr && heading->geometry().bottom() < label->y();
    }
}

inline void AnswerNextMessageBox(SeenBox& seen) {
    AnswerNextModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.informativeText = box->informativeText();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        MeasureBox(*box, seen);
        if (box->buttons().isEmpty()) {
            box->close();
        } else {
            box->buttons().first()->click();
        }
    });
}

} // namespace pagora::test

// QTEST_MAIN with the run's settings and runtime folders made private before the application.
#define PAGORA_QTEST_MAIN(TestObject)                                                              \
    QTEST_MAIN_WRAPPER(TestObject, const pagora::test::PrivateSettingsFolder privateSettings;      \
                       QTEST_MAIN_SETUP())
