#include "ui/library/special_chars_helper.h"

#include "core/editor/insertion.h"
#include "ui/helpers/helper_context.h"

#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace vellum {

namespace {

// The narrowest a cell may be, as the table was first laid out.
constexpr int MinCellWidth = 16;

// The banner above the special table: the helper's name on a band of the title strip's navy.
QPixmap banner(int width, int height) {
    QPixmap picture(width, height);
    picture.fill(QColor(0, 0, 128));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("&amp; \u00a9 \u00e9 \u20ac"));
    return picture;
}

template <size_t Rows>
void fill(QTableWidget* table,
          const std::array<std::array<CharCell, CharTables::Columns>, Rows>& cells) {
    for (size_t row = 0; row < Rows; ++row) {
        for (size_t column = 0; column < CharTables::Columns; ++column) {
            auto* item = new QTableWidgetItem(cells[row][column].glyph);
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            // The text to insert lies where the glyph is shown.
            item->setData(Qt::UserRole, cells[row][column].text);
            table->setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
}

// The room every glyph of the tables needs, in the tables' font: measured through the text
// engine, so that glyphs drawn from a fallback font count with their own size. A font given in
// pixels has no point size, so nothing here is taken from it.
QSize glyphRoom(const QFontMetrics& metrics, const CharTables& tables) {
    int width = 0;
    int height = metrics.height();
    auto measure = [&](const CharCell& cell) {
        if (cell.glyph.isEmpty())
            return;
        width = std::max(width, metrics.horizontalAdvance(cell.glyph));
        height = std::max(height, metrics.boundingRect(cell.glyph).height());
    };
    for (const auto& row : tables.special)
        std::for_each(row.begin(), row.end(), measure);
    for (const auto& row : tables.extended)
        std::for_each(row.begin(), row.end(), measure);
    return {width, height};
}

} // namespace

SpecialCharactersHelper::SpecialCharactersHelper(HelperContext& context, const HelperTraits& traits,
                                                 const QString& libraryDir)
    : HelperFrame(context, traits) {
    setObjectName(QStringLiteral("Tspecials"));
    const CharTables tables = CharTables::read(QDir(libraryDir).filePath(QStringLiteral("chars")));
    m_special = makeTable("charsgrid", CharTables::SpecialRows);
    m_extended = makeTable("extendgrid", CharTables::ExtendedRows);
    fill(m_special, tables.special);
    fill(m_extended, tables.extended);
    const QSize cell = sizeTables(tables);

    // The special table sits under a banner; the extended table is drawn over both.
    auto* specialPage = new QWidget(this);
    auto* specialLayout = new QVBoxLayout(specialPage);
    specialLayout->setContentsMargins(0, 0, 0, 0);
    specialLayout->setSpacing(0);
    auto* image = new QLabel(specialPage);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(banner(m_special->width(), 3 * cell.height()));
    m_focusHolder = new QRadioButton(specialPage);
    m_focusHolder->setObjectName(QStringLiteral("RadioButton1"));
    specialLayout->addWidget(image);
    specialLayout->addWidget(m_special);
    specialLayout->addWidget(m_focusHolder);
    auto* pages = new QWidget(this);
    auto* stack = new QStackedLayout(pages);
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->addWidget(specialPage);
    stack->addWidget(m_extended);
    stack->setAlignment(m_extended, Qt::AlignTop | Qt::AlignLeft);
    m_extended->hide();
    body()->addWidget(pages);

    m_switch = new QPushButton(QStringLiteral("extended"), this);
    m_switch->setObjectName(QStringLiteral("SpeedButton1"));
    m_switch->setFlat(true);
    body()->addWidget(m_switch);
    connect(m_switch, &QPushButton::clicked, this, &SpecialCharactersHelper::switchTables);
    connect(m_focusHolder, &QRadioButton::clicked, this,
            &SpecialCharactersHelper::returnFocusAndInsert);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* switchItem = m_popup->addAction(QStringLiteral("Extended"));
    switchItem->setObjectName(QStringLiteral("Extended1"));
    connect(switchItem, &QAction::triggered, this, &SpecialCharactersHelper::switchTables);
    connect(m_popup, &QMenu::aboutToShow, this,
            [this, switchItem] { switchItem->setText(m_switch->text()); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    for (QWidget* owner : {static_cast<QWidget*>(this), static_cast<QWidget*>(m_special),
                           static_cast<QWidget*>(m_extended)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { m_popup->popup(owner->mapToGlobal(at)); });
    }

    finishSetUp();
    m_focusHolder->setFocus();
}

QTableWidget* SpecialCharactersHelper::makeTable(const char* name, int rows) {
    auto* table = new QTableWidget(rows, CharTables::Columns, this);
    table->setObjectName(QString::fromLatin1(name));
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setCurrentCell(0, 0);
    connect(table, &QTableWidget::cellDoubleClicked, this,
            &SpecialCharactersHelper::InsertCodeClick);
    return table;
}

QSize SpecialCharactersHelper::sizeTables(const CharTables& tables) {
    const QSize room = glyphRoom(m_special->fontMetrics(), tables);
    // The item view keeps a margin on each side of a cell's text, and the grid takes a line.
    const int margin =
        2 * (m_special->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_special) +
             1) +
        1;
    const QSize cell(std::max(MinCellWidth, room.width() + margin), room.height() + 7);
    for (QTableWidget* table : {m_special, m_extended}) {
        // The smallest size first, or a style's larger smallest size would widen every cell.
        for (QHeaderView* header : {table->horizontalHeader(), table->verticalHeader()})
            header->setMinimumSectionSize(0);
        table->horizontalHeader()->setDefaultSectionSize(cell.width());
        table->verticalHeader()->setDefaultSectionSize(cell.height());
        for (int column = 0; column < table->columnCount(); ++column)
            table->setColumnWidth(column, cell.width());
        for (int row = 0; row < table->rowCount(); ++row)
            table->setRowHeight(row, cell.height());
        const int frame = 2 * table->frameWidth();
        table->setFixedSize(table->columnCount() * cell.width() + frame,
                            table->rowCount() * cell.height() + frame);
    }
    return cell;
}

bool SpecialCharactersHelper::extendedShown() const {
    return !m_extended->isHidden();
}

void SpecialCharactersHelper::switchTables() {
    const bool toExtended = m_switch->text() == QLatin1String("extended");
    m_extended->setVisible(toExtended);
    // Drawn over the banner and the special table, so that it is what the user sees and clicks.
    if (toExtended)
        m_extended->raise();
    m_switch->setText(toExtended ? QStringLiteral("special") : QStringLiteral("extended"));
    returnFocusAndInsert();
}

void SpecialCharactersHelper::insertCode() {
    const QTableWidget* table = extendedShown() ? m_extended : m_special;
    const QTableWidgetItem* cell = table->item(table->currentRow(), table->currentColumn());
    // An empty cell inserts nothing: the selection and the undo history stay as they are.
    context().insertions().insertText(cell ? cell->data(Qt::UserRole).toString() : QString());
}

} // namespace vellum
