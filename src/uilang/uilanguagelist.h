#pragma once

#include <QList>
#include <QString>

// The UI language files of a folder as the chooser offers them: each file's description
// from "general"/"Description", in the order of the folder's listing; a file without a
// description, or whose description is "error", is left out.
struct UiLanguage
{
    QString description;
    QString fileName; // full path
};

QList<UiLanguage> ListUiLanguages(const QString &folder, const QString &extension);
