#include "ui/library/template_dialog.h"

#include "core/app/command_registry.h"
#include "core/foundation/prompter.h"
#include "core/library/templates.h"
#include "ui/foundation/help_viewer.h"

#include <QDir>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vellum {

namespace {
const QString NoFile = QStringLiteral("*.*");
constexpr int HelpTopic = 24;
} // namespace

TemplateDialog::TemplateDialog(QString templateDir, SettingsFile& settings, Prompter& prompter,
                               HelpViewer& help, std::function<void(const QString&)> newDocument,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_templateDir(std::move(templateDir)),
      m_settings(settings), m_prompter(prompter), m_newDocument(std::move(newDocument)),
      m_files(new QListWidget(this)), m_chosen(new QLineEdit(NoFile, this)),
      m_default(new QLabel(this)),
      m_delete(new QPushButton(QStringLiteral("Delete Selected File"), this)) {
    setObjectName(QStringLiteral("Ttplate"));
    setWindowTitle(QStringLiteral("Open Template"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_chosen->setObjectName(QStringLiteral("Edit1"));
    m_chosen->hide();
    m_default->setObjectName(QStringLiteral("label2"));
    m_default->setTextFormat(Qt::PlainText);
    m_delete->setObjectName(QStringLiteral("deletebut"));
    m_delete->hide();
    auto* open = new QPushButton(QStringLiteral("Open"), this);
    open->setObjectName(QStringLiteral("OKBtn"));
    open->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* helpButton = new QPushButton(QStringLiteral("Help"), this);
    helpButton->setObjectName(QStringLiteral("SpeedButton3"));
    auto* set = new QPushButton(QStringLiteral("Set"), this);
    set->setObjectName(QStringLiteral("SpeedButton1"));
    auto* clear = new QPushButton(QStringLiteral("Clear"), this);
    clear->setObjectName(QStringLiteral("SpeedButton4"));
    auto* caption = new QLabel(QStringLiteral("Default Template:"), this);
    caption->setObjectName(QStringLiteral("Label1"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_files, 0, 0, 5, 1);
    layout->addWidget(open, 0, 1);
    layout->addWidget(cancel, 1, 1);
    layout->addWidget(helpButton, 2, 1);
    layout->addWidget(m_delete, 3, 1);
    auto* defaults = new QHBoxLayout;
    defaults->addWidget(caption);
    defaults->addWidget(m_default, 1);
    defaults->addWidget(set);
    defaults->addWidget(clear);
    layout->addLayout(defaults, 5, 0, 1, 2);

    connect(open, &QPushButton::clicked, this, &TemplateDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &TemplateDialog::close);
    connect(helpButton, &QPushButton::clicked, this, [&help] { help.showTopic(HelpTopic); });
    // The settings may refuse a write: the user is told, nothing escapes the click.
    const auto reporting = [this](void (TemplateDialog::*handler)()) {
        return
            [this, handler] { runReporting(m_prompter, [this, handler] { (this->*handler)(); }); };
    };
    connect(set, &QPushButton::clicked, this, reporting(&TemplateDialog::makeChosenDefault));
    connect(clear, &QPushButton::clicked, this, reporting(&TemplateDialog::clearDefault));
    connect(m_delete, &QPushButton::clicked, this,
            reporting(&TemplateDialog::deleteChosenTemplate));
    connect(m_files, &QListWidget::itemSelectionChanged, this, &TemplateDialog::selectionChanged);
    connect(m_files, &QListWidget::itemDoubleClicked, this, &TemplateDialog::confirm);

    m_default->setText(defaultTemplate(m_settings));
    refresh();
    open->setFocus();
}

TemplateDialog* TemplateDialog::openNew(const QString& templateDir, SettingsFile& settings,
                                        Prompter& prompter, HelpViewer& help,
                                        std::function<void(const QString&)> newDocument,
                                        QWidget* parent) {
    auto* dialog =
        new TemplateDialog(templateDir, settings, prompter, help, std::move(newDocument), parent);
    dialog->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog->move(screen->geometry().center() - dialog->rect().center());
    dialog->show();
    return dialog;
}

QString TemplateDialog::chosen() const {
    return m_chosen->text();
}

void TemplateDialog::refresh() {
    const QFileIconProvider icons;
    m_files->clear();
    for (const QString& name : templateNames(m_templateDir)) {
        auto* item = new QListWidgetItem(icons.icon(QFileInfo(QDir(m_templateDir).filePath(name))),
                                         name, m_files);
        item->setData(Qt::UserRole, name);
    }
    selectionChanged();
}

void TemplateDialog::selectionChanged() {
    const QList<QListWidgetItem*> selected = m_files->selectedItems();
    m_chosen->setText(selected.isEmpty() ? NoFile : selected.first()->text());
    m_delete->setVisible(!selected.isEmpty());
}

void TemplateDialog::confirm() {
    const QString name = chosen() == NoFile ? QString() : chosen();
    // The dialog goes first: the new document then comes to the front.
    close();
    m_newDocument(name);
}

void TemplateDialog::makeChosenDefault() {
    if (chosen() == NoFile)
        return;
    setDefaultTemplate(m_settings, chosen());
    m_default->setText(chosen());
}

void TemplateDialog::clearDefault() {
    m_files->clearSelection();
    m_chosen->setText(NoFile);
    setDefaultTemplate(m_settings, QString());
    m_default->clear();
}

void TemplateDialog::deleteChosenTemplate() {
    const QString name = chosen();
    if (name == NoFile ||
        !m_prompter.askYesNo(QStringLiteral("Delete ") + name + QStringLiteral("?")))
        return;
    QString error;
    const bool deleted = deleteTemplate(m_settings, m_templateDir, name, error);
    if (deleted)
        refresh();
    else
        m_prompter.error(error);
    if (m_default->text() == name)
        clearDefault();
}

} // namespace vellum
