#include "vocfile/unitconverter.h"

#include "platform/lumoerror.h"
#include "vocfile/lumotable.h"
#include "vocfile/oldunitfile.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitdialogcommit.h"
#include "vocfile/unitfields.h"
#include "vocfile/unitfiles.h"

#include <QFileInfo>

QString UnitConverter::descriptorNameFor(const QString &oldFile, const QString &folder)
{
    const QFileInfo old(oldFile);
    const QString fileName = old.fileName();
    const qsizetype dot = fileName.lastIndexOf(u'.');
    QString name = (dot >= 0 ? fileName.left(dot) : fileName) + UnitFiles::descriptorExtension();
    // Never over another unit: "x" in front until the name is free.
    while (QFileInfo::exists(folder + name))
        name.prepend(u'x');
    return name;
}

void UnitConverter::checkName(const QString &oldFile, const QString &folder)
{
    const QString name = QFileInfo(folder + descriptorNameFor(oldFile, folder)).completeBaseName();
    // The unit dialog's rule: no line break, no separator, no name that is only an extension.
    if (!UnitDialogCommit::isValidName(QFileInfo(oldFile).completeBaseName()))
        throw LumoError(QStringLiteral("The name of this old unit cannot be the name of a unit: ") + oldFile);
    if (!UnitDialogCommit::fitsFolder(folder, name))
        throw LumoError(UnitDialogCommit::defaultNameTooLongMessage() + QStringLiteral("\r\n") + oldFile);
}

QString UnitConverter::convert(const QString &oldFile, const QString &folder)
{
    // Read whole first, so that a file that cannot be read leaves nothing behind.
    const OldUnitFile unit = OldUnitFile::read(oldFile);
    checkName(oldFile, folder);
    QString descriptor;
    // A descriptor that another program places meanwhile is never replaced: the next free
    // name is taken instead, as for one that was there before.
    do {
        descriptor = folder + descriptorNameFor(oldFile, folder);
        if (UnitDescriptor(descriptor)
                .create(0, unit.foreignLanguage(), unit.description(),
                        QString::fromLatin1(UnitDescriptor::DefaultFont)))
            break;
    } while (true);

    m_table.setVocabularyFile(UnitFiles::tablePathOf(descriptor));
    try {
        // A table already there may have been made elsewhere: it gets the words by field name.
        m_table.openChecked();
        appendPairs(unit);
    } catch (...) {
        m_table.close();
        throw;
    }
    m_table.close();
    return descriptor;
}

void UnitConverter::appendPairs(const OldUnitFile &unit)
{
    // One transaction for the whole unit; what was appended before a failure is kept, as if
    // each entry had been posted on its own.
    const UnitFields fields(m_table);
    m_table.startTransaction();
    try {
        for (const auto &[foreign, native] : unit.pairs)
            m_table.appendRecord(fields.record({QVariant(), native, foreign, 0, QVariant(), QVariant(), 0}));
    } catch (...) {
        m_table.commit();
        throw;
    }
    m_table.commit();
}
