// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeLabel.h"

#include "Toolkit.h"

#include <QEvent>
#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace {

// A character the font's own glyph shows as it is, with no shaping, no
// reordering and no fallback font: digits, Latin and the like.
bool plainGlyph(QChar c)
{
    if (c.isSurrogate() || c.isMark() || c.category() == QChar::Other_Format)
        return false;
    switch (c.direction()) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirRLI:
    case QChar::DirAN:
        return false;
    default:
        break;
    }
    switch (c.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
        return true;
    default:
        return false;
    }
}

} // namespace

TimeLabel::TimeLabel(QWidget *parent) : QLabel(parent), m_format(locale(), Toolkit::longTimeFormat(locale()))
{
    setTextFormat(Qt::PlainText);
    m_font = QRawFont::fromFont(font());
}

void TimeLabel::showTime(QTime time)
{
    m_time = time;
    const QString shown = m_format.text(time);
    if (shown == text())
        return;
    // The new glyphs go into the lists of the ones before last: no allocation a second.
    layOut(shown, m_spare);
    const QRect area = m_glyphs.valid && m_spare.valid ? changedArea(m_glyphs, m_spare) : contentsRect();
    std::swap(m_glyphs, m_spare);
    // QLabel would repaint all of itself for the new text: only `area` is needed,
    // and drawn now rather than through a posted request, which would wake the
    // event loop once more each second.
    const bool updatesOn = updatesEnabled();
    if (updatesOn)
        setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(shown);
    if (updatesOn) {
        setAttribute(Qt::WA_UpdatesDisabled, false);
        // Texts drawn by QLabel itself take the usual way: it paints on the widget.
        if (!m_glyphs.valid || !m_painting.paint(area, contentOf(area)))
            repaint(area);
    }
}

void TimeLabel::fixSize()
{
    setFixedSize(size());
}

void TimeLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    switch (event->type()) {
    case QEvent::LocaleChange:
        m_format = TimeOfDayFormat(locale(), Toolkit::longTimeFormat(locale()));
        if (m_time.isValid())
            showTime(m_time);
        break;
    case QEvent::PaletteChange:
        m_painting.forget();
        break;
    case QEvent::FontChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::StyleChange:
        forgetGlyphs();
        break;
    default:
        break;
    }
}

void TimeLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    forgetGlyphs();
}

void TimeLabel::paintEvent(QPaintEvent *event)
{
    if (!m_glyphs.valid) {
        QLabel::paintEvent(event);
        return;
    }
    const auto [first, end] = glyphsIn(event->rect());
    if (first == end)
        return;
    QGlyphRun run;
    run.setRawFont(m_font);
    run.setRawData(m_glyphs.indexes.constData() + first, m_glyphs.positions.constData() + first,
                   int(end - first));
    QPainter own;
    QPainter *painter = ImmediatePaint::painter(this);
    if (!painter) {
        own.begin(this); // its pen is the label's text colour
        painter = &own;
    }
    painter->drawGlyphRun(QPointF(0, 0), run);
}

std::pair<qsizetype, qsizetype> TimeLabel::glyphsIn(const QRect &area) const
{
    // The glyphs whose ink meets the area: usually the last one or two.
    const qreal from = area.left(), to = area.right() + 1;
    qsizetype first = 0, end = m_glyphs.ink.size();
    while (first < end && m_glyphs.ink[first].y() <= from)
        ++first;
    while (end > first && m_glyphs.ink[end - 1].x() >= to)
        --end;
    return { first, end };
}

QByteArray TimeLabel::contentOf(const QRect &area) const
{
    // What the area shows: the glyphs that reach into it, and where they stand.
    const auto [first, end] = glyphsIn(area);
    QByteArray content;
    for (qsizetype i = first; i < end; ++i) {
        content.append(reinterpret_cast<const char *>(&m_glyphs.indexes[i]), sizeof(quint32));
        content.append(reinterpret_cast<const char *>(&m_glyphs.positions[i]), sizeof(QPointF));
    }
    return content;
}

