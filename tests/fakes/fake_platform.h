// Fakes of the desktop seams: a clock that stands where a test puts it, a
// fixed work area and pointer, random numbers from a list, messages and
// programs that are only recorded.
#pragma once

#include "platform/clock_source.h"
#include "platform/desktop.h"
#include "platform/help_viewer.h"
#include "platform/messages.h"
#include "platform/program_starter.h"
#include "platform/random_source.h"
#include "platform/single_instance.h"
#include "platform/sound.h"
#include "platform/system_time.h"

#include <QStringList>
#include <deque>
#include <map>
#include <vector>

namespace fakes {

class FakeClock : public platform::ClockSource {
public:
    QDateTime time = QDateTime(QDate(2026, 12, 7), QTime(10, 38, 0));
    qint64 uptime = 0;
    QString boot = QStringLiteral("boot-1");
    QDateTime now() const override { return time; }
    qint64 uptimeMs() const override { return uptime; }
    QString bootId() const override { return boot; }
    void advance(int seconds)
    {
        time = time.addSecs(seconds);
        uptime += seconds * 1000LL;
    }
};

class FakeDesktop : public platform::Desktop {
public:
    platform::WorkArea area{0, 0, 1280, 800}; // the primary monitor's
    // Monitors beside the primary one ("FAKE-1"), by name.
    std::map<QString, platform::WorkArea> others;
    QPoint pointer{640, 400};
    bool pointerSeen = true; // false: the pointer is over no window of the X server
    bool shift = false;
    QList<platform::Monitor> monitors() const override
    {
        QList<platform::Monitor> list{{QStringLiteral("FAKE-1"), QSize(1280, 800), true}};
        for (const auto &[name, a] : others)
            list.append({name, QSize(a.Right - a.Left, a.Bottom - a.Top), false});
        return list;
    }
    platform::WorkArea workArea(const QString &monitor) const override
    {
        const auto it = others.find(monitor);
        return it == others.end() ? area : it->second;
    }
    QPoint pointerPos() const override { return pointer; }
    std::optional<QPoint> seenPointer() const override
    {
        return pointerSeen ? std::optional<QPoint>(pointer) : std::nullopt;
    }
    bool shiftAlone() const override { return shift; }
};

class FakeRandom : public platform::RandomSource {
public:
    std::deque<double> values;
    void reseedFromTimer() override {}
    double next() override
    {
        if (values.empty())
            return 0.99; // "nothing happens"
        const double v = values.front();
        values.pop_front();
        return v;
    }
};

class FakeMessages : public platform::Messages {
public:
    QStringList shown;
    void information(const QString &title, const QString &text) override
    {
        shown << title + QLatin1Char('|') + text;
    }
    // Noted with the information icon: also in `shown`.
    QStringList noticed;
    void notice(const QString &title, const QString &text) override
    {
        information(title, text);
        noticed << title + QLatin1Char('|') + text;
    }
    // Questions are answered from `answers` in turn, then with `answer`.
    QStringList asked;
    QList<bool> answers;
    bool answer = true;
    bool question(const QString &title, const QString &text) override
    {
        asked << title + QLatin1Char('|') + text;
        return answers.isEmpty() ? answer : answers.takeFirst();
    }
};

// Another instance "runs" and comes to the front when `running` is set.
class FakeInstanceGuard : public platform::InstanceGuard {
public:
    bool running = false;
    int activations = 0;
    bool claim() override { return !running; }
    bool activateRunning() override
    {
        activations += running ? 1 : 0;
        return running;
    }
};

// Programs "start" when their name is in `installed`; a program's window
// "comes to the front" when its name is in `windows`.
class FakeProgramStarter : public platform::ProgramStarter {
public:
    QStringList installed, windows, started, activated, commands;
    bool start(const QString &name, const QStringList &arguments = {}) override
    {
        if (!installed.contains(name))
            return false;
        started << (arguments.isEmpty() ? name : name + QLatin1Char(' ') + arguments.join(' '));
        return true;
    }
    bool startCommand(const QString &command) override
    {
        commands << command;
        return true;
    }
    bool activateWindowOf(const QString &program) override
    {
        if (!windows.contains(program))
            return false;
        activated << program;
        return true;
    }
};

// Records what is played and keeps the volume; nothing is heard.
class FakeSound : public platform::Sound {
public:
    struct Played {
        QString file;
        quint32 volume;
    };
    std::vector<Played> played;
    quint32 volume = platform::kFullWaveVolume;
    void play(const QString &fileName) override { played.push_back({fileName, volume}); }
    quint32 waveVolume() const override { return volume; }
    QString silenceReason; // what the player would say after a sound
    QString silence() const override { return silenceReason; }
    int volumeChanges = 0;
    void setWaveVolume(quint32 v) override
    {
        volume = v;
        ++volumeChanges;
    }
    QStringList files() const
    {
        QStringList names;
        for (const Played &p : played)
            names << p.file;
        return names;
    }
};

// Never touches the real clock: records the time asked for and answers
// with `result`.
class FakeSystemTime : public platform::SystemTime {
public:
    QList<QTime> asked;
    platform::SetTimeResult result{true, QString()};
    void setTimeOfDay(const QTime &time, std::function<void(platform::SetTimeResult)> done) override
    {
        asked << time;
        done(result);
    }
};

class FakeHelp : public platform::HelpViewer {
public:
    QList<int> topics;
    QStringList texts;
    bool topicsFound = true;
    bool textsFound = true;
    bool showTopic(int topic) override
    {
        topics << topic;
        return topicsFound;
    }
    bool showText(const QString &fileName) override
    {
        texts << fileName;
        return textsFound;
    }
};

} // namespace fakes
