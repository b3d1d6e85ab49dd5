// The clock's switches: what start-up reads, closing stores, the options
// dialog shows and changes, and the menu marks.
#pragma once

namespace vespera {

struct ClockFlags {
    bool alwaysOnTop = true;
    bool autoTuck = true;  // slides into the edge when the pointer touches it
    bool hideMode = false; // stays in the edge until the pointer reaches its strip
    bool use24Hour = false;
    bool dog = false;        // the dog moves
    bool nthWeekday = false; // the week mark counts the weekday's occurrences
    bool alarmOn = false;
    bool chimeOn = false;
};

} // namespace vespera
