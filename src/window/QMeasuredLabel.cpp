#include "QMeasuredLabel.h"

#include <QHash>

QMeasuredLabel::QMeasuredLabel( const QString& text_cp, QWidget* parent_p ) : QLabel( parent_p )
{
    // A name is shown as typed, even one that looks like markup.
    setTextFormat( Qt::PlainText );
    setText( text_cp );
}

QSize QMeasuredLabel::sizeHint() const
{
    return hints().size_m;
}

QSize QMeasuredLabel::minimumSizeHint() const
{
    return hints().minimum_m;
}

QMeasuredLabel::Hints QMeasuredLabel::hints() const
{
    // Every bracket label is set up alike (centred plain text, no margin or
    // indent): the text and the font decide the hints. The labels share one
    // font, whose change starts the measures afresh, as does a long session
    // of ever new names.
    static constexpr int CACHE_LIMIT = 1 << 16;
    static QFont font_s;
    static QHash< QString, Hints > measured_s;
    if( font() != font_s || measured_s.size() >= CACHE_LIMIT )
    {
        font_s = font();
        measured_s.clear();
    }
    const auto found_cl = measured_s.constFind( text() );
    if( found_cl != measured_s.cend() )
        return found_cl.value();
    if( text().isEmpty() )
        return *measured_s.insert( text(), Hints { QLabel::sizeHint(), QLabel::minimumSizeHint() } );
    // One line of plain text: QLabel measures it three times for its two
    // hints, which come out the same. Measured once, as QLabel does: with
    // no alignment flags, in a box of 2,000 pixels.
    const QMargins margins_cl = contentsMargins();
    const QSize size_cl = fontMetrics().boundingRect( 0, 0, 2000, 2000, 0, text() ).size()
                          + QSize( margins_cl.left() + margins_cl.right(), margins_cl.top() + margins_cl.bottom() );
    return *measured_s.insert( text(), Hints { size_cl, size_cl } );
}
