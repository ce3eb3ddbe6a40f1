#include "ui/editor/document_window.h"

#include "core/app/prompter.h"
#include "ui/editor/document_host.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace vellum {

TMDIsub::TMDIsub(DocumentHost& host, Clipboard& clipboard, QWidget* parent)
    : QWidget(parent), m_host(host), m_memo(new TSRichEdit(this)), m_iam(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setTabChangesFocus(false);
    m_iam->setObjectName(QStringLiteral("IAM"));
    m_iam->setText(QStringLiteral("Untitled 1"));
    m_iam->hide();
    m_control = new PlainTextControl(m_memo, &clipboard);
    m_control->setModified(false);
    m_control->setChangeHandler([this] {
        m_pristine = false;
        m_host.documentChanged(*this);
    });
    setFocusProxy(m_memo);
}

TMDIsub::~TMDIsub() = default;

void TMDIsub::setCaption(const QString& caption) {
    m_caption = caption;
    setWindowTitle(caption);
}

QString TMDIsub::key() const {
    return m_iam->text();
}

void TMDIsub::setKey(const QString& key) {
    m_iam->setText(key);
}

QMdiSubWindow* TMDIsub::frame() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void TMDIsub::loadDocument(const LoadedDocument& document) {
    m_control->setText(document.text);
    m_format = document.format;
    m_original = document.original;
    m_pristine = true;
}

void TMDIsub::loadNewText(const QString& text) {
    m_control->setText(text);
    m_format = FileFormat{};
    m_original.clear();
    m_pristine = true;
}

QByteArray TMDIsub::bytesToSave(bool* switched) {
    // A file with mixed line breaks that was not edited is written back exactly as it was read.
    if (m_pristine && !m_original.isEmpty()) {
        *switched = false;
        return m_original;
    }
    return encodeDocument(m_control->text(), m_format, switched);
}

void TMDIsub::closeEvent(QCloseEvent* event) {
    while (isModified()) {
        if (QMdiSubWindow* f = frame()) {
            if (f->isMinimized())
                f->showNormal();
            f->raise();
        }
        const Prompter::Answer answer = m_host.prompter().askYesNoCancel(
            QStringLiteral("Save Changes to '%1'?").arg(caption()));
        if (answer == Prompter::Answer::Cancel) {
            event->ignore();
            return;
        }
        if (answer == Prompter::Answer::No)
            break;
        m_host.saveDocument(*this);
    }
    m_host.documentClosing(*this);
    event->accept();
}

} // namespace vellum
