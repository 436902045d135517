#include "app/Algemeen.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace Algemeen {

namespace {
Opener& opener()
{
    static Opener current = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return current;
}
}

bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool ShellOpen(const QString& address)
{
    return opener()(QUrl::fromUserInput(address));
}

void setOpener(Opener replacement)
{
    opener() = std::move(replacement);
}

}
