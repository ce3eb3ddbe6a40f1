#include "ui/editor/document_window.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/menu_table.h"
#include "core/app/workspace.h"
#include "core/editor/auto_indent.h"
#include "core/foundation/clipboard.h"
#include "ui/editor/document_host.h"
#include "ui/editor/spell_checking.h"

#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

namespace vellum {

namespace {

bool exactly(const QKeyEvent* event, Qt::KeyboardModifiers wanted) {
    const Qt::KeyboardModifiers held =
        event->modifiers() &
        (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    return held == wanted;
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

/// The command of the editor key pressed, or an empty id.
QString editorKeyCommand(const QKeyEvent* event) {
    const Qt::KeyboardModifiers held =
        event->modifiers() &
        (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    const QKeySequence pressed(QKeyCombination(held, Qt::Key(event->key())));
    for (const EditorKey& entry : editorKeyTable()) {
        if (QKeySequence::fromString(QString::fromLatin1(entry.shortcut),
                                     QKeySequence::PortableText) == pressed)
            return QString::fromLatin1(entry.command);
    }
    return QString();
}

} // namespace

DocumentWindow::DocumentWindow(DocumentHost& host, Clipboard& clipboard,
                               std::shared_ptr<Document> record, QWidget* parent)
    : QWidget(parent), m_host(host), m_clipboard(clipboard), m_record(std::move(record)),
      m_editorWidget(new PlainTextEditor(this)), m_tip(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_record->caption());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editorWidget);
    m_editorWidget->setObjectName(QStringLiteral("memo"));
    m_editorWidget->setTabChangesFocus(false);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(DefaultFontPixels);
    m_editorWidget->setFont(font);

    m_tip->setObjectName(QStringLiteral("URLtip"));
    m_tip->setFrameShape(QFrame::Box);
    m_tip->setAutoFillBackground(true);
    QPalette tipColours = m_tip->palette();
    tipColours.setColor(QPalette::Window, Qt::yellow);
    tipColours.setColor(QPalette::WindowText, Qt::black);
    m_tip->setPalette(tipColours);
    QFont tipFont(QStringLiteral("Arial"));
    tipFont.setPixelSize(11);
    m_tip->setFont(tipFont);
    m_tip->setFixedWidth(124);
    m_tip->hide();
    m_tip->installEventFilter(this);

    m_control = new PlainTextControl(m_editorWidget, &clipboard);
    m_control->setModified(false);
    connect(m_control, &PlainTextControl::layoutSettled, this, [this] {
        if (m_lineSetPending)
            lineSet();
    });
    m_editorWidget->installEventFilter(this);
    m_editorWidget->viewport()->installEventFilter(this);
    m_editorWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    buildPopupMenu();
    connect(m_editorWidget, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        SpellChecking::addMenuItems(*m_popup, *m_editorWidget, at);
        m_popup->popup(m_editorWidget->mapToGlobal(at));
    });
    setFocusProxy(m_editorWidget);
}

DocumentWindow::~DocumentWindow() = default;

DocumentWindow* DocumentWindow::of(const Document& document) {
    return dynamic_cast<DocumentWindow*>(document.view());
}

QString DocumentWindow::caption() const {
    return m_record->caption();
}

QString DocumentWindow::key() const {
    return m_record->key();
}

bool DocumentWindow::isSetUp() const {
    return m_record->isNamed();
}

bool DocumentWindow::isUntitled() const {
    return m_record->isUntitled();
}

void DocumentWindow::loadNewText(const QString& text) {
    m_record->loadNew(text);
}

QMdiSubWindow* DocumentWindow::frame() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void DocumentWindow::lineSet() {
    // After a relayout of a long text the exact line may need more layout than a keystroke should
    // wait for; the display then follows as soon as the layout has settled.
    const int line = m_control->lineFromPositionIfSettled(-1);
    m_lineSetPending = line < 0;
    if (line >= 0)
        m_host.showLine(line + 1);
}

void DocumentWindow::showTip(const QString& hint) {
    const QPoint caret = m_control->caretPixelPosition();
    m_tip->setText(QStringLiteral("Type ") + hint + QStringLiteral(" here"));
    m_tip->adjustSize();
    m_tip->setFixedWidth(124);
    m_tip->move(caret.x() - TipLeft, caret.y() + TipBelow);
    m_tip->raise();
    m_tip->show();
}

void DocumentWindow::hideTip() {
    m_tip->hide();
}

void DocumentWindow::focusEditor() {
    m_editorWidget->setFocus();
}

void DocumentWindow::setEditorEnabled(bool enabled) {
    m_editorWidget->setEnabled(enabled);
}

void DocumentWindow::buildPopupMenu() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    // Built from the context-menu table; every item runs its command on this window's document.
    CommandRegistry& commands = m_host.commands();
    QHash<QString, QMenu*> submenus;
    for (const MenuEntry& entry : contextMenuTable()) {
        QMenu* parent = entry.parent ? submenus.value(QString::fromLatin1(entry.parent)) : m_popup;
        const QString name = QString::fromLatin1(entry.name);
        if (entry.kind == MenuEntry::Kind::Separator) {
            parent->addSeparator()->setObjectName(name);
        } else if (entry.kind == MenuEntry::Kind::Menu) {
            QMenu* submenu = parent->addMenu(QString::fromLatin1(entry.caption));
            submenu->setObjectName(name);
            submenus.insert(name, submenu);
        } else {
            QAction* action = parent->addAction(QString::fromLatin1(entry.caption));
            action->setObjectName(name);
            action->setEnabled(commands.has(name));
            // A hidden item never shows; its key is taken in the editor (editorKeyTable).
            action->setVisible(!entry.hidden);
            connect(action, &QAction::triggered, this,
                    [this, name] { m_host.commands().runOn(name, *m_record); });
        }
    }
}

