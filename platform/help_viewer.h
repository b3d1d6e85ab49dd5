// The program's help pages, shown in the user's web browser.
#pragma once

#include <QString>

namespace platform {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Opens the page of a topic; false when there is no such page or no
    // browser took it.
    virtual bool showTopic(int topic) = 0;
};

// Pages "help<topic>.html" in a folder, opened with the desktop's browser.
class DesktopHelpViewer : public HelpViewer {
public:
    explicit DesktopHelpViewer(const QString &folder) : m_folder(folder) {}
    bool showTopic(int topic) override;
    QString pageOf(int topic) const;

private:
    QString m_folder;
};

} // namespace platform
