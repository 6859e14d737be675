#include "platform/report/reportengine.h"

#include "platform/report/report.h"

#include <algorithm>

ReportEngine::ReportEngine(Report &report) : m_report(report) {}

void ReportEngine::readRows()
{
    m_rows.clear();
    std::unique_ptr<RowSource> opened;
    RowSource *source = nullptr;
    if (m_report.m_dataControl) {
        opened = m_report.m_dataControl->openRows();
        source = opened.get();
    } else if (m_report.m_rows) {
        source = m_report.m_rows.get();
        source->rewind();
    }
    if (source) {
        // The rows of a recordset all have the same fields: their index is made once.
        QStringList names;
        std::shared_ptr<const ReportRow::Index> index;
        while (source->next()) {
            QStringList now = source->fieldNames();
            if (!index || now != names) {
                names = std::move(now);
                index = ReportRow::indexOf(names);
            }
            m_rows.append(ReportRow::fromSource(*source, names, index));
        }
    }

    // Bound controls start each run empty, so that a run without rows shows no values of the
    // run before.
    m_summaries.clear();
    for (ReportSection *section : m_report.sections()) {
        for (const auto &c : section->controls()) {
            if (c->kind() == ReportControl::CheckBox) {
                auto *box = static_cast<ReportCheckBox *>(c.get());
                if (!box->dataField().isEmpty())
                    box->setValue(false);
            } else if (c->kind() == ReportControl::Picture) {
                auto *pic = static_cast<ReportPicture *>(c.get());
                if (!pic->dataField().isEmpty())
                    pic->setImage(QImage());
            }
            if (c->kind() != ReportControl::TextBox)
                continue;
            auto *box = static_cast<ReportTextBox *>(c.get());
            if (box->isBound())
                box->setValue(QVariant());
            if (box->summary() != ReportTextBox::Summary::None)
                m_summaries.insert(box, Accumulator());
        }
    }
}

void ReportEngine::setCurrent(int row)
{
    m_report.m_currentRow = (row >= 0 && row < m_rows.size()) ? m_rows.at(row) : ReportRow();
}

void ReportEngine::accumulate(const ReportRow &row)
{
    for (auto it = m_summaries.begin(); it != m_summaries.end(); ++it) {
        ReportTextBox *box = it.key();
        Accumulator &acc = it.value();
        QVariant v;
        if (box->expression())
            v = box->expression()(row);
        else if (!box->dataField().isEmpty())
            v = row.value(box->dataField());
        else
            v = 1;   // a count without a field counts rows
        if (v.isNull() || !v.isValid())
            continue;
        ++acc.count;
        if (box->summary() == ReportTextBox::Summary::Sum)
            acc.sum += v.toDouble();
    }
}

void ReportEngine::resetSummaries(const QString &groupName)
{
    for (auto it = m_summaries.begin(); it != m_summaries.end(); ++it) {
        if (!it.key()->summaryGroup().isEmpty()
            && it.key()->summaryGroup().compare(groupName, Qt::CaseInsensitive) == 0) {
            it.value() = Accumulator();
        }
    }
}

void ReportEngine::bind(ReportSection &section)
{
    const ReportRow &row = m_report.m_currentRow;
    const bool hasRow = !row.isEmpty();
    for (const auto &c : section.controls()) {
        switch (c->kind()) {
        case ReportControl::TextBox: {
            auto *box = static_cast<ReportTextBox *>(c.get());
            if (box->summary() != ReportTextBox::Summary::None) {
                const Accumulator acc = m_summaries.value(box);
                box->setValue(box->summary() == ReportTextBox::Summary::Sum
                                  ? QVariant(acc.sum) : QVariant(acc.count));
            } else if (box->expression()) {
                if (hasRow)
                    box->setValue(box->expression()(row));
            } else if (!box->dataField().isEmpty() && hasRow) {
                box->setValue(row.value(box->dataField()));
            }
            break;
        }
        case ReportControl::CheckBox: {
            auto *box = static_cast<ReportCheckBox *>(c.get());
            if (!box->dataField().isEmpty() && hasRow)
                box->setValue(row.value(box->dataField()).toBool());
            break;
        }
        case ReportControl::Picture: {
            auto *pic = static_cast<ReportPicture *>(c.get());
            if (!pic->dataField().isEmpty() && hasRow)
                pic->setValue(row.value(pic->dataField()));
            break;
        }
        default:
            break;
        }
    }
}

