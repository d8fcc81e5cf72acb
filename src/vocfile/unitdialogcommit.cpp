#include "vocfile/unitdialogcommit.h"

#include "platform/ini/inifile.h"
#include "platform/messageservice.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitfiles.h"

#include <QFile>
#include <QFileInfo>

#include <climits>
#include <unistd.h>

QString UnitDialogCommit::forbiddenCharacters()
{
    return QStringLiteral("\\/:*?\"<>|");
}

bool UnitDialogCommit::isValidName(const QString &name)
{
    const QString forbidden = forbiddenCharacters();
    for (const QChar c : name)
        if (forbidden.contains(c) || c.unicode() < 32)
            return false;
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..");
}

bool UnitDialogCommit::fitsFolder(const QString &folder, const QString &name)
{
    long longest = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    QStringList extensions = UnitFiles::tableExtensions();
    extensions << UnitFiles::descriptorExtension() << UnitFiles::journalExtension();
    for (const QString &extension : extensions)
        if (QFile::encodeName(name + extension).size() > longest)
            return false;
    return true;
}

UnitDialogCommit::UnitDialogCommit(MessageService &messages, Texts texts)
    : m_messages(messages), m_texts(std::move(texts))
{}

QString UnitDialogCommit::descriptorPath(const Input &input, const QString &name) const
{
    return input.folder + name + QLatin1Char('.') + input.extension;
}

bool UnitDialogCommit::renamesOntoAnotherUnit(const Input &input) const
{
    if (!input.propertiesMode || input.name == input.previousName)
        return false;
    const UnitFiles target(descriptorPath(input, input.name));
    const UnitFiles unit(descriptorPath(input, input.previousName));
    const QStringList ours = unit.existingFiles();
    // A file of the new name that is not one of ours under another spelling belongs to
    // another unit (on a file system that ignores case, "Verbs" and "verbs" are one file).
    for (const QString &file : target.existingFiles()) {
        const QFileInfo info(file);
        bool same = false;
        for (const QString &own : ours)
            same = same || QFileInfo(own).canonicalFilePath() == info.canonicalFilePath();
        if (!same)
            return true;
    }
    return false;
}

bool UnitDialogCommit::write(const QString &descriptor, const Input &input)
{
    try {
        UnitDescriptor(descriptor)
            .write(input.nativeLanguage, input.foreignLanguage, input.description,
                   input.font.value_or(QString()));
        return true;
    } catch (const LumoError &) {
        m_messages.error(m_texts.creationFailedMessage);
        return false;
    }
}

UnitDialogCommit::Outcome UnitDialogCommit::create(const QString &descriptor, const Input &input)
{
    try {
        // Another program may make a unit of that name at the same moment: it is never
        // replaced, as the user was not asked about it.
        if (!UnitDescriptor(descriptor)
                 .create(input.nativeLanguage, input.foreignLanguage, input.description,
                         input.font.value_or(QString()))) {
            m_messages.error(m_texts.unitExistsMessage);
            return Outcome::Refused;
        }
    } catch (const LumoError &) {
        m_messages.error(m_texts.creationFailedMessage);
        return Outcome::Failed;
    }
    m_written = descriptor;
    return Outcome::Written;
}

UnitDialogCommit::Outcome UnitDialogCommit::run(Input &input)
{
    input.name = input.name.trimmed();
    if (input.name.isEmpty())
        return Outcome::Ignored;
    // Refused on every system, not only where the file system would refuse it.
    if (!isValidName(input.name)) {
        m_messages.error(m_texts.creationFailedMessage);
        return Outcome::Failed;
    }
    if (!fitsFolder(input.folder, input.name)) {
        m_messages.error(m_texts.nameTooLongMessage);
        return Outcome::Failed;
    }
    if (!input.propertiesMode) {
        // A unit of that name whose descriptor is spelt "NAME.LIF" is the one asked about
        // and overwritten, never given a second descriptor beside it.
        const QString descriptor = UnitFiles::findDescriptor(input.folder, input.name);
        if (QFileInfo::exists(descriptor) &&
            m_messages.show(MessageService::Kind::Information, m_texts.fileExistsQuestion,
                            MessageService::Yes | MessageService::No) != MessageService::Yes)
            return Outcome::Declined;
        if (!QFileInfo::exists(descriptor))
            return create(descriptor, input);
        if (!write(descriptor, input))
            return Outcome::Failed;
        m_written = descriptor;
        return Outcome::Written;
    }
    if (renamesOntoAnotherUnit(input)) {
        m_messages.error(m_texts.unitExistsMessage);
        return Outcome::Refused;
    }
    // The keys go into the unit's own descriptor first, so that a failed write renames
    // nothing; the rename then carries the whole unit, test log and journal included.
    const QString previous = descriptorPath(input, input.previousName);
    if (!input.font)
        input.font = UnitDescriptor(previous).font();
    if (!write(previous, input))
        return Outcome::Failed;
    m_written = previous;
    if (input.name != input.previousName) {
        try {
            m_written = UnitFiles(previous).rename(input.name);
        } catch (const LumoError &) {
            // The keys are written and the unit stays whole under its old name.
            m_messages.error(m_texts.renameFailedMessage);
        }
    }
    return Outcome::Written;
}
