#include "cli/unitinfo.h"

#include "cli/unitcheck.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"
#include "vocfile/vocabularylanguages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {
QString languageText(int number)
{
    return QString::number(number) + QStringLiteral(" (") + LanguageEnglishName(number) + u')';
}

QJsonObject languageJson(int number)
{
    return {{QStringLiteral("number"), number}, {QStringLiteral("name"), LanguageEnglishName(number)}};
}
} // namespace

UnitInfo::UnitInfo(const QString &descriptor, const QString &table, MessageService &messages)
    : m_descriptor(descriptor)
{
    const UnitDescriptor unit(descriptor);
    m_native = unit.firstLanguage();
    m_foreign = unit.secondLanguage();
    m_description = unit.description();
    m_font = unit.font();
    const UnitTestLog log(descriptor);
    m_testCount = log.testCount();
    m_lastTestDate = log.lastTestDate();
    m_results = log.results(m_testCount);
    m_entries = UnitCheck::entries(table, messages);
}

void UnitInfo::writeText(QTextStream &out) const
{
    QStringList results;
    for (int mistakes : m_results)
        results.append(QString::number(mistakes));
    out << "Unit:             " << m_descriptor << '\n'
        << "Native language:  " << languageText(m_native) << '\n'
        << "Foreign language: " << languageText(m_foreign) << '\n'
        << "Description:      " << m_description << '\n'
        << "Font:             " << m_font << '\n'
        << "Entries:          " << m_entries << '\n'
        << "Tests:            " << m_testCount << '\n'
        << "Last test:        " << m_lastTestDate << '\n'
        << "Mistakes per test: " << results.join(QStringLiteral(", ")) << '\n';
}

void UnitInfo::writeJson(QTextStream &out) const
{
    QJsonArray results;
    for (int mistakes : m_results)
        results.append(mistakes);
    const QJsonObject log{{QStringLiteral("testCount"), m_testCount},
                          {QStringLiteral("lastTestDate"), m_lastTestDate},
                          {QStringLiteral("mistakesPerTest"), results}};
    const QJsonObject unit{{QStringLiteral("unit"), m_descriptor},
                           {QStringLiteral("nativeLanguage"), languageJson(m_native)},
                           {QStringLiteral("foreignLanguage"), languageJson(m_foreign)},
                           {QStringLiteral("description"), m_description},
                           {QStringLiteral("font"), m_font},
                           {QStringLiteral("entries"), m_entries},
                           {QStringLiteral("testLog"), log}};
    out << QJsonDocument(unit).toJson(QJsonDocument::Indented);
}