bool ReportEngine::prepare(ReportSection &section, Output *out)
{
    section.resetCancel();
    bind(section);
    if (section.Format)
        section.Format();
    if (section.isCancelled() || !section.isVisible() || section.height() <= 0)
        return false;
    *out = build(section);
    return true;
}

namespace {

// A printed text never loses characters: a single line that is too wide for its box takes a
// smaller font, down to kMinScale of its size; a text that would need an even smaller one,
// and a wrapping text, breaks into lines at the box's width, and the box grows to hold them.
constexpr double kMinScale = 0.8;
constexpr double kMinPoints = 6.0;

struct FittedText
{
    QRectF rect;
    QFont font;
    int flags = 0;
    double growth = 0;   // how much taller than designed
};

FittedText fitText(const ReportTextControl &t)
{
    FittedText fit{t.geometry(), t.font(), int(t.alignment()), 0};
    const QString text = t.text();
    const double width = fit.rect.width();
    bool wrap = t.wordWrap();
    if (!wrap && !text.isEmpty()) {
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const double need = TextMetrics::textWidth(fit.font, line);
        if (need > width) {
            const double size = fit.font.pointSizeF();
            const double smaller = size * width / need * 0.98;
            if (smaller >= std::max(size * kMinScale, std::min(size, kMinPoints)))
                fit.font.setPointSizeF(smaller);
            else
                wrap = true;
        }
    }
    fit.flags |= wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    if (wrap) {
        const double need = TextMetrics::wrappedHeight(fit.font, text, width);
        if (need > fit.rect.height()) {
            fit.growth = need - fit.rect.height();
            fit.rect.setHeight(need);
            fit.flags = (fit.flags & ~int(Qt::AlignVertical_Mask)) | Qt::AlignTop;
        }
    }
    return fit;
}

// The page number's text is a pattern until the page count is known; it is not fitted.
bool isFittedText(const ReportControl &c)
{
    return c.kind() == ReportControl::Label || c.kind() == ReportControl::TextBox;
}

} // namespace

