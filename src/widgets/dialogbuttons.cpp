#include "widgets/dialogbuttons.h"

#include "platform/ui/helpkey.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace {
QPushButton *button(QDialog &dialog, const char *name, const char *caption)
{
    auto *made = new QPushButton(QString::fromUtf8(caption), &dialog);
    made->setObjectName(QLatin1String(name));
    return made;
}
} // namespace

DialogButtons::DialogButtons(QDialog &dialog, QBoxLayout &row, const Names &names)
    : ok(button(dialog, names.ok, names.okCaption)), cancel(button(dialog, "CancelBtn", "Cancel")),
      help(button(dialog, "HelpBtn", names.helpCaption))
{
    ok->setDefault(true);
    const bool column = row.direction() == QBoxLayout::TopToBottom;
    if (!column)
        row.addStretch(1);
    for (QPushButton *each : {ok, cancel, help})
        row.addWidget(each);
    if (column)
        row.addStretch(1);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    HelpKey::bind(dialog, *help);
}
