#pragma once

#include "app/ui/mainform.h"
#include "platform/ini/regfile.h"
#include "support/scriptedhelpservice.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"

#include <QDir>
#include <memory>

// The main window on a program folder of its own, as the window tests drive it: a settings
// store beside the folder, scripted message boxes and help, the English language file, and
// units in the folder the file list shows at a first start.
class MainFormFixture
{
protected:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    ScriptedHelpService help;
    QString units; // "Vocabulary/Other/" of the program folder

    // Call from the test's init().
    void setUpFixture()
    {
        folder = std::make_unique<TestFolder>();
        units = folder->path() + QStringLiteral("Vocabulary/Other/");
        QDir().mkpath(units);
        folder->copyFromData(QStringLiteral("english.llf"));
        messages = ScriptedMessageService();
        help = ScriptedHelpService();
    }

    QString registryPath() const { return folder->path() + QStringLiteral("../registry.sqlite"); }

    std::unique_ptr<TMainForm> createForm()
    {
        auto form = std::make_unique<TMainForm>(std::make_unique<TRegFile>(registryPath()), messages);
        form->setHelpService(help);
        form->FormCreate();
        return form;
    }

    // A unit of count entries "word <i>" / "Wort <i>" (the native side padded with blanks
    // when a test needs big records). Returns its descriptor.
    QString makeUnit(const QString &name, int count, int native = 2, int foreign = 6, int padding = 0)
    {
        const QString descriptor = units + name + QStringLiteral(".lif");
        UnitDescriptor(descriptor)
            .write(native, foreign, QStringLiteral("test words"), QStringLiteral("MS Sans Serif"));
        TLumoTable table(messages);
        table.setVocabularyFile(units + name + QStringLiteral(".db"));
        table.open();
        table.startTransaction();
        for (int i = 0; i < count; ++i)
            table.appendRecord({QVariant(),
                                QStringLiteral("word %1").arg(i) + QString(padding, u' ') +
                                    (padding > 0 ? QStringLiteral("x") : QString()),
                                QStringLiteral("Wort %1").arg(i), 1});
        table.commit();
        table.close();
        return descriptor;
    }
};
