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

ProgramChooser::ProgramChooser(const QString &path, const QStringList &volumes,
                               const QString &startFolder, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("実行ファイルを指定"));
    setFixedSize(4095 / 15, 2520 / 15);
    chooseButton = new QPushButton(tr("指　定"), this);
    chooseButton->setObjectName(QStringLiteral("chooseButton"));
    chooseButton->setGeometry(twips(2040, 2160, 1935, 255));
    pathBox = new QLineEdit(path, this);
    pathBox->setObjectName(QStringLiteral("pathBox"));
    pathBox->setGeometry(twips(120, 120, 3855, 270));
    pathBox->setReadOnly(true); // shows the choice; typing changes nothing
    volumeBox = new QComboBox(this);
    volumeBox->setObjectName(QStringLiteral("volumeBox"));
    volumeBox->setGeometry(twips(120, 480, 1815, 300));
    volumeBox->addItems(volumes);
    folderTree = new QTreeView(this);
    folderTree->setObjectName(QStringLiteral("folderTree"));
    folderTree->setGeometry(twips(120, 840, 1815, 1560));
    fileList = new QListWidget(this);
    fileList->setObjectName(QStringLiteral("fileList"));
    fileList->setGeometry(twips(2040, 480, 1935, 1530));

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QString());
    folderTree->setModel(m_folders);
    folderTree->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        folderTree->hideColumn(column);

    volumeBox->setCurrentText(volumeOf(startFolder, volumes));
    folderTree->setRootIndex(m_folders->index(volumeBox->currentText()));
    showFolder(startFolder);

    connect(volumeBox, &QComboBox::currentTextChanged, this, &ProgramChooser::onVolumeChosen);
    connect(folderTree, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { showFolder(m_folders->filePath(index)); });
    connect(fileList, &QListWidget::itemClicked, this, &ProgramChooser::onFileClicked);
    connect(fileList, &QListWidget::itemDoubleClicked, this, [this] {
        onFileClicked();
        onChoose();
    });
    connect(chooseButton, &QPushButton::clicked, this, &ProgramChooser::onChoose);
    chooseButton->setFocus();
}

void ProgramChooser::onVolumeChosen()
{
    const QString root = volumeBox->currentText();
    folderTree->setRootIndex(m_folders->index(root));
    showFolder(root);
}

// The executable files of a folder; one that cannot be read lists nothing.
void ProgramChooser::showFolder(const QString &folder)
{
    m_folder = folder;
    fileList->clear();
    fileList->addItems(QDir(folder).entryList(QDir::Files | QDir::Executable, QDir::Name));
    folderTree->setCurrentIndex(m_folders->index(folder));
}

void ProgramChooser::onFileClicked()
{
    if (!fileList->currentItem())
        return;
    pathBox->setText(chosenPath(m_folder, fileList->currentItem()->text()));
    const QString volume = volumeOf(pathBox->text(), [this] {
        QStringList all;
        for (int i = 0; i < volumeBox->count(); ++i)
            all << volumeBox->itemText(i);
        return all;
    }());
    const QSignalBlocker quiet(volumeBox); // marks the volume without leaving the folder
    volumeBox->setCurrentText(volume);
}

void ProgramChooser::onChoose()
{
    m_chosen = pathBox->text();
    accept();
}

} // namespace vespera
