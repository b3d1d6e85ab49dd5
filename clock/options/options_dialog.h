// OptionsDialog — the options dialog: display, alarms and clock adjustment. Every
// setting is read when it opens and applied and stored when it closes.
#pragma once

#include "common/settings_store.h"
#include "core/alarm_list.h"
#include "core/clock_adjust.h"
#include "core/clock_flags.h"
#include "core/clock_settings.h"
#include "core/reservation_editor.h"
#include "design/skin_layout.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;

namespace platform {
class ClockSource;
class HelpViewer;
class Messages;
class ProgramStarter;
class Sound;
class SystemTime;
} // namespace platform

namespace vespera {

// What the dialog reads from the clock when it opens and hands back when it closes.
class OptionsTarget {
public:
    virtual ~OptionsTarget() = default;
    virtual Corner corner() const = 0;
    virtual ClockFlags optionFlags() const = 0;
    // Takes the dialog's flags and check marks over (hide mode stays the
    // clock's own: the dialog has no say in it); always on top is applied at once.
    virtual void applyOptionFlags(const ClockFlags &flags) = 0;
    // Replaces the clock's reservations with the stored ones.
    virtual void reloadAlarmList() = 0;
    virtual void playChime() = 0;
};

// The seams the dialog works through.
struct OptionsPlatform {
    platform::ClockSource *clock;
    platform::Sound *sound;
    platform::ProgramStarter *programs;
    platform::SystemTime *systemTime;
    platform::Messages *messages;
    QStringList dataFolders; // where designs are listed from
    platform::HelpViewer *help = nullptr;
};

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(OptionsTarget &clock, common::SettingsStore &store,
                  const OptionsPlatform &platform, QWidget *parent = nullptr);

    // The program chooser's choice, into the program box.
    void setAlarmProgram(const QString &path);

signals:
    // The alarm test's notice, shown modally: the signal returns when it has closed.
    void alarmTestRequested();
    // The program box asks for a file: setAlarmProgram() gives back the choice.
    void programChooserRequested(const QString &current);

public slots:
    // Escape closes as the close box does: everything is applied and stored.
    void reject() override { close(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr QSize kContentSize{7800 / 15, 6690 / 15}; // the layout's whole page
    void scrollWhenTooLarge();
    void placeOnScreen();
    void buildDisplay(QGroupBox *frame);
    void buildAlarms(QGroupBox *frame);
    void buildAdjustment(QGroupBox *frame);
    void loadSettings();
    bool storeSettings(); // false when the closing is cancelled
    void onAdjustTick();
    void showVolume(const SoundVolume &volume, QCheckBox *check, QScrollBar *bar);
    static SoundVolume shownVolume(const QCheckBox *check, const QScrollBar *bar);
    void focusOn(EditorFocus focus);
    void showHelp(int topic);

    void onSetAlarm();  // セット
    void onAlarmTest(); // the alarm test
    void onChimeTest(); // the chime test
    void onSetClock();  // SET the computer's clock
    // Each control is named after its member, so that it can be found by
    // that name (objectName) from outside without being public.
    void nameControls();

    // Display
    QComboBox *cornerBox;
    QCheckBox *alwaysOnTopCheck, *autoTuckCheck, *use24HourCheck, *dogCheck;
    QRadioButton *calendarWeekOption, *nthWeekdayOption;
    QLabel *designNameLabel;
    QListWidget *designList;
    QPushButton *moreDesignsButton, *okButton;
    // Alarms
    QListWidget *alarmList;
    QPushButton *deleteAlarmButton, *clearAlarmsButton, *hourModeButton, *setAlarmButton,
        *browseProgramButton, *alarmTestButton, *chimeTestButton;
    QCheckBox *chimeCheck, *alarmCheck, *programCheck, *alarmVolumeCheck, *chimeVolumeCheck;
    QLineEdit *hourBox, *minuteBox, *secondsBox, *programPathBox;
    QScrollBar *alarmVolumeBar, *chimeVolumeBar;
    // The reservation's hour, minute and second as the boxes staged them.
    QString m_hourPart = QStringLiteral("00"), m_minutePart = QStringLiteral("00"),
            m_secondPart = QStringLiteral("00");
    // Clock adjustment
    QLabel *nowLabel, *targetLabel, *offsetLabel;
    QPushButton *setClockButton, *laterButton, *earlierButton;
    QTimer adjustTimer;

    OptionsTarget &m_clock;
    common::SettingsStore &m_store; // the reservations, and the closing's one batch
    ClockSettings m_settings;
    OptionsPlatform m_platform;
    ClockAdjust m_adjust;
    QString m_mode = QStringLiteral("24");
    AlarmList m_openedAlarms; // the stored list as the dialog opened it
    int m_shownCorner = 0;    // the corner the dialog showed
    QScrollArea *m_scroll = nullptr;
};

} // namespace vespera
