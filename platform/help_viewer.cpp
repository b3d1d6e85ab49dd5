// The program's help pages, shown in the user's web browser.
#include "help_viewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform {

QString DesktopHelpViewer::pageOf(int topic) const
{
    return QDir(m_folder).filePath(QStringLiteral("help%1.html").arg(topic));
}

bool DesktopHelpViewer::showTopic(int topic)
{
    const QString page = pageOf(topic);
    return QFileInfo(page).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

} // namespace platform
