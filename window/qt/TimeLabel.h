// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QTime>

// The label that shows the time of day once a second, at little cost: the
// locale's time format is worked out once (again when the label's locale
// changes), the label keeps its size so a new text never asks for a new
// layout, and only the part of it whose characters changed is drawn again,
// from glyphs looked up in the font instead of shaped anew. Texts the font
// cannot show glyph by glyph (complex scripts, fallback fonts) are drawn by
// the label as usual. Screen readers see a plain label whose name is the time.
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
    struct Glyphs
    {
        QList<quint32> indexes;
        QList<QPointF> positions;
        qreal end = 0; // where the pen stands after the last glyph
        bool valid = false;
    };

    Glyphs glyphsFor(const QString &text) const;
    QRect changedArea(const Glyphs &before, const Glyphs &after) const;
    void forgetGlyphs();

    QString m_format;
    QTime m_time;
    QRawFont m_font;
    Glyphs m_glyphs;
};
