// ProgramChooser — the alarm program chooser: a volume, a folder, an executable file.
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

namespace vespera {

// The full path of a file in a folder: one "/" between them, none doubled
// at a volume's root.
QString chosenPath(const QString &folder, const QString &file);

// The mount point a path lies on: the longest of `volumes` that holds it.
QString volumeOf(const QString &path, const QStringList &volumes);

// The mounted volumes worth browsing, the root first; filesystems of the
// kernel's own (proc, sysfs and the like) are left out.
QStringList browsableVolumes();

class ProgramChooser : public QDialog {
    Q_OBJECT
public:
    // Starts from `path` (the options' program box) and writes the choice
    // back into `target` when "指　定" is pressed or a file double-clicked.
    ProgramChooser(QLineEdit *target, const QStringList &volumes, const QString &startFolder,
                   QWidget *parent = nullptr);

    void showFolder(const QString &folder);
    QString folder() const { return m_folder; }

private:
    void onVolumeChosen();
    void onFileClicked();
    void onChoose();

    // Named as their object names, by which tests find them.
    QLineEdit *pathBox;
    QComboBox *volumeBox;
    QTreeView *folderTree;
    QListWidget *fileList;
    QPushButton *chooseButton;

    QLineEdit *m_target;
    QFileSystemModel *m_folders;
    QString m_folder;
};

} // namespace vespera
