#include "ui/app/preferences_dialog.h"

#include "core/app/command_registry.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "ui/foundation/help_viewer.h"
#include "ui/foundation/window_parts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace vellum {

namespace {

constexpr int GeneralHelpTopic = 21;
constexpr int QuickHelpTopic = 22;
constexpr int NoLimit = std::numeric_limits<int>::max();

QLabel* text(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QCheckBox* box(const char* name, const QString& caption, bool checked, QWidget* parent) {
    auto* check = named<QCheckBox>(name, caption, parent);
    check->setChecked(checked);
    return check;
}

// A page of `notebook`, named as its tab; its controls go on the grid returned.
QGridLayout* addPage(QTabWidget& notebook, const QString& name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    notebook.addTab(page, name);
    return new QGridLayout(page);
}

// Each page ends with a Help button at `row`, `column` that opens the page's own topic; the
// rows below it take the spare height.
void addHelpButton(QGridLayout& grid, int row, int column, const char* name, HelpViewer& help,
                   int topic) {
    QWidget* page = grid.parentWidget();
    auto* helpButton = commandButton(name, QStringLiteral("Help"), page);
    QObject::connect(helpButton, &QPushButton::clicked, page,
                     [&help, topic] { help.showTopic(topic); });
    grid.addWidget(helpButton, row, column);
    grid.setRowStretch(row + 1, 1);
}

} // namespace

struct PreferencesDialog::Controls {
    QLabel* tabsedit = nullptr;
    QCheckBox* removespaces = nullptr;
    QCheckBox* htmlcheck = nullptr;
    QCheckBox* remembermain = nullptr;
    QCheckBox* rememberhelpers = nullptr;
    QCheckBox* autoindent = nullptr;
    QCheckBox* comeback = nullptr;
    QLineEdit* browsertext = nullptr;
    QLineEdit* helpertext = nullptr;
    QLabel* qborder = nullptr;
    QCheckBox* qcaption = nullptr;
    QLabel* qrow = nullptr;
    QLabel* qcell = nullptr;
    QLabel* qlitem = nullptr;
    QLabel* qrf = nullptr;
    QLabel* qfhidden = nullptr;
    QLabel* qfedit = nullptr;
    QLabel* qfradio = nullptr;
    QLabel* qfcheck = nullptr;
    QLabel* qflistbox = nullptr;
    QLabel* qfdroplist = nullptr;
    QCheckBox* qftextarea = nullptr;
};

PreferencesDialog::PreferencesDialog(SettingsFile& settings, PathStyle style, Prompter& prompter,
                                     HelpViewer& help, Hooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_settings(settings), m_style(style),
      m_prompter(prompter), m_hooks(std::move(hooks)), m_c(std::make_unique<Controls>()) {
    setObjectName(QStringLiteral("TabbedNotebookDlg"));
    setWindowTitle(QStringLiteral("VellumHTML Preferences"));
    setAttribute(Qt::WA_DeleteOnClose);
    const Preferences p = loadPreferences(settings, style);

    auto* notebook = new QTabWidget(this);
    notebook->setObjectName(QStringLiteral("TabbedNotebook1"));
    generalPage(addPage(*notebook, QStringLiteral("General")), p, help);
    quickPage(addPage(*notebook, QStringLiteral("Quick Items")), p, help);
    auto* ok = commandButton("OKBtn", QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = commandButton("CancelBtn", QStringLiteral("Cancel"), this);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(notebook, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this,
            [this] { runReporting(m_prompter, [this] { confirm(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

PreferencesDialog::~PreferencesDialog() = default;

PreferencesDialog* PreferencesDialog::openNew(SettingsFile& settings, Prompter& prompter,
                                              HelpViewer& help, Hooks hooks, QWidget* parent) {
    auto* dialog = new PreferencesDialog(settings, nativePathStyle(), prompter, help,
                                         std::move(hooks), parent);
    dialog->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog->move(screen->geometry().center() - dialog->rect().center());
    dialog->show();
    return dialog;
}

QLabel* PreferencesDialog::spinLabel(QWidget* page, const char* name, const char* spinName,
                                     const QString& shown, int lowest, int highest) {
    // The label and its spin buttons share a cell of their own, the label's parent.
    auto* cell = new QWidget(page);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    auto* number = new QLabel(shown, cell);
    number->setObjectName(QString::fromLatin1(name));
    number->setTextFormat(Qt::PlainText);
    number->setFrameShape(QFrame::Panel);
    number->setFrameShadow(QFrame::Sunken);
    number->setMinimumWidth(36);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(number);
    auto* spins = new QVBoxLayout;
    spins->setSpacing(0);
    for (const bool up : {true, false}) {
        auto* spin = new QToolButton(cell);
        spin->setObjectName(QString::fromLatin1(spinName) +
                            (up ? QStringLiteral("Up") : QStringLiteral("Down")));
        spin->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        spin->setFixedSize(16, 11);
        spin->setFocusPolicy(Qt::NoFocus);
        connect(spin, &QToolButton::clicked, number, [number, up, lowest, highest] {
            number->setText(spunNumber(number->text(), up, lowest, highest));
        });
        spins->addWidget(spin);
    }
    row->addLayout(spins);
    row->addStretch();
    return number;
}

void PreferencesDialog::generalPage(QGridLayout* grid, const Preferences& p, HelpViewer& help) {
    QWidget* page = grid->parentWidget();
    Controls& c = *m_c;
    c.tabsedit = spinLabel(page, "tabsedit", "tabsspin", p.tabWidth, 0, NoLimit);
    grid->addWidget(text(QStringLiteral("Tab width:"), page), 0, 0);
    grid->addWidget(c.tabsedit->parentWidget(), 0, 1);
    grid->addWidget(text(QStringLiteral("(in spaces)"), page), 0, 2);
    c.removespaces =
        box("removespaces",
            QStringLiteral("Remove spaces from\nends of selected text \nwhen adding tags"),
            p.removeSpaces, page);
    grid->addWidget(c.removespaces, 1, 0, 1, 3);
    c.htmlcheck = box("htmlcheck", QStringLiteral("Save with 'html' ext."), p.htmlExtension, page);
    grid->addWidget(c.htmlcheck, 2, 0, 1, 3);
    grid->addWidget(text(QStringLiteral("Remember window positions:"), page), 3, 0, 1, 3);
    c.remembermain = box("remembermain", QStringLiteral("application"), p.rememberMain, page);
    c.rememberhelpers = box("rememberhelpers", QStringLiteral("helpers"), p.rememberHelpers, page);
    grid->addWidget(c.remembermain, 4, 0);
    grid->addWidget(c.rememberhelpers, 4, 1, 1, 2);
    c.autoindent =
        box("autoindent", QStringLiteral("Automatically indent\nequal to the previous line"),
            p.autoIndent, page);
    grid->addWidget(c.autoindent, 5, 0, 1, 3);
    c.comeback = box("comeback", QStringLiteral("Use Return Icon when\nrunning external programs"),
                     p.returnIcon, page);
    grid->addWidget(c.comeback, 6, 0, 1, 3);

    const auto pathRow = [&](int row, const char* name, const QString& caption, const QString& path,
                             const char* locateName) {
        grid->addWidget(text(caption, page), row, 0, 1, 3);
        auto* edit = new QLineEdit(path, page);
        edit->setObjectName(QString::fromLatin1(name));
        // Windows-style paths are case-insensitive and kept in capitals; POSIX paths keep their
        // case, which is part of the name.
        if (m_style == PathStyle::Windows)
            connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
                const int at = edit->cursorPosition();
                edit->setText(upperAscii(typed));
                edit->setCursorPosition(at);
            });
        auto* locate = commandButton(locateName, QStringLiteral("Locate"), page);
        grid->addWidget(edit, row + 1, 0, 1, 2);
        grid->addWidget(locate, row + 1, 2);
        return std::make_pair(edit, locate);
    };
    QPushButton* locateBrowser = nullptr;
    QPushButton* locateHelper = nullptr;
    std::tie(c.browsertext, locateBrowser) =
        pathRow(7, "browsertext", QStringLiteral("Your selected WWW browser is:"), p.browser,
                "SpeedButton1");
    std::tie(c.helpertext, locateHelper) =
        pathRow(9, "helpertext", QStringLiteral("Your selected helper program is:"), p.helper,
                "SpeedButton2");
    connect(locateBrowser, &QPushButton::clicked, this, &PreferencesDialog::locateBrowserClicked);
    connect(locateHelper, &QPushButton::clicked, this, &PreferencesDialog::locateHelperClicked);
    addHelpButton(*grid, 11, 2, "SpeedButton3", help, GeneralHelpTopic);
}

void PreferencesDialog::quickPage(QGridLayout* grid, const Preferences& p, HelpViewer& help) {
    QWidget* page = grid->parentWidget();
    Controls& c = *m_c;
    int row = 0;
    const auto numberRow = [&](int column, QLabel*& target, const char* name, const char* spinName,
                               const QString& caption, const QString& shown, int lowest,
                               int highest) {
        target = spinLabel(page, name, spinName, shown, lowest, highest);
        grid->addWidget(text(caption, page), row, column);
        grid->addWidget(target->parentWidget(), row, column + 1);
    };
    grid->addWidget(text(QStringLiteral("Table"), page), row++, 0);
    numberRow(0, c.qborder, "qborder", "SpinButton1", QStringLiteral("border="), p.border, 0,
              NoLimit);
    c.qcaption = box("qcaption", QStringLiteral("caption"), p.caption, page);
    grid->addWidget(c.qcaption, row++, 2);
    const QString toInsert = QStringLiteral("number\nto insert");
    const auto counted = [&](const QString& title, QLabel*& target, const char* name,
                             const char* spinName, const QString& shown, int lowest, int highest,
                             const QString& what) {
        grid->addWidget(text(title, page), row++, 0);
        numberRow(0, target, name, spinName, what, shown, lowest, highest);
        ++row;
    };
    counted(QStringLiteral("Rows"), c.qrow, "qrow", "SpinButton2", p.rows, 1, NoLimit, toInsert);
    counted(QStringLiteral("Data Cells"), c.qcell, "qcell", "SpinButton3", p.cells, 1, NoLimit,
            toInsert);
    counted(QStringLiteral("List Items"), c.qlitem, "qlitem", "SpinButton4", p.listItems, 1,
            NoLimit, toInsert);
    counted(QStringLiteral("Recent Files"), c.qrf, "qrf", "SpinButton5", p.recentFiles, 1, 15,
            QStringLiteral("number\nto show"));

    // The form items stand in a second column.
    int formRow = 0;
    grid->addWidget(text(QStringLiteral("Form Items to Insert"), page), formRow++, 3, 1, 2);
    const auto formItem = [&](QLabel*& target, const char* name, const char* spinName,
                              const QString& caption, const QString& shown) {
        std::swap(row, formRow);
        numberRow(3, target, name, spinName, caption, shown, 0, NoLimit);
        std::swap(row, formRow);
        ++formRow;
    };
    formItem(c.qfhidden, "qfhidden", "SpinButton10", QStringLiteral("         hidden"), p.hidden);
    formItem(c.qfedit, "qfedit", "SpinButton6", QStringLiteral("text field"), p.textFields);
    formItem(c.qfradio, "qfradio", "SpinButton8", QStringLiteral(" radio button"), p.radios);
    formItem(c.qfcheck, "qfcheck", "SpinButton9", QStringLiteral("   check box"), p.checkBoxes);
    formItem(c.qflistbox, "qflistbox", "SpinButton7", QStringLiteral("  listbox item"),
             p.listBoxes);
    formItem(c.qfdroplist, "qfdroplist", "SpinButton11", QStringLiteral(" droplist item"),
             p.dropLists);
    c.qftextarea = box("qftextarea", QStringLiteral(" text area"), p.textArea, page);
    grid->addWidget(c.qftextarea, formRow++, 3, 1, 2);

    addHelpButton(*grid, std::max(row, formRow), 4, "SpeedButton4", help, QuickHelpTopic);
}

Preferences PreferencesDialog::shown() const {
    const Controls& c = *m_c;
    Preferences p;
    p.tabWidth = c.tabsedit->text();
    p.removeSpaces = c.removespaces->isChecked();
    p.htmlExtension = c.htmlcheck->isChecked();
    p.rememberMain = c.remembermain->isChecked();
    p.rememberHelpers = c.rememberhelpers->isChecked();
    p.autoIndent = c.autoindent->isChecked();
    p.returnIcon = c.comeback->isChecked();
    p.browser = c.browsertext->text();
    p.helper = c.helpertext->text();
    p.border = c.qborder->text();
    p.caption = c.qcaption->isChecked();
    p.rows = c.qrow->text();
    p.cells = c.qcell->text();
    p.listItems = c.qlitem->text();
    p.recentFiles = c.qrf->text();
    p.hidden = c.qfhidden->text();
    p.textFields = c.qfedit->text();
    p.radios = c.qfradio->text();
    p.checkBoxes = c.qfcheck->text();
    p.listBoxes = c.qflistbox->text();
    p.dropLists = c.qfdroplist->text();
    p.textArea = c.qftextarea->isChecked();
    return p;
}

void PreferencesDialog::confirm() {
    const PreferencesProblem problem = storePreferences(m_settings, shown(), m_style);
    if (problem != PreferencesProblem::None) {
        m_prompter.error(preferencesMessage(problem));
        return;
    }
    if (m_hooks.stored)
        m_hooks.stored();
    close();
}

void PreferencesDialog::locateBrowserClicked() {
    if (m_hooks.locateBrowser)
        runReporting(m_prompter, m_hooks.locateBrowser);
    m_c->browsertext->setText(m_settings.readText(keys::Vellum::Section, keys::Vellum::Browser));
}

void PreferencesDialog::locateHelperClicked() {
    if (m_hooks.locateHelper)
        runReporting(m_prompter, m_hooks.locateHelper);
    const QString helper = m_settings.readText(keys::Vellum::Section, keys::Vellum::Helper);
    m_c->helpertext->setText(m_style == PathStyle::Windows ? upperAscii(helper) : helper);
}

} // namespace vellum
