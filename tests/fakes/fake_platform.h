// Fakes of the desktop seams: a clock that stands where a test puts it, a
// fixed work area and pointer, and random numbers from a list.
#pragma once

#include "platform/clock_source.h"
#include "platform/desktop.h"
#include "platform/messages.h"
#include "platform/random_source.h"

#include <QStringList>
#include <deque>

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
    platform::WorkArea area{0, 0, 1280, 800};
    QPoint pointer{640, 400};
    bool shift = false;
    platform::WorkArea workArea() const override { return area; }
    QPoint pointerPos() const override { return pointer; }
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
};

} // namespace fakes
