#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;

namespace vellum {

/// The chained lists an image is chosen from: the "drives" (the file-system root and the mounted
/// volumes), the folders of the current folder, and its image files (GIF, JPEG and PNG, whatever
/// the case of their names). The current folder's path is shown above the lists.
class ImageFileChooser : public QWidget {
    Q_OBJECT
public:
    /// `folderListName` and `fileListName` name the two lists, as each helper calls them.
    ImageFileChooser(const QString& folderListName, const QString& fileListName,
                     QWidget* parent = nullptr);

    QComboBox* driveList() const { return m_drives; }
    QListWidget* folderList() const { return m_folders; }
    QListWidget* fileList() const { return m_files; }
    QLabel* folderLabel() const { return m_path; }

    const QString& folder() const { return m_folder; }
    /// Shows a folder: its subfolders and its image files, no file chosen.
    void setFolder(const QString& path);
    /// The chosen file's full path, or empty while none is chosen.
    QString chosenFile() const;
    /// Chooses the file of that name in the current folder, as a click on it does.
    void chooseFile(const QString& name);
    /// Shows the folder of `path` with that file chosen; nothing for an empty path.
    void showFile(const QString& path);

signals:
    /// A drive was chosen; the folder list has moved to it.
    void driveChosen();
    /// Another folder is shown; no file is chosen.
    void folderChosen();
    /// The chosen file changed, or was double-clicked.
    void fileChosen();
    /// A single click in the file list.
    void fileClicked();

private:
    void enterFolder(const QString& name);

    QComboBox* m_drives;
    QLabel* m_path;
    QListWidget* m_folders;
    QListWidget* m_files;
    QString m_folder;
};

} // namespace vellum
