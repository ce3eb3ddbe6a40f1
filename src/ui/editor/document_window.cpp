#include "ui/editor/document_window.h"

#include "core/app/prompter.h"
#include "core/editor/auto_indent.h"
#include "core/editor/clipboard.h"
#include "core/editor/tag_commands.h"
#include "ui/editor/document_host.h"

#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
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

} // namespace

TMDIsub::TMDIsub(DocumentHost& host, Clipboard& clipboard, QWidget* parent)
    : QWidget(parent), m_host(host), m_clipboard(clipboard), m_memo(new TSRichEdit(this)),
      m_iam(new QLabel(this)), m_tip(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(UnsetCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
    m_memo->setObjectName(QStringLiteral("memo"));
    m_memo->setTabChangesFocus(false);
    m_memo->setFont(QFont(QStringLiteral("MS Sans Serif")));
    m_iam->setObjectName(QStringLiteral("IAM"));
    m_iam->setText(QStringLiteral("Untitled 1"));
    m_iam->hide();

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

    m_control = new PlainTextControl(m_memo, &clipboard);
    m_control->setModified(false);
    m_control->setChangeHandler([this] {
        m_pristine = false;
        m_host.documentChanged(*this);
    });
    connect(m_control, &PlainTextControl::layoutSettled, this, [this] {
        if (m_lineSetPending)
            lineSet();
    });
    m_memo->installEventFilter(this);
    m_memo->viewport()->installEventFilter(this);
    m_memo->setContextMenuPolicy(Qt::CustomContextMenu);
    buildPopupMenu();
    connect(m_memo, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        m_popup->popup(m_memo->mapToGlobal(at));
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

void TMDIsub::lineSet() {
    // After a relayout of a long text the exact line may need more layout than a keystroke should
    // wait for; the display then follows as soon as the layout has settled.
    const int line = m_control->lineFromPositionIfSettled(-1);
    m_lineSetPending = line < 0;
    if (line >= 0)
        m_host.showLine(line + 1);
}

void TMDIsub::showTip(const QString& hint) {
    const QPoint caret = m_control->caretPixelPosition();
    m_tip->setText(QStringLiteral("Type ") + hint + QStringLiteral(" here"));
    m_tip->adjustSize();
    m_tip->setFixedWidth(124);
    m_tip->move(caret.x() - TipLeft, caret.y() + TipBelow);
    m_tip->raise();
    m_tip->show();
}

void TMDIsub::focusEditor() {
    m_memo->setFocus();
}

void TMDIsub::setEditorEnabled(bool enabled) {
    m_memo->setEnabled(enabled);
}

void TMDIsub::addtags(const QString& open, const QString& close) {
    docops::addtags(*this, m_host.scratch(), m_host.insertionSlots(), open, close);
}

void TMDIsub::movechar() {
    docops::movechar(*m_control, m_host.insertionSlots());
}

void TMDIsub::boardit() {
    docops::boardit(*this, m_host.scratch());
}

void TMDIsub::tipper(const QString& hint, int back) {
    docops::tipper(*this, m_host.scratch(), m_host.insertionSlots(), hint, back);
}

void TMDIsub::GotoLine(int n) {
    docops::GotoLine(*m_control, n);
}

void TMDIsub::gotoLineEnd(int n) {
    docops::gotoLineEnd(*m_control, n);
}

void TMDIsub::buildPopupMenu() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](const char* name, const QString& caption, std::function<void()> run) {
        QAction* action = m_popup->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    add("Undo2", QStringLiteral("Undo"), [this] {
        m_control->undo();
        m_tip->hide();
        lineSet();
    });
    add("Cut2", QStringLiteral("Cut"), [this] {
        m_control->cut();
        lineSet();
    });
    add("Copy2", QStringLiteral("Copy"), [this] {
        m_control->copy();
        lineSet();
    });
    add("Paste2", QStringLiteral("Paste"), [this] {
        docops::pasteThroughScratch(*m_control, m_host.scratch(), m_clipboard);
        lineSet();
    });
    QAction* separator = m_popup->addSeparator();
    separator->setObjectName(QStringLiteral("N5"));
    add("RemoveTags2", QStringLiteral("Remove Tags"), [] {});
    m_popup->addSeparator();

    // The tag commands of the context menu run on this window.
    QHash<QString, QMenu*> submenus;
    for (const char* name : {"Character", "Layout", "Quick"}) {
        QMenu* submenu = m_popup->addMenu(QString::fromLatin1(name));
        submenu->setObjectName(QString::fromLatin1(name));
        submenus.insert(QString::fromLatin1(name), submenu);
    }
    for (const TagCommand& command : tagCommands()) {
        const QString place = QString::fromLatin1(command.contextItem);
        if (place.isEmpty())
            continue;
        const QString menu = place.section(QLatin1Char('|'), 0, 0);
        QAction* action = submenus.value(menu)->addAction(place.section(QLatin1Char('|'), 1));
        action->setObjectName(QString::fromLatin1(command.id));
        const TagCommand* run = &command;
        connect(action, &QAction::triggered, this, [this, run] {
            runTagCommand(*run, *this, m_host.scratch(), m_host.insertionSlots(),
                          m_host.enterFlag(), m_host.settings());
        });
    }
    QAction* fontHelper =
        submenus.value(QStringLiteral("Character"))->addAction(QStringLiteral("Size&&Color..."));
    connect(fontHelper, &QAction::triggered, this, [this] { m_host.HelpFont(); });
    m_popup->addAction(QStringLiteral("User Tags..."))->setEnabled(false);
}

void TMDIsub::PopupMenu1Popup() {
    const bool selected = m_control->selection().length() > 0;
    const auto item = [this](const char* name) {
        return m_popup->findChild<QAction*>(QString::fromLatin1(name));
    };
    item("Undo2")->setEnabled(m_control->canUndo());
    for (const char* name : {"Cut2", "Copy2", "N5", "RemoveTags2"})
        item(name)->setVisible(selected);
    item("Paste2")->setVisible(m_clipboard.hasText());
}

void TMDIsub::insertBrackets(const QString& text) {
    TextControl& scratch = m_host.scratch();
    scratch.selectAll();
    scratch.replaceSelection(text);
    boardit();
    // Back over the ">" so that the caret stands inside the brackets.
    m_host.insertionSlots().caretShift = -1;
    movechar();
}

bool TMDIsub::memoKeyDown(QKeyEvent* event) {
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    bool handled = false;
    if (exactly(event, ctrlShift) &&
        (event->key() == Qt::Key_Comma || event->key() == Qt::Key_Less)) {
        insertBrackets(QStringLiteral("<>"));
        handled = true;
    } else if (exactly(event, ctrlShift) &&
               (event->key() == Qt::Key_Period || event->key() == Qt::Key_Greater)) {
        insertBrackets(QStringLiteral("</>"));
        handled = true;
    } else if (exactly(event, ctrlShift) && event->key() == Qt::Key_D) {
        // The context menu's hidden "remove tags" item owns this key while the editor has focus.
        handled = true;
    }
    m_tip->hide();
    if (!handled && isEnter(event->key()))
        m_enterPressed = true;
    return handled;
}

void TMDIsub::memoKeyPress(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return;
    const QChar c = typed.at(0);
    if (c.isPrint() || c == QLatin1Char('\r') || c == QLatin1Char('\t') || c == QLatin1Char('\b')) {
        // Undo reverses at most the last typed character.
        m_control->emptyUndoBuffer();
        m_host.scratch().emptyUndoBuffer();
    }
}

void TMDIsub::memoKeyUp(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    if (isEnter(event->key())) {
        // A release whose press went elsewhere (a dialog closed with Enter) indents nothing; one
        // whose press ran an Enter-bound command still clears that command's flag.
        const bool pressedHere = m_enterPressed;
        m_enterPressed = false;
        if (!pressedHere && m_host.enterFlag() != QLatin1String(NoEnter))
            return;
        const bool exactlyShift = exactly(event, Qt::ShiftModifier);
        if (autoIndent(*m_control, m_host.enterFlag(), m_host.autoIndentEnabled(), exactlyShift) ==
            IndentEnd::Skipped)
            return;
    }
    m_control->setSelectionHidden(false);
    lineSet();
}

bool TMDIsub::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tip && event->type() == QEvent::MouseButtonPress) {
        m_tip->hide();
        return true;
    }
    if (watched == m_memo) {
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (exactly(key, Qt::ControlModifier | Qt::ShiftModifier) && key->key() == Qt::Key_D) {
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
    if (watched == m_memo->viewport() && event->type() == QEvent::MouseButtonPress) {
        m_tip->hide();
        // The press moves the caret only once the editor has handled it.
        QTimer::singleShot(0, this, [this] { lineSet(); });
    }
    return QWidget::eventFilter(watched, event);
}

void TMDIsub::applyFormattingRect() {
    const QMargins margins = m_memo->viewportMargins();
    const QSize client = m_memo->viewport()->size().grownBy(margins);
    m_control->setFormattingRect(QRect(QPoint(0, 0), client));
}

void TMDIsub::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isSetUp())
        return;
    applyFormattingRect();
    m_host.documentResized(*this);
}

void TMDIsub::paintEvent(QPaintEvent* event) {
    applyFormattingRect();
    QWidget::paintEvent(event);
}

bool TMDIsub::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange && frame() != m_watchedFrame) {
        if (m_watchedFrame)
            disconnect(m_watchedFrame, nullptr, this, nullptr);
        m_watchedFrame = frame();
        if (m_watchedFrame)
            connect(m_watchedFrame, &QMdiSubWindow::windowStateChanged, this,
                    &TMDIsub::frameStateChanged);
    }
    return QWidget::event(event);
}

void TMDIsub::frameStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
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
