#include "ui/editor/page_check_window.h"

#include "ui/editor/page_check_marks.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vellum {

namespace {

enum Part { LinePart, ColumnPart, KindPart, MessagePart };

// The small round mark of a kind, in the colour its findings are underlined with.
QIcon drawKindMark(FindingKind kind) {
    QPixmap mark(12, 12);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(findingColour(kind));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    painter.end();
    return QIcon(mark);
}

QLabel* line(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

PageCheckWindow::PageCheckWindow(QWidget& main)
    : QDialog(&main, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_caption(line("CheckedPage", this)), m_state(line("CheckState", this)),
      m_note(line("CheckNote", this)), m_list(new QTreeWidget(this)),
      // Drawn once for each kind: a page may have tens of thousands of findings.
      m_marks{drawKindMark(FindingKind::Error), drawKindMark(FindingKind::Warning),
              drawKindMark(FindingKind::Link)} {
    setObjectName(QStringLiteral("PageCheck"));
    setWindowTitle(QStringLiteral("Page Check"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_note->setWordWrap(true);
    m_note->hide();

    m_list->setObjectName(QStringLiteral("Findings"));
    m_list->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Column"),
                             QStringLiteral("Kind"), QStringLiteral("Message")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);
    m_list->header()->setSectionsMovable(false);
    // A double-click on a row and Enter on the current row both activate it.
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit findingChosen(item->data(LinePart, Qt::UserRole).toInt());
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_note);
    layout->addWidget(m_state);
    layout->addWidget(m_list, 1);
    resize(520, 240);
}

void PageCheckWindow::showChecking(const QString& caption) {
    m_caption->setText(caption);
    m_state->setText(QString::fromUtf16(Checking));
    m_state->show();
    m_note->hide();
    m_list->clear();
}

void PageCheckWindow::showResult(const QString& caption, const PageCheckResult& result) {
    m_caption->setText(caption);
    m_note->setText(result.note);
    m_note->setVisible(!result.note.isEmpty());
    m_state->setText(QString::fromUtf16(NoFindings));
    m_state->setVisible(result.findings.isEmpty());
    m_list->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < result.findings.size(); ++i) {
        const Finding& finding = result.findings[i];
        auto* row =
            new QTreeWidgetItem({QString::number(finding.line), QString::number(finding.column),
                                 findingKindText(finding.kind), finding.message});
        row->setData(LinePart, Qt::UserRole, i);
        row->setIcon(KindPart, m_marks[static_cast<int>(finding.kind)]);
        for (const Part number : {LinePart, ColumnPart})
            row->setTextAlignment(number, Qt::AlignRight | Qt::AlignVCenter);
        rows.push_back(row);
    }
    m_list->addTopLevelItems(rows);
    for (const Part column : {LinePart, ColumnPart, KindPart})
        m_list->resizeColumnToContents(column);
    if (!rows.isEmpty())
        m_list->setCurrentItem(rows.first());
}

} // namespace vellum
