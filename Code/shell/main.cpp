// Quorvid: the program. It reads no command-line arguments and no environment variables.
#include "Dialogs.h"
#include "LinuxPlatform.h"
#include "QtDialogs.h"
#include "QuorvidApplication.h"
#include "QuorvidProgram.h"

#include <QIcon>
#include <clocale>

int main(int argc, char** argv)
{
    TLinuxPlatform platform;
    SetPlatform(&platform);
    TQtDialogs dialogs;
    SetDialogs(&dialogs);
    SetApplicationTitle(QStringLiteral("Quorvid"));

    // Qt's own arguments (-platform and the like) are the toolkit's; the program reads none.
    TQuorvidApplication app(argc, argv);
    // mpv refuses to start under a numeric locale other than "C".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Quorvid"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/artwork/quorvid.png")));

    int code = 0;
    {
        TQuorvidProgram program;
        program.Show();
        code = QApplication::exec();
    }
    platform.ExitProcess(code);
}
