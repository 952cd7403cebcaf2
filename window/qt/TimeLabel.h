// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QLabel>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QTime>

#include <utility>

#include "ImmediatePaint.h"
#include "TimeOfDayFormat.h"

// The label that shows the time of day once a second, at little cost: the
// locale's time format is applied once a minute (the seconds are put in), the
// label keeps its size so a new text never asks for a new layout, and only the
// part of it whose characters changed is drawn again, straight into the
// window, from glyphs looked up in the font once per character instead of
// shaped anew; a part drawn before with the same glyphs is copied back. Texts
// the font cannot show glyph by glyph (complex scripts, fallback fonts) are
// drawn by the label as usual. Screen readers see a plain label whose name is
// the time.
class TimeLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TimeLabel(QWidget *parent = nullptr);

    void showTime(QTime time);
    // Keeps the present size for good: a fixed size makes a new text skip the relayout.
    void fixSize();

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A character's glyph in the label's font, and the horizontal extent of its ink.
    struct Glyph
    {
        quint32 index = 0;
        qreal advance = 0;
        qreal inkLeft = 0;
        qreal inkRight = 0;
    };

    struct Glyphs
    {
        QList<quint32> indexes;
        QList<QPointF> positions;
        QList<QPointF> ink; // left and right end of each glyph's ink, in the label
        qreal end = 0; // where the pen stands after the last glyph
        bool valid = false;
    };

    const Glyph *glyphOf(QChar c);
    void layOut(const QString &text, Glyphs &glyphs);
    std::pair<qsizetype, qsizetype> glyphsIn(const QRect &area) const;
    QByteArray contentOf(const QRect &area) const;
    QRect changedArea(const Glyphs &before, const Glyphs &after) const;
    void forgetGlyphs();

    TimeOfDayFormat m_format;
    QTime m_time;
    QRawFont m_font;
    QHash<char16_t, Glyph> m_glyphOf; // the characters seen in the label's font so far
    Glyphs m_glyphs;
    Glyphs m_spare;
    ImmediatePaint m_painting{ this };
};
