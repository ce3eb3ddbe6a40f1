#include "ui/helpers/link_helper.h"

#include "core/editor/insertion.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vellum {

namespace {

using Protocol = LinkOptions::Protocol;

const std::vector<RadioChoice<Protocol>> ProtocolButtons = {
    {Protocol::Http, "httpbut", "http://"},       {Protocol::Ftp, "ftpbut", "ftp://"},
    {Protocol::Gopher, "gopherbut", "gopher://"}, {Protocol::News, "newsbut", "news:"},
    {Protocol::Telnet, "telnetbut", "telnet://"}, {Protocol::Mailto, "mailtobut", "mailto:"},
    {Protocol::None, "nonebut", "no protocol"},
};

const FileDialogRequest FileRequest{
    QStringLiteral("Please locate your file"),
    QStringLiteral("All files|*.*|HTML files|*.htm*|Zip files|*.zip|Text files|*.txt"), QString(),
    true};

const QString TargetCaption = QStringLiteral("target=\"\"");

} // namespace

LinkHelper::LinkHelper(HelperContext& context, const HelperTraits& traits, DocumentFiles& files)
    : HelperFrame(context, traits), m_files(files) {
    setObjectName(QStringLiteral("TlinkRoll"));
    auto* kinds = new QHBoxLayout;
    auto* linkKinds = new QButtonGroup(this);
    m_href = radioButton("hrefbut", QStringLiteral("HREF"), linkKinds, -1, this);
    m_name = radioButton("namebut", QStringLiteral("Name"), linkKinds, -1, this);
    kinds->addWidget(m_href);
    kinds->addWidget(m_name);
    body()->addLayout(kinds);

    m_protocols = new QWidget(this);
    m_protocols->setObjectName(QStringLiteral("hrefpan"));
    auto* grid = new QGridLayout(m_protocols);
    grid->setContentsMargins(0, 0, 0, 0);
    m_protocolGroup = new QButtonGroup(this);
    placeInColumns(grid, radioButtons(ProtocolButtons, m_protocolGroup, m_protocols), 4);
    connect(m_protocolGroup, &QButtonGroup::idClicked, this,
            [this](int protocol) { protocolClicked(static_cast<Protocol>(protocol)); });
    protocolButton(Protocol::None)->setChecked(true);
    body()->addWidget(m_protocols);

    m_target = new QCheckBox(TargetCaption, this);
    m_target->setObjectName(QStringLiteral("targetcheck"));
    m_target->hide();
    body()->addWidget(m_target);

    m_filePanel = new QWidget(this);
    m_filePanel->setObjectName(QStringLiteral("usefilepan"));
    auto* fileRows = new QVBoxLayout(m_filePanel);
    fileRows->setContentsMargins(0, 0, 0, 0);
    m_useFile = new QCheckBox(QStringLiteral("use file on disk"), m_filePanel);
    m_useFile->setObjectName(QStringLiteral("usefilecheck"));
    m_paths = pathModeList(m_filePanel);
    fileRows->addWidget(m_useFile);
    fileRows->addWidget(m_paths);
    m_filePanel->hide();
    body()->addWidget(m_filePanel);

    connect(m_href, &QRadioButton::clicked, this, &LinkHelper::hrefClicked);
    connect(m_name, &QRadioButton::clicked, this, &LinkHelper::nameClicked);
    connect(m_target, &QCheckBox::clicked, this, &LinkHelper::returnFocusAndInsert);
    connect(m_useFile, &QCheckBox::clicked, this, &LinkHelper::useFileToggled);
    connect(m_paths, &QComboBox::activated, this, &LinkHelper::returnFocusAndInsert);

    m_useFile->setChecked(
        context.settings().readText(keys::Vellum::Section, keys::Vellum::UseFile) ==
        QLatin1String(keys::Sure));
    m_paths->setVisible(m_useFile->isChecked());
    finishSetUp();
    // HREF has the focus when the window opens, which chooses it.
    m_href->setFocus();
    m_href->setChecked(true);
    hrefClicked();
}

QRadioButton* LinkHelper::protocolButton(Protocol protocol) const {
    return qobject_cast<QRadioButton*>(m_protocolGroup->button(static_cast<int>(protocol)));
}

void LinkHelper::hrefClicked() {
    returnFocusAndInsert();
    m_protocols->show();
    m_target->setChecked(false);
    m_target->show();
    m_filePanel->show();
}

void LinkHelper::nameClicked() {
    returnFocusAndInsert();
    m_protocols->hide();
    m_target->hide();
    m_filePanel->hide();
}

void LinkHelper::protocolClicked(Protocol protocol) {
    returnFocusAndInsert();
    m_target->setText(TargetCaption);
    m_target->setChecked(false);
    m_target->show();
    m_filePanel->show();
    switch (protocol) {
    case Protocol::Mailto:
        m_target->setText(QStringLiteral("subject=\"\""));
        m_filePanel->hide();
        break;
    case Protocol::Gopher:
        m_filePanel->hide();
        break;
    case Protocol::Telnet:
    case Protocol::News:
        m_target->hide();
        m_filePanel->hide();
        break;
    default:
        break;
    }
}

void LinkHelper::useFileToggled() {
    returnFocusAndInsert();
    m_paths->setVisible(m_useFile->isChecked());
}

LinkOptions LinkHelper::options() const {
    LinkOptions o;
    o.name = m_name->isChecked();
    const int protocol = m_protocolGroup->checkedId();
    o.protocol = protocol < 0 ? Protocol::None : static_cast<Protocol>(protocol);
    o.target = m_target->isChecked();
    o.useFile = m_useFile->isChecked();
    o.path = chosenPathMode(m_paths);
    return o;
}

void LinkHelper::showOptions(const LinkOptions& options) {
    if (options.name) {
        m_name->setChecked(true);
        nameClicked();
    } else {
        m_href->setChecked(true);
        hrefClicked();
        protocolButton(options.protocol)->setChecked(true);
        protocolClicked(options.protocol);
    }
    m_target->setChecked(options.target);
    m_useFile->setChecked(options.useFile);
    m_paths->setVisible(options.useFile);
    showPathMode(m_paths, options.path);
}

QString LinkHelper::chosenFileOpen(const LinkOptions& chosen) {
    const QString file = m_files.openFileName(FileRequest);
    if (file.isEmpty())
        return {};
    return fileLinkOpen(chosen, file, m_files.activeDocumentPath(), nativePathStyle());
}

void LinkHelper::insertCode() {
    const LinkOptions chosen = options();
    const LinkCode code = linkGenerator(chosen);
    if (!code.needsFile) {
        insertLink(context().insertions(), context().documents().insertionSlots(), code);
        return;
    }
    const QString open = chosenFileOpen(chosen);
    if (!open.isEmpty())
        context().insertions().wrapSelection(open, code.close);
}

QString LinkHelper::tagCode() {
    const LinkOptions chosen = options();
    const LinkCode code = linkGenerator(chosen);
    return code.needsFile ? chosenFileOpen(chosen) : code.open;
}

void LinkHelper::writeOwnKeys() {
    context().settings().writeText(keys::Vellum::Section, keys::Vellum::UseFile,
                                   m_useFile->isChecked() ? QString::fromLatin1(keys::Sure)
                                                          : QString());
}

} // namespace vellum
