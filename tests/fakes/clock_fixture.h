// A clock window on fake seams, with a settings file and designs of its own in
// temporary folders; tests derive from it.
#pragma once

#include "app/clock_window.h"
#include "fakes/fake_platform.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace fakes {

// Every pixel of a test design tells where in the picture it came from, so a
// pixel of the window tells which glyph was copied there. The picture twice
// the size says so too: bit 1 of its blue is set.
inline QRgb encode(int x, int y, bool right)
{
    return qRgb(x & 0xff, y, (x >> 8) * 16 + (right ? 1 : 0));
}
inline QRgb encodeLarger(int x, int y, bool right)
{
    return qRgb(x & 0xff, y & 0xff, (x >> 8) * 16 + (y >> 8) * 4 + 2 + (right ? 1 : 0));
}

inline QImage testDesign(bool right, bool larger = false)
{
    const int scale = larger ? 2 : 1;
    QImage img(440 * scale, 134 * scale, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, larger ? encodeLarger(x, y, right) : encode(x, y, right));
    return img;
}

class ClockFixture {
protected:
    std::unique_ptr<QTemporaryDir> m_data, m_config;
    std::unique_ptr<common::SettingsStore> m_store;
    FakeClock m_clock;
    FakeDesktop m_desktop;
    FakeRandom m_random;
    FakeProgramStarter m_programs;

    // Fresh folders, a fresh store, the fakes as new, and the "blue" design.
    void reset()
    {
        m_data = std::make_unique<QTemporaryDir>();
        m_config = std::make_unique<QTemporaryDir>();
        qputenv("VESPERA_DATA_DIR", m_data->path().toUtf8());
        m_store = std::make_unique<common::SettingsStore>(
            common::SettingsStore::atPath(m_config->filePath("kestrel.ini")));
        m_clock = FakeClock();
        m_desktop = FakeDesktop();
        m_random = FakeRandom();
        m_programs = FakeProgramStarter();
        writeDesign("blue");
    }
    void writeDesign(const QString &name, const char *format = "PNG")
    {
        QVERIFY(testDesign(false).save(m_data->filePath(name + ".vss"), format));
        QVERIFY(testDesign(true).save(m_data->filePath(name + ".vsr"), format));
        QVERIFY(testDesign(false, true).save(m_data->filePath(name + "@2x.vss"), format));
        QVERIFY(testDesign(true, true).save(m_data->filePath(name + "@2x.vsr"), format));
    }
    void set(const QString &key, const QString &value)
    {
        m_store->saveSetting("pendra", key, value);
    }
    QString stored(const QString &key) const
    {
        return m_store->getSetting("pendra", key, "<absent>");
    }
    std::unique_ptr<vespera::ClockWindow> start(bool expectLoaded = true)
    {
        auto clock = std::make_unique<vespera::ClockWindow>(
            *m_store, vespera::ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs},
            vespera::CommandLine());
        const bool loaded = clock->load();
        if (loaded != expectLoaded)
            qWarning("load returned %d", loaded);
        return clock;
    }
};

} // namespace fakes
