// ProgramChooser — the alarm program chooser: a volume, a folder, an executable file.
#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

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
    // Starts from `path` (the options' program box); the choice is made
    // when "指　定" is pressed or a file double-clicked, and the dialog closes.
    ProgramChooser(const QString &path, const QStringList &volumes, const QString &startFolder,
                   QWidget *parent = nullptr);
    // The path chosen; nothing while none was (the close box chooses none).
    std::optional<QString> chosen() const { return m_chosen; }

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

    std::optional<QString> m_chosen;
    QFileSystemModel *m_folders;
    QString m_folder;
};

} // namespace vespera
