// The design browser's window: the design site in an embedded browser, the
// Home menu item that posts the current design to it, and the handling of a
// design the user applies there.
#pragma once

#include <QDeadlineTimer>
#include <QMainWindow>
#include <QTimer>
#include <QUrl>

class QWebEngineProfile;
class QWebEngineView;

namespace platform {
class InstanceGuard;
class Messages;
class ProgramStarter;
} // namespace platform

namespace vesweb {

class DesignSession;
class FileChooser;

struct BrowserPlatform {
    platform::Messages *messages;
    platform::InstanceGuard *clock; // the clock's activation: answers only while it runs
    platform::ProgramStarter *programs;
    FileChooser *files = nullptr; // without one, designs are not written to or read from files
};

class BrowserWindow : public QMainWindow {
    Q_OBJECT
public:
    BrowserWindow(DesignSession &session, const BrowserPlatform &platform,
                  QWebEngineProfile *profile, const QUrl &siteBase, QWidget *parent = nullptr);

    // Loads the settings and the design record, then shows the site's answer
    // to the first post.
    void load();
    void onHome();
    // A form was sent to the apply address: ask, refuse while the clock
    // runs, else store the design and have the clock started again. A page
    // cannot put the question again and again: after any answer, forms sent
    // within the quiet time are ignored, and after two "no"s in a row every
    // form of the page is, until the user goes Home or another page loads.
    void onApplyRequested(const QString &url, const QByteArray &postData);
    void setQuietTime(int ms) { m_quietMs = ms; }

    // A design written to one file, as the user chooses; and a design file
    // read, shown and installed after asking, then the catalogue anew.
    void exportDesign();
    void installDesignFile(const QString &path);
    void onInstallDesignFile();

    QWebEngineView *browser() const { return m_view; }
    bool restartPending() const { return restartTimer.isActive(); }

signals:
    // The first page the site answered with is shown.
    void firstPageShown();

private:
    void onRestartClock();
    void askToApply(const QByteArray &postData);
    // A page the user has come to anew: its forms may ask again.
    void listenToThePage();

    DesignSession &m_session;
    BrowserPlatform m_platform;
    QUrl m_siteBase;
    QWebEngineView *m_view;
    QTimer restartTimer;
    bool m_asking = false;
    bool m_shown = false;
    int m_quietMs = 5000;
    QDeadlineTimer m_quietUntil; // expired: a form may ask
    int m_noesInARow = 0;
    bool m_pageIgnored = false; // after two "no"s, until Home or another page
};

} // namespace vesweb
