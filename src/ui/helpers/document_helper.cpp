#include "ui/helpers/document_helper.h"

#include "core/editor/insertion.h"
#include "core/helpers/image_files.h"
#include "platform/helpers/image_decoder.h"
#include "ui/foundation/click_label.h"
#include "ui/foundation/colour_controls.h"
#include "ui/foundation/wait_window.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"
#include "ui/helpers/image_file_chooser.h"
#include "ui/helpers/picture_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace vellum {

namespace {

struct ColourControl {
    PageColour colour;
    const char* stem;
    const char* caption;
};

const ColourControl ColourControls[PageColourCount] = {
    {PageColour::Back, "back", "B a c k"},     {PageColour::Text, "text", "T e x t"},
    {PageColour::Link, "link", "L i n k"},     {PageColour::ALink, "alink", "A L i n k"},
    {PageColour::VLink, "vlink", "V L i n k"},
};

struct PreviewWord {
    const char* name;
    const char* text;
    int left;
};

// The words stand side by side across the middle of the preview, above the tiles.
const PreviewWord PreviewWords[4] = {
    {"textcol", "Text", 24},
    {"linkcol", "Link", 112},
    {"alinkcol", "ALink", 200},
    {"vlinkcol", "VLink", 288},
};
constexpr int WordTop = 40;

QString name(const char* stem, const char* suffix) {
    return QString::fromLatin1(stem) + QLatin1String(suffix);
}

QString tileName(int row, int column) {
    return QChar(QLatin1Char(char('A' + row))) +
           QStringLiteral("%1").arg(column, 2, 10, QLatin1Char('0'));
}

void setWordColour(QLabel* word, quint32 bgr) {
    QPalette p = word->palette();
    p.setColor(QPalette::WindowText, colourFromBgr(bgr));
    word->setPalette(p);
}

void setPanelColour(QWidget* panel, const QColor& colour) {
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, colour);
    panel->setPalette(p);
}

/// Hides the mouse pointer for as long as it lives.
class BlankPointer {
public:
    BlankPointer() { QGuiApplication::setOverrideCursor(Qt::BlankCursor); }
    ~BlankPointer() { QGuiApplication::restoreOverrideCursor(); }
    BlankPointer(const BlankPointer&) = delete;
    BlankPointer& operator=(const BlankPointer&) = delete;
};

} // namespace

DocumentHelper::DocumentHelper(HelperContext& context, const HelperTraits& traits,
                               ColourChooser chooseColour, DocumentFiles& files)
    : HelperFrame(context, traits), m_files(files) {
    setObjectName(QStringLiteral("Tdocuroll"));

    auto* imageRow = new QHBoxLayout;
    m_imageCheck = checkBox("CheckBox1", QString(), this);
    auto* imageLabel =
        new ClickLabel(QStringLiteral("Label1"), QStringLiteral("background image"), this);
    imageRow->addWidget(m_imageCheck);
    imageRow->addWidget(imageLabel);
    imageRow->addStretch(1);
    body()->addLayout(imageRow);

    auto* fileRow = new QHBoxLayout;
    m_chooser = new ImageFileChooser(QStringLiteral("dirlist"), QStringLiteral("files"), this);
    m_chooser->setFolder(imageListStart(files.activeDocumentPath(), QDir::currentPath()));
    m_chooser->setEnabled(false);
    m_paths = pathModeList(this);
    m_paths->setEnabled(false);
    fileRow->addWidget(m_chooser, 1);
    fileRow->addWidget(m_paths, 0, Qt::AlignTop);
    body()->addLayout(fileRow);

    auto* colourRow = new QHBoxLayout;
    for (const ColourControl& c : ColourControls) {
        addColourRow(c.colour, c.stem, c.caption, chooseColour);
        colourRow->addWidget(m_colours[static_cast<int>(c.colour)].picker);
    }
    body()->addLayout(colourRow);

    body()->addWidget(buildPreview(), 0, Qt::AlignHCenter);
    m_sample = new ClickLabel(QStringLiteral("sample"), QStringLiteral("<BODY>"), this);
    // A long tag wraps at its attributes; room for three lines keeps the window's height fixed,
    // and a long path cannot widen the window.
    m_sample->setWordWrap(true);
    m_sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_sample->setFixedHeight(3 * m_sample->fontMetrics().lineSpacing());
    m_sample->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    body()->addWidget(m_sample);
    m_output = new QLabel(this);
    m_output->setObjectName(QStringLiteral("output"));
    m_output->setTextFormat(Qt::PlainText);
    m_output->hide();

    connect(m_imageCheck, &QCheckBox::clicked, this, &DocumentHelper::backgroundClicked);
    connect(imageLabel, &ClickLabel::clicked, m_imageCheck, &QCheckBox::click);
    connect(m_paths, &QComboBox::activated, this, &DocumentHelper::sampleUpdate);
    connect(m_chooser, &ImageFileChooser::fileClicked, this, &DocumentHelper::sampleUpdate);
    connect(m_chooser, &ImageFileChooser::fileChosen, this, &DocumentHelper::tileBackground);
    // A drive choice is followed by the choice of its folder.
    connect(m_chooser, &ImageFileChooser::folderChosen, this, &DocumentHelper::folderChosen);
    connect(m_sample, &ClickLabel::clicked, this, &DocumentHelper::returnFocusAndInsert);

    sampleUpdate();
    finishSetUp();
    returnFocusAndInsert();
}

