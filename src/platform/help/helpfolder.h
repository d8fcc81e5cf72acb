#pragma once

#include <QString>

// A help made of HTML pages in one folder (the help file "english.hlp" is such a folder): the
// contents page, the page on using help, one page per help context named after its number
// ("170.html") and the keyword index. Pages are found without regard to case, so that a
// translated help may spell its names as it likes. A translated help need not have every
// page: one it lacks is taken from the English help beside it.
class HelpFolder
{
public:
    static inline const char *ContentsPageName = "index.html";
    static inline const char *HowToPageName = "howto.html";
    static inline const char *KeywordFileName = "keywords.txt";
    static inline const char *EnglishHelpName = "english.hlp";

    explicit HelpFolder(const QString &path);

    QString path() const { return m_path; }
    bool exists() const;

    static QString topicPageName(int helpContext);

    // The full path of the named page or file of the help, else of the English help beside
    // it; empty when both lack it.
    QString find(const QString &name) const;
    // Whether a file find gave comes from the English help in place of a translated page.
    bool isStandIn(const QString &file) const;
    // Where the named page would be; for messages about a missing page.
    QString expected(const QString &name) const;

    // The text of a page's title element, empty when it has none or cannot be read.
    static QString pageTitle(const QString &file);

private:
    // The English help beside this one; empty when this is it or there is none.
    QString englishHelp() const;

    QString m_path;
};
