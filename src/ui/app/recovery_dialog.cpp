#include "ui/app/recovery_dialog.h"

#include "core/app/document.h"
#include "core/app/home_directory.h"
#include "core/app/recovery_documents.h"
#include "core/app/recovery_folders.h"
#include "core/app/save_rules.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/recovery_writer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vellum {

RecoveryDialog::RecoveryDialog(const QList<RecoveryChoice>& choices, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("RecoveryDialog"));
    setWindowTitle(QLatin1String(Title));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("VellumHTML ended before these documents were saved. "
                                           "Tick the ones to open again; the others will be "
                                           "discarded."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);

    m_list->setObjectName(QStringLiteral("RecoveryList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("Document"), QStringLiteral("Last written")});
    for (const RecoveryChoice& choice : choices) {
        auto* row = new QTreeWidgetItem(
            m_list, {choice.name,
                     choice.written.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Checked);
        row->setToolTip(0, choice.path.isEmpty() ? QStringLiteral("Untitled document")
                                                 : QDir::toNativeSeparators(choice.path));
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* recover =
        buttons->addButton(QStringLiteral("Recover"), QDialogButtonBox::AcceptRole);
    recover->setObjectName(QStringLiteral("Recover"));
    recover->setDefault(true);
    buttons->addButton(QStringLiteral("Decide Later"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("DecideLater"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 300);
}

QList<int> RecoveryDialog::ticked() const {
    QList<int> out;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            out << i;
    }
    return out;
}

std::optional<QList<int>> RecoveryDialog::choose(const QList<RecoveryChoice>& choices,
                                                 QWidget* parent) {
    RecoveryDialog dialog(choices, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ticked();
}

void offerRecovery(const HomeDirectory& home, Workspace& workspace, SettingsFile& settings,
                   MessageBoxPrompter& prompter, RecoveryWriter& writer) {
    if (!writer.enabled())
        return;
    RecoveryClaim claim = RecoveryClaim::gather(home.recoveryDir(), writer.folder().id());
    if (claim.entries().empty()) {
        // Ended instances that left nothing to recover leave nothing behind either.
        claim.discard();
        return;
    }
    QList<RecoveryChoice> choices;
    for (const Recoverable& entry : claim.entries()) {
        const RecoveryRecord& record = entry.record;
        choices.push_back(
            {record.untitled ? record.name : fileNamePart(record.name, nativePathStyle()),
             record.untitled ? QString() : record.name, record.written});
    }
    const std::optional<QList<int>> chosen = prompter.chooseRecoveries(choices);
    if (!chosen)
        return;
    bool allKept = true;
    for (const int index : *chosen) {
        if (index < 0 || index >= static_cast<int>(claim.entries().size()))
            continue;
        Document& document = reopenRecovered(workspace, settings, prompter,
                                             claim.entries()[static_cast<size_t>(index)].record);
        // Kept in this instance's folder before the others are discarded: the text is on disk
        // at every moment.
        if (std::optional<QString> failure = writer.adopt(document, claim, index)) {
            prompter.error(*failure);
            allKept = false;
        }
    }
    // A file that could not be taken over is the text's only copy on disk: nothing is discarded
    // then, and the next start offers it all again.
    if (allKept)
        claim.discard();
}

} // namespace vellum