void DocumentHelper::addColourRow(PageColour colour, const char* stem, const char* caption,
                                  const ColourChooser& chooseColour) {
    auto* picker = new ColourPicker(chooseColour, QString::fromLatin1(caption),
                                    ColourPicker::Layout::GridAbove, this);
    picker->grid()->setObjectName(name(stem, "grid"));
    picker->button()->setObjectName(name(stem, "but"));
    // The pickers' captions would otherwise all be called Label1, like the image check's label.
    picker->caption()->setObjectName(name(stem, "caption"));
    auto* check = new QCheckBox(picker);
    check->setObjectName(name(stem, "check"));
    picker->addToColumn(check);
    m_colours[static_cast<int>(colour)] = {picker, check};

    connect(check, &QCheckBox::clicked, this, &DocumentHelper::sampleUpdate);
    connect(picker, &ColourPicker::picked, this, [this, colour] { colourChosen(colour); });
    // Any click on the button counts, whether its dialog was confirmed or not.
    connect(picker, &ColourPicker::dialogClosed, this, [this, colour] { colourChosen(colour); });
    connect(picker, &ColourPicker::captionClicked, this, &DocumentHelper::returnFocusAndInsert);
}

QWidget* DocumentHelper::buildPreview() {
    m_tilePanel = new QWidget(this);
    m_tilePanel->setObjectName(QStringLiteral("bkpan"));
    m_tilePanel->setFixedSize(PreviewSize);
    m_tilePanel->setAutoFillBackground(true);
    for (int row = 0; row < TileRows; ++row) {
        for (int column = 0; column < TileColumns; ++column) {
            auto* tile = new PictureBox(m_tilePanel);
            tile->setObjectName(tileName(row, column));
            tile->setAutoSize(true);
            m_tiles[row * TileColumns + column] = tile;
        }
    }
    m_plainPanel = new QWidget(m_tilePanel);
    m_plainPanel->setObjectName(QStringLiteral("gifpan"));
    m_plainPanel->setGeometry(m_tilePanel->rect());
    m_plainPanel->setAutoFillBackground(true);
    for (int i = 0; i < 4; ++i) {
        const PreviewWord& w = PreviewWords[i];
        m_tileWords[i] = new QLabel(QString::fromLatin1(w.text), m_tilePanel);
        m_tileWords[i]->setObjectName(QString::fromLatin1(w.name));
        m_plainWords[i] = new QLabel(QString::fromLatin1(w.text), m_plainPanel);
        m_plainWords[i]->setObjectName(name(w.name, "2"));
        for (QLabel* word : {m_tileWords[i], m_plainWords[i]}) {
            word->move(w.left, WordTop);
            word->adjustSize();
        }
        // Above the tiles, which were made first; the plain panel still covers them all.
        m_tileWords[i]->raise();
    }
    m_plainPanel->raise();
    m_plainPanel->hide();
    return m_tilePanel;
}

ColourPicker* DocumentHelper::picker(PageColour colour) const {
    return m_colours[static_cast<int>(colour)].picker;
}

QCheckBox* DocumentHelper::colourCheck(PageColour colour) const {
    return m_colours[static_cast<int>(colour)].check;
}

