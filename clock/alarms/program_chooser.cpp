// ProgramChooser — the alarm program chooser: a volume, a folder, an executable file.
#include "program_chooser.h"

#include "common/twips.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

#include <algorithm>

using common::twips;

namespace vespera {

namespace {
bool isKernelFilesystem(const QByteArray &type)
{
    static const QByteArrayList kernel = {
        "proc",   "sysfs",      "devtmpfs", "devpts",      "cgroup",    "cgroup2",   "pstore",
        "bpf",    "tracefs",    "debugfs",  "mqueue",      "hugetlbfs", "fusectl",   "configfs",
        "autofs", "securityfs", "efivarfs", "binfmt_misc", "nsfs",      "rpc_pipefs"};
    return kernel.contains(type);
}
} // namespace

QString chosenPath(const QString &folder, const QString &file)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + file : folder + QLatin1Char('/') + file;
}

QString volumeOf(const QString &path, const QStringList &volumes)
{
    QString best;
    for (const QString &v : volumes) {
        const QString root = v.endsWith(QLatin1Char('/')) ? v : v + QLatin1Char('/');
        if ((path == v || path.startsWith(root)) && v.size() > best.size())
            best = v;
    }
    return best;
}

QStringList browsableVolumes()
{
    QStringList volumes;
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes()) {
        if (s.isValid() && !isKernelFilesystem(s.fileSystemType())
            && !volumes.contains(s.rootPath()))
            volumes << s.rootPath();
    }
    std::sort(volumes.begin(), volumes.end());
    volumes.removeAll(QStringLiteral("/"));
    volumes.prepend(QStringLiteral("/"));
    return volumes;
}

ProgramChooser::ProgramChooser(QLineEdit *target, const QStringList &volumes, const QString &startFolder,
             QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_target(target)
{
    setWindowTitle(tr("実行ファイルを指定"));
    setFixedSize(4095 / 15, 2520 / 15);
    Command1 = new QPushButton(tr("指　定"), this);
    Command1->setGeometry(twips(2040, 2160, 1935, 255));
    Text1 = new QLineEdit(target->text(), this);
    Text1->setGeometry(twips(120, 120, 3855, 270));
    Text1->setReadOnly(true); // shows the choice; typing changes nothing
    Drive1 = new QComboBox(this);
    Drive1->setGeometry(twips(120, 480, 1815, 300));
    Drive1->addItems(volumes);
    Dir1 = new QTreeView(this);
    Dir1->setGeometry(twips(120, 840, 1815, 1560));
    File1 = new QListWidget(this);
    File1->setGeometry(twips(2040, 480, 1935, 1530));

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QString());
    Dir1->setModel(m_folders);
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        Dir1->hideColumn(column);

    Drive1->setCurrentText(volumeOf(startFolder, volumes));
    Dir1->setRootIndex(m_folders->index(Drive1->currentText()));
    showFolder(startFolder);

    connect(Drive1, &QComboBox::currentTextChanged, this, &ProgramChooser::Drive1_Change);
    connect(Dir1, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { showFolder(m_folders->filePath(index)); });
    connect(File1, &QListWidget::itemClicked, this, &ProgramChooser::File1_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, [this] {
        File1_Click();
        Command1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &ProgramChooser::Command1_Click);
    Command1->setFocus();
}

void ProgramChooser::Drive1_Change()
{
    const QString root = Drive1->currentText();
    Dir1->setRootIndex(m_folders->index(root));
    showFolder(root);
}

// The executable files of a folder; one that cannot be read lists nothing.
void ProgramChooser::showFolder(const QString &folder)
{
    m_folder = folder;
    File1->clear();
    File1->addItems(QDir(folder).entryList(QDir::Files | QDir::Executable, QDir::Name));
    Dir1->setCurrentIndex(m_folders->index(folder));
}

void ProgramChooser::File1_Click()
{
    if (!File1->currentItem())
        return;
    Text1->setText(chosenPath(m_folder, File1->currentItem()->text()));
    const QString volume = volumeOf(Text1->text(), [this] {
        QStringList all;
        for (int i = 0; i < Drive1->count(); ++i)
            all << Drive1->itemText(i);
        return all;
    }());
    const QSignalBlocker quiet(Drive1); // marks the volume without leaving the folder
    Drive1->setCurrentText(volume);
}

void ProgramChooser::Command1_Click()
{
    m_target->setText(Text1->text());
    accept();
}

} // namespace vespera
