#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// General helpers: files, the desktop's handlers and the maker's page.
namespace Algemeen {

// The maker's software page, opened from Help / "Meer Software".
inline const QString MakerWebPage = QStringLiteral("https://www.plaklabels.nl/software");

// True when a file (not a folder) exists at the full path.
bool FileExists(const QString& path);

// Asks the desktop to open a document or web address with its default handler.
// False when the desktop has nothing to open it with.
bool ShellOpen(const QString& address);

// Replaces the desktop call; tests use it to see what would be opened.
using Opener = std::function<bool(const QUrl&)>;
void setOpener(Opener opener);

}