PictureBox* DocumentHelper::tile(int row, int column) const {
    return m_tiles[row * TileColumns + column];
}

BodyOptions DocumentHelper::options() {
    BodyOptions o;
    o.backgroundImage = m_imageCheck->isChecked();
    o.file = m_chooser->chosenFile();
    o.documentPath = m_files.activeDocumentPath();
    o.path = chosenPathMode(m_paths);
    for (int i = 0; i < PageColourCount; ++i)
        o.colours[i] = {m_colours[i].check->isChecked(), m_colours[i].picker->colour()};
    return o;
}

void DocumentHelper::colourChosen(PageColour colour) {
    colourCheck(colour)->setChecked(true);
    sampleUpdate();
}

void DocumentHelper::sampleUpdate() {
    returnFocusAndInsert();
    const BodyCode code = bodyGenerator(options(), nativePathStyle());
    m_output->setText(code.output);
    m_sample->setText(code.sample);
    paintPreview(code);
}

void DocumentHelper::paintPreview(const BodyCode& code) {
    const QColor page =
        code.background ? colourFromBgr(*code.background) : palette().color(QPalette::Button);
    setPanelColour(m_tilePanel, page);
    setPanelColour(m_plainPanel, page);
    const quint32 words[4] = {code.text, code.link, code.alink, code.vlink};
    for (int i = 0; i < 4; ++i) {
        setWordColour(m_tileWords[i], words[i]);
        setWordColour(m_plainWords[i], words[i]);
    }
}

void DocumentHelper::backgroundClicked() {
    sampleUpdate();
    const bool on = m_imageCheck->isChecked();
    m_chooser->setEnabled(on);
    m_paths->setEnabled(on);
    m_plainPanel->setVisible(!on);
}

void DocumentHelper::folderChosen() {
    if (m_chooser->chosenFile().isEmpty())
        m_plainPanel->show();
    sampleUpdate();
}

void DocumentHelper::tileBackground() {
    returnFocusAndInsert();
    const QString file = m_chooser->chosenFile();
    if (!m_imageCheck->isChecked() || file.isEmpty())
        return;
    m_plainPanel->hide();
    // A click closes the window and frees it, so it is closed here only if still there.
    QPointer<WaitWindow> waiter = new WaitWindow;
    waiter->show();
    waiter->repaint();
    DecodedImage decoded;
    {
        const BlankPointer blank;
        // One decoding serves every tile: the tiles show the same picture.
        decoded = decodeImageFile(file);
        std::array<QSize, TileCount> kept;
        for (int i = 0; i < TileCount; ++i)
            kept[i] = m_tiles[i]->size();
        const QSize picture = decoded.image.isNull() ? QSize() : decoded.image.size();
        std::array<bool, TileCount> filled{};
        for (const PlacedTile& placed : tileLayout(picture, m_plainPanel->size(), kept)) {
            const int index = placed.row * TileColumns + placed.column;
            m_tiles[index]->setGeometry(placed.rect);
            m_tiles[index]->setPicture(decoded.image);
            filled[index] = true;
        }
        for (int i = 0; i < TileCount; ++i) {
            if (!filled[i])
                m_tiles[i]->clear();
        }
    }
    if (waiter)
        waiter->close();
    if (!decoded.refusal.isEmpty())
        context().showError(decoded.refusal);
    sampleUpdate();
}

void DocumentHelper::showOptions(const BodyOptions& options) {
    m_imageCheck->setChecked(options.backgroundImage);
    m_chooser->setEnabled(options.backgroundImage);
    m_paths->setEnabled(options.backgroundImage);
    m_plainPanel->setVisible(!options.backgroundImage);
    m_chooser->showFile(options.file);
    showPathMode(m_paths, options.path);
    for (int i = 0; i < PageColourCount; ++i) {
        m_colours[i].picker->button()->setColour(options.colours[i].value);
        m_colours[i].check->setChecked(options.colours[i].on);
    }
    sampleUpdate();
}

QString DocumentHelper::tagCode() {
    sampleUpdate();
    return m_output->text();
}

void DocumentHelper::insertCode() {
    // The tag always follows the controls as they are now.
    sampleUpdate();
    context().insertions().insertText(m_output->text());
}

} // namespace vellum
