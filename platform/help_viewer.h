// The program's help pages, shown in the user's web browser, and its text
// files, shown in the desktop's text editor.
#pragma once

#include "common/ui_language.h"

#include <QString>

namespace platform {

class Messages;

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Opens the page of a topic; false when there is no such page or no
    // browser took it.
    virtual bool showTopic(int topic) = 0;
    // Opens a text file of the data folder; false when it is missing or no
    // editor took it.
    virtual bool showText(const QString &fileName) = 0;
};

// Pages "help<topic>.html" in a folder, opened with the desktop's browser;
// text files found with common::dataFile, opened with its text editor. In
// English, "help<topic>.en.html" and "NAME.en.txt" where they exist.
class DesktopHelpViewer : public HelpViewer {
public:
    explicit DesktopHelpViewer(const QString &folder,
                               common::UiLanguage language = common::UiLanguage::Japanese)
        : m_folder(folder), m_language(language)
    {
    }
    bool showTopic(int topic) override;
    bool showText(const QString &fileName) override;
    QString pageOf(int topic) const;

private:
    QString m_folder;
    common::UiLanguage m_language;
};

// Opens a topic's page; when none can be opened, says so in a message with
// `title`, whichever window asked.
void showHelpOrSay(HelpViewer *help, Messages *messages, int topic, const QString &title);

} // namespace platform