void TimeLabel::forgetGlyphs()
{
    m_painting.forget();
    m_font = QRawFont::fromFont(font());
    m_glyphOf.clear();
    layOut(text(), m_glyphs);
    update();
}

const TimeLabel::Glyph *TimeLabel::glyphOf(QChar c)
{
    auto found = m_glyphOf.constFind(c.unicode());
    if (found != m_glyphOf.cend())
        return &*found;
    if (!plainGlyph(c))
        return nullptr;
    const QList<quint32> indexes = m_font.glyphIndexesForString(QString(c));
    if (indexes.size() != 1 || indexes[0] == 0)
        return nullptr;
    Glyph glyph;
    glyph.index = indexes[0];
    glyph.advance = m_font.advancesForGlyphIndexes(indexes).value(0).x();
    const QRectF ink = m_font.boundingRect(glyph.index);
    glyph.inkLeft = std::min(0.0, ink.left());
    glyph.inkRight = std::max(glyph.advance, ink.right());
    return &*m_glyphOf.insert(c.unicode(), glyph);
}

void TimeLabel::layOut(const QString &shown, Glyphs &glyphs)
{
    glyphs.indexes.clear();
    glyphs.positions.clear();
    glyphs.ink.clear();
    glyphs.valid = false;
    if (!m_font.isValid() || shown.isEmpty() || layoutDirection() != Qt::LeftToRight || margin() != 0
        || indent() > 0)
        return;
    QVarLengthArray<const Glyph *, 16> found;
    qreal width = 0;
    for (const QChar c : shown) {
        const Glyph *glyph = glyphOf(c);
        if (!glyph)
            return;
        found.append(glyph);
        width += glyph->advance;
    }
    // Where the label puts one line of text in its rectangle.
    const QRectF box = contentsRect();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    qreal x = box.left();
    if (align & Qt::AlignRight)
        x = box.right() + 1 - width;
    else if (align & Qt::AlignHCenter)
        x = box.left() + (box.width() - width) / 2;
    const qreal height = m_font.ascent() + m_font.descent();
    qreal y = box.top() + m_font.ascent();
    if (align & Qt::AlignBottom)
        y = box.bottom() + 1 - m_font.descent();
    else if (align & Qt::AlignVCenter)
        y = box.top() + (box.height() - height) / 2 + m_font.ascent();
    x = std::round(x);
    y = std::round(y);
    for (const Glyph *glyph : found) {
        glyphs.indexes.append(glyph->index);
        glyphs.positions.append(QPointF(x, y));
        glyphs.ink.append(QPointF(x + glyph->inkLeft, x + glyph->inkRight));
        x += glyph->advance;
    }
    glyphs.end = x;
    glyphs.valid = true;
}

QRect TimeLabel::changedArea(const Glyphs &before, const Glyphs &after) const
{
    // From the first glyph that changed, or moved, to the last one: with
    // the same digit widths that is the last digit or two.
    const qsizetype common = std::min(before.indexes.size(), after.indexes.size());
    qsizetype first = 0;
    while (first < common && before.indexes[first] == after.indexes[first]
           && before.positions[first] == after.positions[first])
        ++first;
    const QRect box = contentsRect();
    if (first == before.indexes.size() && first == after.indexes.size())
        return {};
    qreal left = box.right(), right = std::max(before.end, after.end);
    for (const Glyphs *glyphs : { &before, &after }) {
        for (qsizetype i = first; i < glyphs->ink.size(); ++i) {
            left = std::min(left, glyphs->ink[i].x());
            right = std::max(right, glyphs->ink[i].y());
        }
    }
    // A pixel more on each side for the antialiased edges.
    const int from = std::max(box.left(), int(std::floor(left)) - 1);
    const int to = std::min(box.right(), int(std::ceil(right)) + 1);
    return QRect(QPoint(from, box.top()), QPoint(to, box.bottom()));
}
