#include "app/AppContext.h"
#include "ui/QtMessages.h"
#include "print/QtPrinterDevice.h"
#include "resources/AppIcon.h"
#include "ui/main/Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramTitle);
    QApplication::setWindowIcon(appIcon());

    const QString programFolder = QApplication::applicationDirPath();
    QtMessages messages;
    QtPrinterDevice printer(programFolder);
    AppContext context{programFolder, {}, messages, printer};

    Main window(context);
    window.show();
    return app.exec();
}