ReportEngine::Output ReportEngine::build(ReportSection &section)
{
    Output out;
    out.height = section.height();

    // Texts are fitted first; a box that grows pushes down what stands below it.
    QHash<const ReportControl *, FittedText> fitted;
    QList<std::pair<QRectF, double>> grown;   // designed box, growth
    for (const auto &c : section.controls()) {
        if (!c->isVisible() || !isFittedText(*c))
            continue;
        const FittedText fit = fitText(static_cast<const ReportTextControl &>(*c));
        if (fit.growth > 0)
            grown.append({c->geometry(), fit.growth});
        fitted.insert(c.get(), fit);
    }
    auto shiftOf = [&grown](const ReportControl &c) {
        const QRectF g = c.geometry();
        double shift = 0;
        for (const auto &[box, growth] : grown) {
            if (g.top() >= box.bottom() - 0.01 && g.left() < box.right()
                && g.right() > box.left())
                shift = std::max(shift, growth);
        }
        return shift;
    };
    if (!grown.isEmpty()) {
        for (const auto &c : section.controls()) {
            if (!c->isVisible())
                continue;
            const double shift = shiftOf(*c);
            const auto fit = fitted.constFind(c.get());
            const double growth = fit != fitted.constEnd() ? fit->growth : 0;
            if (shift > 0 || growth > 0)
                out.height = std::max(out.height, c->geometry().bottom() + shift + growth);
        }
    }

    if (section.backColor().isValid()) {
        out.items.append(PageItem::makeRect(QRectF(0, 0, m_report.printWidth(), out.height), 0,
                                            Qt::black, section.backColor()));
    }

    for (const auto &c : section.controls()) {
        if (!c->isVisible())
            continue;
        const QRectF g = c->geometry();
        const double shift = grown.isEmpty() ? 0 : shiftOf(*c);
        const qsizetype first = out.items.size();
        switch (c->kind()) {
        case ReportControl::Label:
        case ReportControl::TextBox:
        case ReportControl::PageNumber: {
            auto *t = static_cast<ReportTextControl *>(c.get());
            const FittedText fit = isFittedText(*c)
                ? fitted.value(c.get())
                : FittedText{g, t->font(), int(t->alignment()) | Qt::TextSingleLine, 0};
            PageItem item = PageItem::makeText(fit.rect, t->text(), fit.font, fit.flags);
            item.color = t->foreColor();
            item.fill = t->backColor();
            if (c->kind() == ReportControl::PageNumber)
                out.pageNumberItems.append(int(out.items.size()));
            out.items.append(item);
            break;
        }
        case ReportControl::CheckBox: {
            auto *box = static_cast<ReportCheckBox *>(c.get());
            const double side = std::min(g.height(), 8.0);
            const QRectF square(g.left(), g.center().y() - side / 2, side, side);
            out.items.append(PageItem::makeRect(square, 0.6));
            if (box->value()) {
                const QPointF a(square.left() + side * 0.2, square.top() + side * 0.55);
                const QPointF b(square.left() + side * 0.42, square.bottom() - side * 0.2);
                const QPointF e(square.right() - side * 0.18, square.top() + side * 0.2);
                out.items.append(PageItem::makeLine(QLineF(a, b), 1.0));
                out.items.append(PageItem::makeLine(QLineF(b, e), 1.0));
            }
            if (!box->text().isEmpty()) {
                const QRectF textRect(square.right() + 3, g.top(), g.width() - side - 3,
                                      g.height());
                out.items.append(PageItem::makeText(textRect, box->text(), box->font(),
                                                    int(box->alignment()) | Qt::TextSingleLine));
            }
            break;
        }
        case ReportControl::Line: {
            auto *line = static_cast<ReportLine *>(c.get());
            out.items.append(PageItem::makeLine(line->line(), line->lineWeight(),
                                                line->lineColor()));
            break;
        }
        case ReportControl::Shape: {
            auto *shape = static_cast<ReportShape *>(c.get());
            out.items.append(PageItem::makeRect(g, shape->lineWeight(), shape->lineColor(),
                                                shape->fillColor()));
            break;
        }
        case ReportControl::Picture: {
            auto *pic = static_cast<ReportPicture *>(c.get());
            if (pic->image().isNull())
                break;
            QRectF target = g;
            QSizeF s = QSizeF(pic->image().size());
            s.scale(g.size(), Qt::KeepAspectRatio);
            target.setSize(s);
            const Qt::Alignment a = pic->alignment();
            if (a & Qt::AlignHCenter)
                target.moveLeft(g.left() + (g.width() - s.width()) / 2);
            else if (a & Qt::AlignRight)
                target.moveRight(g.right());
            if (a & Qt::AlignVCenter)
                target.moveTop(g.top() + (g.height() - s.height()) / 2);
            else if (a & Qt::AlignBottom)
                target.moveBottom(g.bottom());
            out.items.append(PageItem::makePicture(target, pic->image(), false));
            break;
        }
        case ReportControl::SubReport: {
            auto *sub = static_cast<ReportSubReport *>(c.get());
            if (!sub->report())
                break;
            QList<PageItem> items;
            const auto same = m_sameSubReports.constFind(sub);
            if (same != m_sameSubReports.constEnd()) {
                items = same.value();
            } else {
                Report &inner = *sub->report();
                inner.ActiveReport_ReportStart();
                ReportEngine engine(inner);
                items = engine.layOutInBox(g.size());
                inner.ActiveReport_ReportEnd();
                if (sub->sameOnEveryPage())
                    m_sameSubReports.insert(sub, items);
            }
            for (const PageItem &item : items)
                out.items.append(item.translated(g.left(), g.top()));
            break;
        }
        }
        if (shift > 0) {
            for (qsizetype i = first; i < out.items.size(); ++i)
                out.items[i] = out.items[i].translated(0, shift);
        }
    }
    return out;
}

