#include "cli/lumotool.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Halvet"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    LumoTool tool(out, err, ::isatty(STDERR_FILENO) != 0);
    return tool.run(QCoreApplication::arguments().mid(1));
}
