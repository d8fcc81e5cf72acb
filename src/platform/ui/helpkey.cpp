#include "platform/ui/helpkey.h"

#include <QAbstractButton>
#include <QShortcut>

void HelpKey::bind(QWidget &dialog, QAbstractButton &helpButton)
{
    auto *key = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &helpButton, [&helpButton] {
        if (helpButton.isVisible() && helpButton.isEnabled())
            helpButton.click();
    });
}
