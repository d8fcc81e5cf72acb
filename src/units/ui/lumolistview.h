#pragma once

#include <QListWidget>

// The file list of the unit manager. For now it keeps the view style, the languages
// preselected for a new unit and the UI language file; listing the units of a folder is
// still to come.
class TLumoListView : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(int ViewStyle READ viewStyle WRITE setViewStyle)
    Q_PROPERTY(int DefaultNativeLanguage READ defaultNativeLanguage WRITE setDefaultNativeLanguage)
    Q_PROPERTY(int DefaultForeignLanguage READ defaultForeignLanguage WRITE setDefaultForeignLanguage)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)
    Q_PROPERTY(QString Path READ path WRITE setPath)

public:
    // 0 large icons, 1 small icons, 2 list, 3 details.
    enum ViewStyles { vsIcon = 0, vsSmallIcon, vsList, vsReport };

    explicit TLumoListView(QWidget *parent = nullptr);

    int viewStyle() const { return m_viewStyle; }
    // A value outside 0 to 3 is kept as it is and matches no view button.
    void setViewStyle(int style);
    int defaultNativeLanguage() const { return m_defaultNative; }
    void setDefaultNativeLanguage(int language) { m_defaultNative = language; }
    int defaultForeignLanguage() const { return m_defaultForeign; }
    void setDefaultForeignLanguage(int language) { m_defaultForeign = language; }
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &file) { m_languageFile = file; }
    QString path() const { return m_path; }
    void setPath(const QString &folder) { m_path = folder; }

private:
    int m_viewStyle = vsIcon;
    int m_defaultNative = 0;
    int m_defaultForeign = 0;
    QString m_languageFile;
    QString m_path;
};
