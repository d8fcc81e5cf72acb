#include "vocfile/unittestlog.h"

#include "platform/ini/inibatch.h"
#include "vocfile/unitdescriptor.h"

#include <QDate>
#include <QLocale>

namespace {
const QString section()
{
    return QString::fromLatin1(UnitDescriptor::Section);
}

const QString TestCountKey = QStringLiteral("TestCount");
const QString LastTestDateKey = QStringLiteral("LastTestDate");

QString resultKey(int n)
{
    return QStringLiteral("TestResult") + QString::number(n);
}
} // namespace

UnitTestLog::UnitTestLog(QString descriptorPath) : m_ini(std::move(descriptorPath)) {}

int UnitTestLog::testCount() const
{
    return m_ini.readInteger(section(), TestCountKey, 0);
}

QString UnitTestLog::lastTestDate() const
{
    return m_ini.readString(section(), LastTestDateKey, QString());
}

QList<int> UnitTestLog::results(int limit) const
{
    QList<int> results;
    for (int n = 1; n <= limit; ++n) {
        const int mistakes = m_ini.readInteger(section(), resultKey(n), -1);
        if (mistakes < 0)
            break;
        results.append(mistakes);
    }
    return results;
}

void UnitTestLog::append(int mistakes, const QString &date)
{
    const int n = testCount() + 1;
    IniBatch batch(m_ini.fileName());
    batch.writeInteger(section(), resultKey(n), mistakes);
    batch.writeInteger(section(), TestCountKey, n);
    batch.writeString(section(), LastTestDateKey, date);
    batch.commit();
}

void UnitTestLog::reset()
{
    const UnitDescriptor unit(m_ini.fileName());
    const int first = unit.firstLanguage();
    const int second = unit.secondLanguage();
    const QString description = unit.description();
    const QString font = unit.font();
    const QString fileType = unit.fileType();
    IniBatch batch(m_ini.fileName());
    batch.eraseSection(section());
    UnitDescriptor::writeKeys(batch, first, second, description, font);
    // The unit keeps the kind it had, even one that is not a vocabulary unit.
    batch.writeString(section(), QStringLiteral("FileType"), fileType);
    batch.writeInteger(section(), TestCountKey, 0);
    batch.writeString(section(), LastTestDateKey, QString());
    batch.commit();
}

QString UnitTestLog::today()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}
