#include "platform/caseblindtext.h"

#include <algorithm>
#include <sqlite3.h>

namespace {

bool isAscii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
}

char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

void containsFunction(sqlite3_context *context, int, sqlite3_value **args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    // The wanted text is the same on every row: it is lower-cased once per statement.
    auto *matcher = static_cast<CaseBlindText *>(sqlite3_get_auxdata(context, 1));
    if (!matcher) {
        const auto *wanted = reinterpret_cast<const char *>(sqlite3_value_text(args[1]));
        const auto *locale = reinterpret_cast<const char *>(sqlite3_value_text(args[2]));
        const QString localeName = QString::fromUtf8(locale, sqlite3_value_bytes(args[2]));
        // Never the user's own locale: in a Turkish session every side would fold I to ı.
        sqlite3_set_auxdata(context, 1,
                            new CaseBlindText(QString::fromUtf8(wanted, sqlite3_value_bytes(args[1])),
                                              localeName.isEmpty() ? QLocale::c() : QLocale(localeName)),
                            [](void *p) { delete static_cast<CaseBlindText *>(p); });
        matcher = static_cast<CaseBlindText *>(sqlite3_get_auxdata(context, 1));
        if (!matcher) {
            sqlite3_result_error_nomem(context);
            return;
        }
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(args[0]));
    sqlite3_result_int(context, matcher->foundIn(QByteArrayView(text, sqlite3_value_bytes(args[0]))) ? 1 : 0);
}

} // namespace

CaseBlindText::CaseBlindText(const QString &wanted, const QLocale &locale)
    : m_locale(locale), m_wanted(locale.toLower(wanted))
{
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    m_plainAscii = locale.toLower(letters) == letters.toLatin1().toLower();
    const QByteArray utf8 = m_wanted.toUtf8();
    if (isAscii(utf8))
        m_asciiWanted = utf8;
}

bool CaseBlindText::foundIn(const QString &text) const
{
    return !m_wanted.isEmpty() && m_locale.toLower(text).contains(m_wanted);
}

bool CaseBlindText::foundIn(QByteArrayView utf8) const
{
    if (m_wanted.isEmpty())
        return false;
    // Most words are plain ASCII: they are compared where they lie, without decoding.
    if (m_plainAscii && isAscii(utf8))
        return !m_asciiWanted.isEmpty() && foundInAscii(utf8);
    return foundIn(QString::fromUtf8(utf8));
}

bool CaseBlindText::foundInAscii(QByteArrayView text) const
{
    const auto same = [](char a, char b) { return foldAscii(a) == b; };
    return std::search(text.begin(), text.end(), m_asciiWanted.begin(), m_asciiWanted.end(), same) !=
           text.end();
}

int CaseBlindText::install(sqlite3 *db)
{
    return sqlite3_create_function_v2(db, ContainsFunction, 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                      containsFunction, nullptr, nullptr, nullptr);
}
