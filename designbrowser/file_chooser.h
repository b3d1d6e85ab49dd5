// Where the design browser asks which design to write to a file, and which
// file: dialogs on the desktop, answers of their own in tests.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vesweb {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // One of `designs`, `current` offered first; empty when cancelled.
    virtual QString chooseDesign(QWidget *parent, const QStringList &designs,
                                 const QString &current) = 0;
    // A design file to write, `suggested` offered; empty when cancelled.
    virtual QString fileToSave(QWidget *parent, const QString &suggested) = 0;
    // A design file to read; empty when cancelled.
    virtual QString fileToOpen(QWidget *parent) = 0;
};

class QtFileChooser : public FileChooser {
public:
    QString chooseDesign(QWidget *parent, const QStringList &designs,
                         const QString &current) override;
    QString fileToSave(QWidget *parent, const QString &suggested) override;
    QString fileToOpen(QWidget *parent) override;
};

} // namespace vesweb
