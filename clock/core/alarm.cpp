// An alarm reservation as a value, and its stored text.
#include "alarm.h"

namespace vespera {

namespace {
const QString kTimeFormat = QStringLiteral("hh:mm:ss");

QString storedForm(const QTime &time, bool oneShot)
{
    return time.toString(kTimeFormat) + (oneShot ? QStringLiteral("*") : QString());
}
} // namespace

Alarm::Alarm(const QTime &time, bool oneShot)
    : m_time(time.isValid() ? QTime(time.hour(), time.minute(), time.second()) : QTime()),
      m_oneShot(oneShot)
{
}

Alarm Alarm::fromStored(const QString &text)
{
    Alarm alarm(QTime::fromString(text.left(8), kTimeFormat), text.endsWith(QLatin1Char('*')));
    if (storedForm(alarm.m_time, alarm.m_oneShot) != text)
        alarm.m_asWritten = text;
    return alarm;
}

QString Alarm::toStored() const
{
    return m_asWritten.isEmpty() ? storedForm(m_time, m_oneShot) : m_asWritten;
}

bool Alarm::ringsAt(const QTime &t) const
{
    return m_time.isValid() && m_time.hour() == t.hour() && m_time.minute() == t.minute();
}

QStringList storedTexts(const AlarmList &list)
{
    QStringList texts;
    texts.reserve(list.size());
    for (const Alarm &alarm : list)
        texts << alarm.toStored();
    return texts;
}

AlarmList alarmsFromStored(const QStringList &texts)
{
    AlarmList list;
    list.reserve(texts.size());
    for (const QString &text : texts)
        list << Alarm::fromStored(text);
    return list;
}

} // namespace vespera