double ReportEngine::designHeight(ReportSection &section) const
{
    return section.isVisible() ? section.height() : 0;
}

void ReportEngine::walk(const Sink &sink, bool withReportHeader)
{
    auto print = [&](ReportSection &section, double keepRoom) {
        Output out;
        if (prepare(section, &out))
            sink(section, std::move(out), keepRoom);
    };

    const int levels = m_report.groupCount();
    const int count = int(m_rows.size());
    setCurrent(count > 0 ? 0 : -1);
    if (withReportHeader)
        print(m_report.ReportHeader(), 0);

    auto firstChange = [&](int a, int b) {
        for (int j = 0; j < levels; ++j) {
            const ReportSection &header = m_report.GroupHeader(j);
            if (header.dataField().isEmpty())
                continue;
            if (header.groupKey(m_rows.at(a)) != header.groupKey(m_rows.at(b)))
                return j;
        }
        return levels;
    };

    for (int i = 0; i < count; ++i) {
        setCurrent(i);
        const int from = i == 0 ? 0 : firstChange(i - 1, i);
        for (int j = from; j < levels; ++j)
            resetSummaries(m_report.GroupHeader(j).name());
        for (int j = from; j < levels; ++j) {
            ReportSection &header = m_report.GroupHeader(j);
            double keep = 0;
            if (header.keepTogether()) {
                for (int k = j + 1; k < levels; ++k)
                    keep += designHeight(m_report.GroupHeader(k));
                keep += designHeight(m_report.Detail());
            }
            print(header, keep);
        }
        accumulate(m_rows.at(i));
        print(m_report.Detail(), 0);
        const int to = i == count - 1 ? 0 : firstChange(i, i + 1);
        for (int j = levels - 1; j >= to; --j)
            print(m_report.GroupFooter(j), 0);
    }
    print(m_report.ReportFooter(), 0);
}

void ReportEngine::append(const Output &out, double x, double y)
{
    Page &page = m_model->page(m_model->pageCount() - 1);
    const int base = int(page.items.size());
    for (const PageItem &item : out.items)
        page.items.append(item.translated(x, y));
    for (int index : out.pageNumberItems) {
        m_pageNumbers.append({m_model->pageCount() - 1, base + index,
                              out.items.at(index).text});
    }
}

void ReportEngine::newPage()
{
    // A page holds about as many items as the one before it: room for them is made at once.
    const qsizetype before = m_model->page(m_model->pageCount() - 1).items.size();
    m_model->addPage().items.reserve(before);
    m_report.m_pageNumber = m_model->pageCount();
    m_y = m_report.margins().top();
    m_pageHasBody = false;
    m_bodyBottom = m_report.paperSize().height() - m_report.margins().bottom() - footerHeight();
    Output out;
    if (prepare(m_report.PageHeader(), &out)) {
        append(out, m_report.margins().left(), m_y);
        m_y += out.height;
    }
}

double ReportEngine::footerHeight()
{
    // A footer whose texts grew takes more of the page than its design.
    Output out;
    return prepare(m_report.PageFooter(), &out) ? out.height : 0;
}

void ReportEngine::finishPage()
{
    Output out;
    if (prepare(m_report.PageFooter(), &out)) {
        const double y = m_report.paperSize().height() - m_report.margins().bottom() - out.height;
        append(out, m_report.margins().left(), y);
    }
}

