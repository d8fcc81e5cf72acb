// A test variant file of any bytes: its settings, and the list of variants of its folder.
#include "fuzzfolder.h"
#include "voctest/testsettings.h"
#include "voctest/testvariantlist.h"

#include <QDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool made = QDir().mkpath(FuzzFolder() + QStringLiteral("variants"));
    if (!made)
        std::abort();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = WriteFuzzFile(QStringLiteral("variants/fuzz.ltf"), bytes);

    TestSettings settings;
    settings.load(path);
    if (settings.wordTypes > TestSettings::AllWordTypes)
        std::abort();
    TestSettings::parseWordTypes(QString::fromUtf8(bytes));

    TestVariantList variants;
    variants.load(FuzzFolder() + QStringLiteral("variants"));
    if (variants.count() > 1 || variants.descriptions().size() != variants.count() ||
        variants.testTypes().size() != variants.count())
        std::abort();
    return 0;
}
