#include "ui/AppContext.h"
#include "app/CommandLine.h"
#include "app/HomeFolder.h"
#include "print/PdfPrinterDevice.h"
#include "resources/AppIcon.h"
#include "ui/QtMessages.h"
#include "ui/SingleInstance.h"
#include "ui/main/Main.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Read before any window: --help works without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    switch (readCommandLine(arguments)) {
    case CommandLineAction::Version:
        std::printf("plaklabels %s\n", PLAKLABELS_VERSION);
        return 0;
    case CommandLineAction::Help:
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLineAction::Refuse:
        std::fputs(usageText().toLocal8Bit().constData(), stderr);
        return 2;
    case CommandLineAction::Start:
        break;
    }
    // Past a file-size limit a write must fail and be told, as on a full
    // disk; the signal's default would end the program and lose the list.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramTitle);
    QApplication::setWindowIcon(appIcon());

    const QString programFolder = QApplication::applicationDirPath();
    const HomeFolder home = chooseHomeFolder(
        programFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
        programFolder + QStringLiteral("/../share/plaklabels/voorbeeld.lst"), QStringLiteral(PLAKLABELS_INSTALLED_BINDIR));
    QtMessages messages;
    SingleInstance instance(home.path);
    switch (instance.claim()) {
    case SingleInstance::Claim::First:
        if (instance.otherUserListens())
            messages.tell(nullptr, ProgramTitle,
                          QStringLiteral("Een ander gebruiker van deze computer antwoordt op de plek waar Plaklabels een "
                                         "gestart programma zoekt. Plaklabels start gewoon."),
                          Messages::Icon::Error);
        break;
    case SingleInstance::Claim::ShownOther:
        return 0;
    case SingleInstance::Claim::OtherComputer:
        // A program folder on a stick or a share, left locked by a crash elsewhere.
        if (messages.ask(nullptr, ProgramTitle, instance.otherComputerQuestion()) != Messages::Answer::Ja
            || !instance.takeOver())
            return 1;
        break;
    case SingleInstance::Claim::OtherHung:
        messages.tell(nullptr, ProgramTitle, QStringLiteral("Plaklabels is al gestart voor deze map, maar reageert niet."),
                      Messages::Icon::Error);
        return 1;
    }
    PdfPrinterDevice printer(home.path);
    AppContext context{home.path, {}, messages, printer};

    Main window(context);
    const bool served = instance.serve(&window);
    window.show();
    if (!served)
        messages.tell(&window, ProgramTitle,
                      QStringLiteral("Plaklabels kan een volgende start niet naar dit venster sturen (%1); die meldt dan "
                                     "dat Plaklabels niet reageert.")
                          .arg(instance.serveError()),
                      Messages::Icon::Error);
    window.offerRecoveries();
    // Tidying up after earlier runs can wait until the window stands.
    QTimer::singleShot(0, &PdfPrinterDevice::removeLeftOverSpools);
    if (!home.problem.isEmpty())
        messages.tell(&window, ProgramTitle, home.problem, Messages::Icon::Error);
    return app.exec();
}
