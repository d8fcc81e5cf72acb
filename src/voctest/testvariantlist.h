#pragma once

#include <QString>
#include <QStringList>

// The test variants of a folder: every "*.ltf" file whose description is not "error", in
// name order without regard to case, with its description, test type and full path.
class TestVariantList
{
public:
    // Descriptions as shownDescription gives them for the UI language file.
    void load(const QString &folder, const QString &languageFile = QString());

    int count() const { return m_paths.size(); }
    const QStringList &descriptions() const { return m_descriptions; }
    const QStringList &testTypes() const { return m_types; }
    const QStringList &paths() const { return m_paths; }

    // The variant of that file, matched by file name as both layers of the program folder
    // hold it (a variant edited in the user's copy is the same variant); -1 when none.
    static int indexOfFile(const QStringList &paths, const QString &path);

    // The name a variant is listed under. A shipped variant still under the description it
    // was shipped with (the English language file's text for its file name) takes the UI
    // language file's text for its file name; any other description is shown as it is.
    static QString shownDescription(const QString &path, const QString &description,
                                    const QString &languageFile);
    static QString translationSection() { return QStringLiteral("TestVariants"); }

private:
    QStringList m_descriptions;
    QStringList m_types;
    QStringList m_paths;
};
