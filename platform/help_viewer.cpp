// The program's help pages and text files, shown by the desktop's programs.
#include "help_viewer.h"
#include "messages.h"

#include "common/data_dir.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform {

QString DesktopHelpViewer::pageOf(int topic) const
{
    const QString name = QStringLiteral("help%1.html").arg(topic);
    const QString translated = QDir(m_folder).filePath(common::localizedFileName(name, m_language));
    return QFileInfo(translated).isFile() ? translated : QDir(m_folder).filePath(name);
}

bool DesktopHelpViewer::showTopic(int topic)
{
    const QString page = pageOf(topic);
    return QFileInfo(page).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

bool DesktopHelpViewer::showText(const QString &fileName)
{
    const QString translated = common::dataFile(common::localizedFileName(fileName, m_language));
    const QString path = QFileInfo(translated).isFile() ? translated : common::dataFile(fileName);
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void showHelpOrSay(HelpViewer *help, Messages *messages, int topic, const QString &title)
{
    if (help && !help->showTopic(topic) && messages)
        messages->information(
            title, QCoreApplication::translate("HelpViewer", "ヘルプを開けませんでした。"));
}

} // namespace platform