void ReportEngine::placeOnPage(ReportSection &section, Output &&out, double keepRoom)
{
    const ReportSection::NewPage np = section.newPage();
    const bool before = m_breakPending || np == ReportSection::NewPageBefore
                        || np == ReportSection::NewPageBeforeAfter;
    m_breakPending = false;
    if (before && m_pageHasBody)
        breakPage(section);
    if (m_pageHasBody && m_y + out.height + keepRoom > m_bodyBottom + 0.01)
        breakPage(section);
    append(out, m_report.margins().left(), m_y);
    m_y += out.height;
    m_pageHasBody = true;
    if (np == ReportSection::NewPageAfter || np == ReportSection::NewPageBeforeAfter)
        m_breakPending = true;
}

int ReportEngine::continuedGroups(const ReportSection &section) const
{
    const int levels = m_report.groupCount();
    switch (section.kind()) {
    case ReportSection::Detail:
        return levels;
    case ReportSection::GroupHeader:
    case ReportSection::GroupFooter:
        for (int j = 0; j < levels; ++j) {
            if (&m_report.GroupHeader(j) == &section)
                return j;   // a group that starts here is not continued
            if (&m_report.GroupFooter(j) == &section)
                return j + 1;
        }
        return 0;
    default:
        return 0;
    }
}

void ReportEngine::breakPage(const ReportSection &section)
{
    finishPage();
    newPage();
    const int groups = continuedGroups(section);
    for (int j = 0; j < groups; ++j) {
        ReportSection &header = m_report.GroupHeader(j);
        Output out;
        if (!header.repeatsOnNewPage() || !prepare(header, &out))
            continue;
        append(out, m_report.margins().left(), m_y);
        m_y += out.height;
        m_pageHasBody = true;
    }
}

void ReportEngine::layOutPages(PageModel &model)
{
    m_model = &model;
    model.clear();
    model.setTitle(m_report.caption());
    model.setPageSize(m_report.pageSize());
    model.setOrientation(m_report.orientation());
    m_pageNumbers.clear();
    m_sameSubReports.clear();
    m_breakPending = false;
    readRows();

    // The report header stands above the page header on the first page.
    setCurrent(m_rows.isEmpty() ? -1 : 0);
    Output header;
    const bool hasHeader = prepare(m_report.ReportHeader(), &header);
    m_model->addPage();
    m_report.m_pageNumber = 1;
    m_y = m_report.margins().top();
    m_bodyBottom = m_report.paperSize().height() - m_report.margins().bottom() - footerHeight();
    if (hasHeader) {
        append(header, m_report.margins().left(), m_y);
        m_y += header.height;
    }
    m_pageHasBody = hasHeader;
    Output pageHeader;
    if (prepare(m_report.PageHeader(), &pageHeader)) {
        append(pageHeader, m_report.margins().left(), m_y);
        m_y += pageHeader.height;
    }
    const ReportSection::NewPage np = m_report.ReportHeader().newPage();
    m_breakPending = hasHeader && (np == ReportSection::NewPageAfter
                                   || np == ReportSection::NewPageBeforeAfter);

    walk([this](ReportSection &section, Output &&out, double keepRoom) {
        placeOnPage(section, std::move(out), keepRoom);
    }, false);
    finishPage();

    const int pages = model.pageCount();
    for (const PendingNumber &n : m_pageNumbers) {
        model.page(n.page).items[n.item].text =
            ReportPageNumber::expand(n.pattern, n.page + 1, pages);
    }
    m_model = nullptr;
}

QList<PageItem> ReportEngine::layOutInBox(const QSizeF &box)
{
    readRows();
    QList<PageItem> items;
    double y = 0;
    bool full = false;
    walk([&](ReportSection &, Output &&out, double) {
        if (full)
            return;
        if (y > 0 && y + out.height > box.height() + 0.01) {
            full = true;
            return;
        }
        for (const PageItem &item : out.items)
            items.append(item.translated(0, y));
        y += out.height;
    }, true);
    return items;
}
