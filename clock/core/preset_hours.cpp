// The hours of the preset-alarm menu: their captions and which are marked.
#include "preset_hours.h"

namespace vespera {

QString presetHourCaption(int hour)
{
    // Spaced to line up in the menu: ideographic spaces, plus one ASCII blank
    // after the one-character parts of the day.
    static const char16_t *const captions[kHours] = {
        u"深夜　午前　０時",  // 0
        u"深夜　午前　１時",  // 1
        u"深夜　午前　２時",  // 2
        u"深夜　午前　３時",  // 3
        u"早朝　午前　４時",  // 4
        u"早朝　午前　５時",  // 5
        u"早朝　午前　６時",  // 6
        u"朝　　 午前　７時", // 7
        u"朝　　 午前　８時", // 8
        u"朝　　 午前　９時", // 9
        u"朝　　 午前１０時", // 10
        u"朝　　 午前１１時", // 11
        u"真昼　午前１２時",  // 12
        u"真昼　午後　１時",  // 13
        u"昼　　 午後　２時", // 14
        u"昼　　 午後　３時", // 15
        u"昼　　 午後　４時", // 16
        u"夕方　午後　５時",  // 17
        u"夕方　午後　６時",  // 18
        u"夜　　 午後　７時", // 19
        u"夜　　 午後　８時", // 20
        u"夜　　 午後　９時", // 21
        u"夜　　 午後１０時", // 22
        u"夜　　 午後１１時", // 23
    };
    return hour >= 0 && hour < kHours ? QString::fromUtf16(captions[hour]) : QString();
}

QString hourText(const QDateTime &now) { return QString::number(now.time().hour()); }

} // namespace vespera
