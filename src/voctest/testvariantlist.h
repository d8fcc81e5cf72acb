#pragma once

#include <QString>
#include <QStringList>

// The test variants of a folder: every "*.ltf" file whose description is not "error", in
// name order without regard to case, with its description, test type and full path.
class TestVariantList
{
public:
    void load(const QString &folder);

    int count() const { return m_paths.size(); }
    const QStringList &descriptions() const { return m_descriptions; }
    const QStringList &testTypes() const { return m_types; }
    const QStringList &paths() const { return m_paths; }

private:
    QStringList m_descriptions;
    QStringList m_types;
    QStringList m_paths;
};
