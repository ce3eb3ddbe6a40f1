#include "ui/helpers/image_file_chooser.h"

#include "core/helpers/image_files.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vellum {

namespace {
const QString Up = QStringLiteral("..");
} // namespace

ImageFileChooser::ImageFileChooser(const QString& folderListName, const QString& fileListName,
                                   QWidget* parent)
    : QWidget(parent), m_drives(new QComboBox(this)), m_path(new QLabel(this)),
      m_folders(new QListWidget(this)), m_files(new QListWidget(this)) {
    m_drives->setObjectName(QStringLiteral("drives"));
    m_drives->addItems(volumeRoots());
    m_path->setObjectName(QStringLiteral("folderpath"));
    m_path->setTextFormat(Qt::PlainText);
    m_path->setMinimumWidth(1);
    m_folders->setObjectName(folderListName);
    m_files->setObjectName(fileListName);
    for (QListWidget* list : {m_folders, m_files})
        list->setFixedHeight(96);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_drives);
    layout->addWidget(m_path);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_folders);
    lists->addWidget(m_files);
    layout->addLayout(lists);

    connect(m_drives, &QComboBox::activated, this, [this](int index) {
        setFolder(m_drives->itemText(index));
        emit driveChosen();
        emit folderChosen();
    });
    connect(m_folders, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { enterFolder(item->text()); });
    connect(m_files, &QListWidget::currentItemChanged, this, &ImageFileChooser::fileChosen);
    connect(m_files, &QListWidget::itemDoubleClicked, this, &ImageFileChooser::fileChosen);
    connect(m_files, &QListWidget::itemClicked, this, &ImageFileChooser::fileClicked);
}

void ImageFileChooser::setFolder(const QString& path) {
    QDir dir(path);
    if (!dir.exists())
        return;
    m_folder = QDir::cleanPath(dir.absolutePath());
    dir.setPath(m_folder);
    m_path->setText(QDir::toNativeSeparators(m_folder));
    m_path->setToolTip(m_path->text());
    const QSignalBlocker quietFiles(m_files);
    m_folders->clear();
    m_files->clear();
    if (!dir.isRoot())
        m_folders->addItem(Up);
    m_folders->addItems(
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    dir.setNameFilters(imageNameFilters());
    m_files->addItems(dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
    m_files->setCurrentRow(-1);
}

void ImageFileChooser::enterFolder(const QString& name) {
    setFolder(QDir(m_folder).absoluteFilePath(name));
    emit folderChosen();
}

QString ImageFileChooser::chosenFile() const {
    const QListWidgetItem* item = m_files->currentItem();
    return item ? QDir(m_folder).absoluteFilePath(item->text()) : QString();
}

void ImageFileChooser::showFile(const QString& path) {
    if (path.isEmpty())
        return;
    const QFileInfo file(path);
    setFolder(file.absolutePath());
    chooseFile(file.fileName());
}

void ImageFileChooser::chooseFile(const QString& name) {
    const QList<QListWidgetItem*> found = m_files->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return;
    m_files->setCurrentItem(found.first());
    emit fileClicked();
}

} // namespace vellum
