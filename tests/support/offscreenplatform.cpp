// Widget tests need no display: started by hand without a platform chosen, they draw
// offscreen. Runs before main() creates the application object.
#include <QByteArray>
#include <QtGlobal>

namespace {
void ChooseOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}
} // namespace

Q_CONSTRUCTOR_FUNCTION(ChooseOffscreenPlatform)
