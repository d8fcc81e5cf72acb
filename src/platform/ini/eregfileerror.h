#pragma once

#include "platform/lumoerror.h"

#include <QString>
#include <QtGlobal>

// Raised by the settings store.
class ERegFileError : public LumoError
{
public:
    using LumoError::LumoError;

    // "Reg Error: " and the system error number as eight upper-case hexadecimal digits.
    static ERegFileError systemError(quint32 code)
    {
        const QString hex = QStringLiteral("%1").arg(code, 8, 16, QChar(u'0')).toUpper();
        return ERegFileError(QStringLiteral("Reg Error: ") + hex);
    }
    static ERegFileError cantOpenKey() { return ERegFileError(QStringLiteral("Can't open a Key")); }
    static ERegFileError invalidVariantType()
    {
        return ERegFileError(QStringLiteral("Invalid variant type"));
    }
};
