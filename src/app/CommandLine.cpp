#include "app/CommandLine.h"

namespace {

// The options QGuiApplication and QApplication take, with one dash or two.
const QStringList QtOptionsWithValue = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
    QStringLiteral("qwindowicon"), QStringLiteral("style"), QStringLiteral("stylesheet"), QStringLiteral("session"),
    QStringLiteral("display"), QStringLiteral("geometry"), QStringLiteral("title"), QStringLiteral("name"),
    QStringLiteral("visual"), QStringLiteral("fontengine")};
const QStringList QtOptionsAlone = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                    QStringLiteral("dograb"), QStringLiteral("sync"), QStringLiteral("qmljsdebugger")};

}

CommandLineAction readCommandLine(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return CommandLineAction::Help;
        if (argument == QLatin1String("--version"))
            return CommandLineAction::Version;
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-"))
            continue;
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        if (QtOptionsWithValue.contains(name)) {
            if (!argument.contains(QLatin1Char('=')))
                ++i; // its value
            continue;
        }
        if (!QtOptionsAlone.contains(name))
            return CommandLineAction::Refuse;
    }
    return CommandLineAction::Start;
}

QString usageText()
{
    return QStringLiteral(
        "Gebruik: plaklabels [--help] [--version]\n"
        "\n"
        "Plaklabels houdt adreslijsten bij en drukt ze af op A4-vellen met 21 plaketiketten\n"
        "(3 x 7 etiketten van 63,5 x 38,1 mm), op één gekozen etiket of als lijst op A4.\n"
        "\n"
        "  --help      deze uitleg\n"
        "  --version   het versienummer van het programma\n"
        "\n"
        "De lijsten staan in de map Data naast het programma; bij een geïnstalleerd\n"
        "programma in ~/.local/share/Plaklabels/Data. De opties van Qt, zoals\n"
        "-platform en -style, werken ook.\n");
}
