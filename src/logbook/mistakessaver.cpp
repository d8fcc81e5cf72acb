#include "logbook/mistakessaver.h"

#include "logbook/filesnapshot.h"
#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"
#include "platform/messageservice.h"
#include "platform/newfile.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitdialogcommit.h"
#include "vocfile/unitfields.h"
#include "vocfile/unitfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace {
bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}
} // namespace

MistakesSaver::MistakesSaver(const Source &source, MessageService &messages)
    : m_source(source), m_messages(messages)
{}

MistakesSaver::Outcome MistakesSaver::save(const Choice &choice)
{
    if (choice.name.isEmpty())
        return Outcome::Closed;
    // Checked before anything is asked: a separator in the name would reach into another
    // folder, and the question would be about a file the user never meant.
    if (!UnitDialogCommit::isValidName(choice.name)) {
        refuseName();
        return Outcome::StayOpen;
    }
    if (!UnitDialogCommit::fitsFolder(m_source.folder, choice.name)) {
        m_messages.show(MessageService::Kind::Error, m_source.msgNameTooLong, MessageService::Ok);
        return Outcome::StayOpen;
    }
    const QString descriptor = m_source.folder + choice.name + QLatin1Char('.') + m_source.extension;
    // Replacing the open unit's descriptor and appending its mistakes to itself would lose
    // the unit's own description and test log.
    if (isCurrentUnit(descriptor)) {
        m_messages.show(MessageService::Kind::Error, m_source.msgSameUnit, MessageService::Ok);
        return Outcome::StayOpen;
    }
    const FileSnapshot before(descriptor);
    if (before.existed() && m_messages.show(MessageService::Kind::Information, m_source.msgFileExists,
                                            MessageService::Yes | MessageService::No) != MessageService::Yes)
        return Outcome::StayOpen;
    switch (writeDescriptor(descriptor, choice.description, before.existed())) {
    case Written::Yes: break;
    case Written::Appeared:
        // Another program made a unit of that name since the question: it is not ours to
        // replace or to remove.
        m_messages.show(MessageService::Kind::Error, m_source.msgUnitExists, MessageService::Ok);
        return Outcome::StayOpen;
    case Written::Failed:
        before.restore();
        refuseName();
        return Outcome::StayOpen;
    }
    try {
        appendEntries(UnitFiles::tablePathOf(descriptor), choice);
    } catch (...) {
        before.restore();
        throw;
    }
    return Outcome::Closed;
}

bool MistakesSaver::isCurrentUnit(const QString &descriptorPath) const
{
    if (sameFile(descriptorPath, m_source.descriptorPath))
        return true;
    return m_source.table && sameFile(UnitFiles::tablePathOf(descriptorPath), m_source.table->filePath());
}

void MistakesSaver::refuseName() const
{
    m_messages.show(MessageService::Kind::Error,
                    m_source.msgCreationFailed + QStringLiteral("\r\n") +
                        UnitDialogCommit::forbiddenCharacters(),
                    MessageService::Ok);
}

MistakesSaver::Written MistakesSaver::writeDescriptor(const QString &path, const QString &description,
                                                      bool replace) const
{
    const QFileInfo info(path);
    // A descriptor that may not be changed is not deleted either.
    if (replace && info.exists() && (!info.isFile() || !info.isWritable()))
        return Written::Failed;
    try {
        // The unit gets a descriptor of its own: nothing of the one it replaces stays.
        if (replace && info.exists() && !QFile::remove(path))
            return Written::Failed;
        IniBatch batch(path);
        UnitDescriptor::writeKeys(batch, m_source.firstLanguage, m_source.secondLanguage, description,
                                  m_source.fontName);
        if (!batch.commitAsNew())
            return replace ? Written::Failed : Written::Appeared;
    } catch (const IniWriteError &) {
        return Written::Failed;
    }
    return Written::Yes;
}

void MistakesSaver::appendEntries(const QString &tablePath, const Choice &choice) const
{
    const bool existed = QFileInfo::exists(tablePath);
    TLumoTable target(m_messages);
    target.setVocabularyFile(tablePath);
    if (target.vocabularyFile().isEmpty())
        throw TableError(QStringLiteral("The table ") + tablePath + QStringLiteral(" could not be created."));
    const NewFile::Identity made = existed ? NewFile::Identity() : NewFile::identityOf(tablePath);
    try {
        // An existing unit may have been made elsewhere: its fields are found by name.
        target.openChecked();
        copyEntries(target, choice);
        target.close();
    } catch (...) {
        target.close(); // an open transaction is rolled back
        // Only the table made here, and only while it is still that one.
        NewFile::removeIfStill(tablePath, made);
        throw;
    }
}

void MistakesSaver::copyEntries(SqliteTable &target, const Choice &choice) const
{
    SqliteTable &source = *m_source.table;
    const int native = source.fieldIndex(QStringLiteral("NativeLanguage"));
    const int foreign = source.fieldIndex(QStringLiteral("ForeignLanguage"));
    const int type = source.fieldIndex(QStringLiteral("Type"));
    const int nativeSound = source.fieldIndex(QStringLiteral("NativeSound"));
    const int foreignSound = source.fieldIndex(QStringLiteral("ForeignSound"));
    const int mistakes = source.fieldIndex(QStringLiteral("Mistakes"));
    source.disableControls();
    target.disableControls();
    const auto release = qScopeGuard([&] {
        source.enableControls();
        target.enableControls();
    });
    const UnitFields targetFields(target);
    target.startTransaction();
    for (source.first(); !source.eof(); source.next()) {
        if (!choice.allEntries && source.fieldValue(mistakes).toInt() <= choice.moreThan)
            continue;
        QVariantList values(TLumoTable::FieldCount);
        values[TLumoTable::NativeLanguage] = source.fieldValue(native);
        values[TLumoTable::ForeignLanguage] = source.fieldValue(foreign);
        values[TLumoTable::Type] = source.fieldValue(type);
        if (choice.withSounds) {
            values[TLumoTable::NativeSound] = source.fieldValue(nativeSound);
            values[TLumoTable::ForeignSound] = source.fieldValue(foreignSound);
        }
        values[TLumoTable::Mistakes] = 0;
        target.appendRecord(targetFields.record(values));
    }
    target.commit();
    source.first();
}
