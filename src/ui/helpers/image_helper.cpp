#include "ui/helpers/image_helper.h"

#include "core/editor/insertion.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "core/helpers/image_files.h"
#include "platform/helpers/image_decoder.h"
#include "ui/foundation/click_label.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"
#include "ui/helpers/image_file_chooser.h"
#include "ui/helpers/number_box.h"
#include "ui/helpers/picture_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vellum {

namespace {

constexpr int PreviewHeight = 140;

} // namespace

ImageHelper::ImageHelper(HelperContext& context, const HelperTraits& traits, DocumentFiles& files)
    : HelperFrame(context, traits), m_files(files) {
    setObjectName(QStringLiteral("Timageroll"));
    m_chooser = new ImageFileChooser(QStringLiteral("Dirlist"), QStringLiteral("Files"), this);
    body()->addWidget(m_chooser);

    auto* modes = new QHBoxLayout;
    m_paths = pathModeList(this);
    m_background = checkBox("backcheck", QStringLiteral("background="), this);
    modes->addWidget(m_paths);
    modes->addWidget(m_background);
    body()->addLayout(modes);
    body()->addWidget(buildImageOptions());
    body()->addWidget(buildPreview());

    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setTextFormat(Qt::PlainText);
    m_sample->setWordWrap(true);
    m_sample->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Long paths wrap instead of widening the window; three lines hold every option.
    m_sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_sample->setFixedHeight(3 * m_sample->fontMetrics().lineSpacing());
    body()->addWidget(m_sample);
    m_output = new QLabel(this);
    m_output->setObjectName(QStringLiteral("output"));
    m_output->setTextFormat(Qt::PlainText);
    m_output->hide();

    // Another folder leaves no file chosen, so the preview lets go of the last picture too.
    connect(m_chooser, &ImageFileChooser::folderChosen, this, [this] {
        optionChosen();
        showPicture();
    });
    connect(m_chooser, &ImageFileChooser::fileChosen, this, &ImageHelper::filesChange);
    connect(m_chooser, &ImageFileChooser::fileClicked, this, &ImageHelper::returnFocusAndInsert);
    connect(m_paths, &QComboBox::activated, this, &ImageHelper::optionChosen);
    connect(m_aligns, &QComboBox::activated, this, &ImageHelper::optionChosen);
    for (QCheckBox* box : {m_background, m_alt, m_heightWidth, m_hspace, m_vspace})
        connect(box, &QCheckBox::clicked, this, &ImageHelper::optionChosen);
    connect(m_background, &QCheckBox::toggled, m_imagePanel, &QWidget::setHidden);
    connect(m_border->edit(), &QLineEdit::textChanged, this, &ImageHelper::sampleUpdate);
    connect(m_preview, &QCheckBox::toggled, this, &ImageHelper::previewToggled);

    m_chooser->setFolder(imageListStart(files.activeDocumentPath(), QDir::currentPath()));
    m_preview->setChecked(
        context.settings().readText(keys::Vellum::Section, keys::Vellum::Preview) ==
        QLatin1String(keys::Sure));
    sampleUpdate();
    finishSetUp();
    m_focusKeeper->setFocus();
    returnFocusAndInsert();
}

QWidget* ImageHelper::buildImageOptions() {
    m_imagePanel = new QWidget(this);
    m_imagePanel->setObjectName(QStringLiteral("imgpan"));
    keepRoom(m_imagePanel);
    auto* grid = new QGridLayout(m_imagePanel);
    grid->setContentsMargins(0, 0, 0, 0);
    QLabel* bordercol = namedLabel("bordercol", QStringLiteral("Border"), m_imagePanel);
    m_border = numberBox("borderedit", 0, QStringLiteral("0"), m_imagePanel);
    m_alt = checkBox("alts", QStringLiteral("Alt text"), m_imagePanel);
    m_aligns = dropList("aligns",
                        {QStringLiteral("default"), QStringLiteral("left"), QStringLiteral("right"),
                         QStringLiteral("top"), QStringLiteral("texttop"), QStringLiteral("middle"),
                         QStringLiteral("absmiddle"), QStringLiteral("baseline"),
                         QStringLiteral("bottom"), QStringLiteral("absbottom")},
                        QStringLiteral(" Alignment"), m_imagePanel);
    m_heightWidth = checkBox("hz", QStringLiteral("height and width"), m_imagePanel);
    m_hspace = checkBox("hsc", QStringLiteral("hspace"), m_imagePanel);
    m_vspace = checkBox("vsc", QStringLiteral("vspace"), m_imagePanel);
    auto* border = new QHBoxLayout;
    border->addWidget(bordercol);
    border->addWidget(m_border);
    border->addStretch(1);
    grid->addLayout(border, 0, 0);
    grid->addWidget(m_aligns, 0, 1);
    grid->addWidget(m_alt, 1, 0);
    grid->addWidget(m_heightWidth, 1, 1);
    grid->addWidget(m_hspace, 2, 0);
    grid->addWidget(m_vspace, 2, 1);
    return m_imagePanel;
}