void DocumentWindow::PopupMenu1Popup() {
    const bool selected = m_control->selection().length() > 0;
    const auto item = [this](const char* name) {
        return m_popup->findChild<QAction*>(QString::fromLatin1(name));
    };
    item("Undo2")->setEnabled(m_control->canUndo());
    for (const char* name : {"Cut2", "Copy2", "N5", "RemoveTags2"})
        item(name)->setVisible(selected);
    item("Paste2")->setVisible(m_clipboard.hasText());
}

bool DocumentWindow::memoKeyDown(QKeyEvent* event) {
    const QString command = editorKeyCommand(event);
    if (!command.isEmpty())
        m_host.commands().runOn(command, *m_record);
    m_tip->hide();
    if (event->key() == Qt::Key_Escape)
        m_host.escapeInEditor();
    if (command.isEmpty() && isEnter(event->key()))
        m_enterPressed = true;
    return !command.isEmpty();
}

void DocumentWindow::memoKeyPress(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return;
    const QChar c = typed.at(0);
    if (c.isPrint() || c == QLatin1Char('\r') || c == QLatin1Char('\t') || c == QLatin1Char('\b')) {
        // Undo reverses at most the last typed character.
        m_control->emptyUndoBuffer();
        m_host.workspace().scratch().emptyUndoBuffer();
    }
}

void DocumentWindow::memoKeyUp(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    if (isEnter(event->key())) {
        // A release whose press went elsewhere (a dialog closed with Enter) indents nothing; one
        // whose press ran an Enter-bound command still clears that command's flag.
        const bool pressedHere = m_enterPressed;
        m_enterPressed = false;
        QString& enterFlag = m_host.workspace().enterFlag();
        if (!pressedHere && enterFlag != QLatin1String(NoEnter))
            return;
        const bool exactlyShift = exactly(event, Qt::ShiftModifier);
        if (autoIndent(*m_control, enterFlag, m_host.autoIndentEnabled(), exactlyShift) ==
            IndentEnd::Skipped)
            return;
    }
    m_control->setSelectionHidden(false);
    lineSet();
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tip && event->type() == QEvent::MouseButtonPress) {
        m_tip->hide();
        return true;
    }
    if (watched == m_editorWidget) {
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            auto* key = static_cast<QKeyEvent*>(event);
            // The editor's own keys go to it even where a menu has the same key.
            if (!editorKeyCommand(key).isEmpty()) {
                event->accept();
                return true;
            }
            // The editor would keep its own copy, paste and undo keys; the menus' commands run
            // instead, and keys no menu takes still reach the editor.
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
                event->ignore();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (memoKeyDown(key))
                return true;
            memoKeyPress(key);
            break;
        }
        case QEvent::KeyRelease:
            memoKeyUp(static_cast<QKeyEvent*>(event));
            break;
        default:
            break;
        }
    }
    if (watched == m_watchedFrame && event->type() == QEvent::MouseButtonDblClick &&
        frameDoubleClicked(static_cast<QMouseEvent*>(event)))
        return true;
    if (watched == m_editorWidget->viewport() && event->type() == QEvent::MouseButtonPress) {
        m_tip->hide();
        // The press moves the caret only once the editor has handled it.
        QTimer::singleShot(0, this, [this] { lineSet(); });
    }
    return QWidget::eventFilter(watched, event);
}

bool DocumentWindow::frameDoubleClicked(QMouseEvent* event) {
    // A double-click on the caption always maximises, from the minimised state too, where the
    // frame's own handling would only restore; the rest of the frame keeps its own handling.
    QMdiSubWindow* f = m_watchedFrame;
    const bool onCaption = f->isMinimized() || event->position().y() < mapTo(f, QPoint(0, 0)).y();
    if (event->button() != Qt::LeftButton || !onCaption)
        return false;
    f->showMaximized();
    return true;
}

void DocumentWindow::applyFormattingRect() {
    const QMargins margins = m_editorWidget->viewportMargins();
    const QSize client = m_editorWidget->viewport()->size().grownBy(margins);
    m_control->setFormattingRect(QRect(QPoint(0, 0), client));
}

void DocumentWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isSetUp())
        return;
    applyFormattingRect();
    m_host.documentResized(*this);
}

void DocumentWindow::paintEvent(QPaintEvent* event) {
    applyFormattingRect();
    QWidget::paintEvent(event);
}

bool DocumentWindow::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange && frame() != m_watchedFrame) {
        if (m_watchedFrame)
            disconnect(m_watchedFrame, nullptr, this, nullptr);
        m_watchedFrame = frame();
        if (m_watchedFrame) {
            connect(m_watchedFrame, &QMdiSubWindow::windowStateChanged, this,
                    &DocumentWindow::frameStateChanged);
            m_watchedFrame->installEventFilter(this);
        }
    }
    return QWidget::event(event);
}

void DocumentWindow::frameStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
    if (m_host.arrangingWindows() || !isSetUp())
        return;
    const bool wasMaximised = (oldState & Qt::WindowMaximized) && !(oldState & Qt::WindowMinimized);
    const bool isMaximised = (newState & Qt::WindowMaximized) && !(newState & Qt::WindowMinimized);
    if (isMaximised && !wasMaximised)
        m_host.documentMaximised(*this);
    else if (!isMaximised &&
             (wasMaximised || (oldState & Qt::WindowMinimized) != (newState & Qt::WindowMinimized)))
        m_host.documentUnmaximised(*this);
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (!m_host.mayClose(*this)) {
        event->ignore();
        return;
    }
    m_host.documentClosing(*this);
    event->accept();
}

} // namespace vellum
