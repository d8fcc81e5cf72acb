#pragma once

#include "platform/ini/eregfileerror.h"
#include "platform/ini/regfile.h"
#include "platform/ini/registryhive.h"

#include <QByteArray>
#include <QString>

// The settings store as the tests look into it: values read straight from the hive file,
// past the settings class, and the message of the error a call raises.
namespace RawRegistry {
const QString SettingsKey = QStringLiteral("Software\\Halvet\\Lumo96");
constexpr int CurrentUser = TRegFile::hkCurrentUser;

struct RawValue
{
    int type = RegistryHive::RegNone;
    QByteArray data;
    quint32 error = 0;
};

// One value as stored, or the error that kept it from being read.
inline RawValue readRaw(const QString &path, const QString &keyPath, const QString &name,
                        int hive = CurrentUser)
{
    RegistryHive registry(path);
    RawValue raw;
    RegistryHive::KeyHandle key = 0;
    raw.error = registry.openKey(hive, keyPath, key);
    if (raw.error == 0) {
        raw.error = registry.readValue(key, name, raw.type, raw.data);
        registry.closeKey(key);
    }
    return raw;
}

// Runs call and gives the message of the ERegFileError it raises ("" when none).
template <typename Call> QString regError(Call call)
{
    try {
        call();
    } catch (const ERegFileError &error) {
        return error.message();
    }
    return QString();
}
} // namespace RawRegistry
