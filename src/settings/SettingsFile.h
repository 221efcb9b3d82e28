#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

namespace pagora {

// The JSON file behind FileSettingsBackend: a root object holding one object of values per
// key path. Reads need no lock, since the file is only ever replaced whole; writes hold a
// lock on "<file>.lock" from loading to replacing, so no instance loses another's write.
class SettingsFile {
public:
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    // The value, or an undefined value when the key or the value is missing, or the file
    // is missing, damaged or unreadable.
    QJsonValue Read(const QString& key, const QString& name) const;

    // Sets one value, replacing any value of that name. A damaged file is replaced by one
    // holding just this value. False when the folder, the lock or the file cannot be
    // written, or when the file exists but cannot be read (it is then left as it is).
    bool Write(const QString& key, const QString& name, const QJsonValue& value) const;

    // Adds the key when the file is missing or sound and lacks it; a damaged file is left
    // alone for the next write to replace. Failures are ignored.
    void CreateKey(const QString& key) const;

    // A JSON number that is a whole number within the 32-bit range; nothing otherwise.
    static std::optional<std::int32_t> ToInt32(const QJsonValue& value);

private:
    enum class State { Missing, Sound, Damaged, Unreadable };
    struct Contents {
        State state = State::Missing;
        QJsonObject root;
    };

    Contents Load() const;
    // Under the lock: loads, lets change() edit the root (false: nothing to write) and
    // writes the file through a temporary file and a rename.
    template <typename Change> bool Update(bool replaceDamaged, Change change) const;

    QString path_;
};

} // namespace pagora
