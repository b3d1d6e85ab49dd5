// The hours of the preset-alarm menu: their captions and which are marked.
#include "preset_hours.h"

#include <QCoreApplication>

namespace vespera {

QString presetHourCaption(int hour)
{
    // Spaced to line up in the menu: ideographic spaces, plus one ASCII blank
    // after the one-character parts of the day.
    static const char *const captions[kHours] = {
        QT_TRANSLATE_NOOP("PresetHours", "深夜　午前　０時"),  // 0
        QT_TRANSLATE_NOOP("PresetHours", "深夜　午前　１時"),  // 1
        QT_TRANSLATE_NOOP("PresetHours", "深夜　午前　２時"),  // 2
        QT_TRANSLATE_NOOP("PresetHours", "深夜　午前　３時"),  // 3
        QT_TRANSLATE_NOOP("PresetHours", "早朝　午前　４時"),  // 4
        QT_TRANSLATE_NOOP("PresetHours", "早朝　午前　５時"),  // 5
        QT_TRANSLATE_NOOP("PresetHours", "早朝　午前　６時"),  // 6
        QT_TRANSLATE_NOOP("PresetHours", "朝　　 午前　７時"), // 7
        QT_TRANSLATE_NOOP("PresetHours", "朝　　 午前　８時"), // 8
        QT_TRANSLATE_NOOP("PresetHours", "朝　　 午前　９時"), // 9
        QT_TRANSLATE_NOOP("PresetHours", "朝　　 午前１０時"), // 10
        QT_TRANSLATE_NOOP("PresetHours", "朝　　 午前１１時"), // 11
        QT_TRANSLATE_NOOP("PresetHours", "真昼　午前１２時"),  // 12
        QT_TRANSLATE_NOOP("PresetHours", "真昼　午後　１時"),  // 13
        QT_TRANSLATE_NOOP("PresetHours", "昼　　 午後　２時"), // 14
        QT_TRANSLATE_NOOP("PresetHours", "昼　　 午後　３時"), // 15
        QT_TRANSLATE_NOOP("PresetHours", "昼　　 午後　４時"), // 16
        QT_TRANSLATE_NOOP("PresetHours", "夕方　午後　５時"),  // 17
        QT_TRANSLATE_NOOP("PresetHours", "夕方　午後　６時"),  // 18
        QT_TRANSLATE_NOOP("PresetHours", "夜　　 午後　７時"), // 19
        QT_TRANSLATE_NOOP("PresetHours", "夜　　 午後　８時"), // 20
        QT_TRANSLATE_NOOP("PresetHours", "夜　　 午後　９時"), // 21
        QT_TRANSLATE_NOOP("PresetHours", "夜　　 午後１０時"), // 22
        QT_TRANSLATE_NOOP("PresetHours", "夜　　 午後１１時"), // 23
    };
    return hour >= 0 && hour < kHours ? QCoreApplication::translate("PresetHours", captions[hour])
                                      : QString();
}

} // namespace vespera
