#include "settings/SettingsFile.h"

#include "settings/SettingsFileLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace pagora {

SettingsFile::Contents SettingsFile::Load() const {
    Contents contents;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        // Only a file that is not there counts as missing. (QFile::exists is not asked
        // first: while another instance replaces the file it may answer "not there".)
        std::error_code error;
        const bool there = std::filesystem::exists(QFile::encodeName(path_).toStdString(), error);
        contents.state = there || error ? State::Unreadable : State::Missing;
        return contents;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        contents.state = State::Unreadable;
        return contents;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        contents.state = State::Damaged;
        return contents;
    }
    contents.state = State::Sound;
    contents.root = document.object();
    return contents;
}

template <typename Change> bool SettingsFile::Update(bool replaceDamaged, Change change) const {
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return false;
    const SettingsFileLock lock(path_ + QStringLiteral(".lock"));
    if (!lock.Locked())
        return false;
    Contents contents = Load();
    if (contents.state == State::Unreadable)
        return false;
    if (contents.state == State::Damaged) {
        if (!replaceDamaged)
            return false;
        contents.root = QJsonObject();
    }
    if (!change(contents.root))
        return true;
    const QByteArray data = QJsonDocument(contents.root).toJson(QJsonDocument::Indented);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QJsonValue SettingsFile::Read(const QString& key, const QString& name) const {
    return Load().root.value(key).toObject().value(name);
}

bool SettingsFile::Write(const QString& key, const QString& name, const QJsonValue& value) const {
    return Update(true, [&](QJsonObject& root) {
        QJsonObject values = root.value(key).toObject();
        values.insert(name, value);
        root.insert(key, values);
        return true;
    });
}

void SettingsFile::CreateKey(const QString& key) const {
    const Contents contents = Load();
    if (contents.state == State::Damaged || contents.state == State::Unreadable ||
        contents.root.contains(key))
        return;
    Update(false, [&](QJsonObject& root) {
        if (root.contains(key))
            return false;
        root.insert(key, QJsonObject());
        return true;
    });
}

std::optional<std::int32_t> SettingsFile::ToInt32(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max() || number != std::trunc(number))
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

} // namespace pagora