QWidget* ImageHelper::buildPreview() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    m_preview = checkBox("CheckBox1", QString(), panel);
    auto* label = new ClickLabel(QStringLiteral("Label1"), QStringLiteral("preview"), panel);
    // The label is the box's caption: a click on it is a click on the box.
    connect(label, &ClickLabel::clicked, m_preview, &QCheckBox::click);
    m_focusKeeper = new QRadioButton(panel);
    m_focusKeeper->setObjectName(QStringLiteral("RadioButton1"));
    m_focusKeeper->installEventFilter(this);
    connect(m_focusKeeper, &QRadioButton::clicked, this, &ImageHelper::returnFocusAndInsert);
    row->addWidget(m_preview);
    row->addWidget(label);
    row->addStretch(1);
    row->addWidget(m_focusKeeper);
    layout->addLayout(row);

    m_previewBox = new QScrollArea(panel);
    m_previewBox->setObjectName(QStringLiteral("gifpan"));
    m_previewBox->setFixedHeight(PreviewHeight);
    // The picture keeps its own size: a larger one scrolls.
    m_previewBox->setWidgetResizable(false);
    keepRoom(m_previewBox);
    m_previewArea = new QWidget;
    m_picture = new PictureBox(m_previewArea);
    m_picture->setObjectName(QStringLiteral("anigif"));
    m_picture->setAutoSize(true);
    m_note = new QLabel(m_previewArea);
    m_note->setObjectName(QStringLiteral("previewnote"));
    m_note->setTextFormat(Qt::PlainText);
    m_note->setWordWrap(true);
    m_note->hide();
    m_previewArea->resize(m_picture->size());
    m_previewBox->setWidget(m_previewArea);
    m_previewBox->hide();
    layout->addWidget(m_previewBox);
    return panel;
}

ImageOptions ImageHelper::options() {
    ImageOptions o;
    o.file = m_chooser->chosenFile();
    o.documentPath = m_files.activeDocumentPath();
    o.path = chosenPathMode(m_paths);
    o.background = m_background->isChecked();
    o.border = m_border->text();
    o.alt = m_alt->isChecked();
    if (m_aligns->currentIndex() >= 0)
        o.align = m_aligns->currentText();
    o.heightWidth = m_heightWidth->isChecked();
    // Measured from the file's header: the preview may be off, or refuse a picture too large to
    // decode whose size is still known.
    if (o.heightWidth && !o.file.isEmpty())
        o.measured = imageFileSize(o.file);
    o.hspace = m_hspace->isChecked();
    o.vspace = m_vspace->isChecked();
    return o;
}

void ImageHelper::sampleUpdate() {
    const ImageCode code = imageGenerator(options(), nativePathStyle());
    m_sample->setText(code.sample);
    m_output->setText(code.output);
}

void ImageHelper::optionChosen() {
    returnFocusAndInsert();
    sampleUpdate();
}

void ImageHelper::filesChange() {
    // A size measured for another file must not be kept.
    m_heightWidth->setChecked(false);
    sampleUpdate();
    if (m_preview->isChecked() || m_chooser->chosenFile().isEmpty())
        showPicture();
}

void ImageHelper::previewToggled(bool on) {
    m_previewBox->setVisible(on);
    if (on)
        filesChange();
}

void ImageHelper::showPicture() {
    const QString file = m_chooser->chosenFile();
    QString refusal;
    if (file.isEmpty())
        m_picture->clear();
    else
        refusal = m_picture->loadPicture(file);
    m_note->setText(refusal);
    const int width = qMax(m_previewBox->viewport()->width(), 100);
    m_note->resize(width, m_note->heightForWidth(width));
    m_note->setVisible(!refusal.isEmpty());
    m_picture->setVisible(refusal.isEmpty());
    m_previewArea->resize(refusal.isEmpty() ? m_picture->size() : m_note->size());
}

void ImageHelper::showOptions(const ImageOptions& options) {
    m_chooser->showFile(options.file);
    showPathMode(m_paths, options.path);
    m_background->setChecked(options.background);
    m_border->setText(options.border);
    m_alt->setChecked(options.alt);
    m_aligns->setCurrentIndex(m_aligns->findText(options.align));
    // After the file: choosing a file clears the size request.
    m_heightWidth->setChecked(options.heightWidth);
    m_hspace->setChecked(options.hspace);
    m_vspace->setChecked(options.vspace);
    sampleUpdate();
}

QString ImageHelper::tagCode() {
    sampleUpdate();
    return m_output->text();
}

void ImageHelper::insertCode() {
    sampleUpdate();
    context().insertions().insertText(m_output->text());
}

void ImageHelper::writeOwnKeys() {
    context().settings().writeText(keys::Vellum::Section, keys::Vellum::Preview,
                                   m_preview->isChecked() ? QString::fromLatin1(keys::Sure)
                                                          : QString());
}

bool ImageHelper::eventFilter(QObject* watched, QEvent* event) {
    // The window's resting focus: when the window becomes active by itself (not by a click on
    // one of its controls), the focus goes on to the main window, so that typing continues in
    // the document.
    if (watched == m_focusKeeper && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason &&
        QGuiApplication::mouseButtons() == Qt::NoButton)
        returnFocusAndInsert();
    return HelperFrame::eventFilter(watched, event);
}

} // namespace vellum
