#include "settings/FileSettingsBackend.h"

#include "settings/SettingsFile.h"

#include <QDir>
#include <QString>
#include <utility>

namespace pagora {

namespace {

QString ConfigHome() {
    QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return home + QStringLiteral("/.config");
    return {};
}

class FileSettingsKey : public SettingsKey {
public:
    FileSettingsKey(QString filePath, QString keyPath)
        : file_(std::move(filePath)), keyPath_(std::move(keyPath)) {}

    std::optional<std::string> ReadText(std::string_view name) override {
        const QJsonValue value = file_.Read(keyPath_, ToQString(name));
        if (!value.isString())
            return std::nullopt;
        return value.toString().toStdString();
    }

    std::optional<std::int32_t> ReadInt(std::string_view name) override {
        return SettingsFile::ToInt32(file_.Read(keyPath_, ToQString(name)));
    }

    bool WriteText(std::string_view name, std::string_view value) override {
        return file_.Write(keyPath_, ToQString(name), QJsonValue(ToQString(value)));
    }

    bool WriteInt(std::string_view name, std::int32_t value) override {
        return file_.Write(keyPath_, ToQString(name), QJsonValue(static_cast<qint64>(value)));
    }

private:
    static QString ToQString(std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    SettingsFile file_;
    QString keyPath_;
};

} // namespace

std::optional<std::string> FileSettingsBackend::FilePath() {
    const QString home = ConfigHome();
    if (home.isEmpty())
        return std::nullopt;
    return QDir::cleanPath(home + QStringLiteral("/avr-pagora/settings.json")).toStdString();
}

std::unique_ptr<SettingsKey> FileSettingsBackend::OpenKey(std::string_view path) {
    const auto filePath = FilePath();
    if (!filePath)
        return nullptr;
    const QString file = QString::fromStdString(*filePath);
    const QString keyPath = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    // Opening creates the key, as the registry does; where the file cannot be written
    // the key stays missing, which reads the same as an empty one.
    SettingsFile(file).CreateKey(keyPath);
    return std::make_unique<FileSettingsKey>(file, keyPath);
}

} // namespace pagora
