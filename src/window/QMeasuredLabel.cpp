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
    // indent): the text and the font decide the hints. A long session of
    // ever new names starts afresh rather than grow without end.
    static constexpr int CACHE_LIMIT = 1 << 16;
    static QHash< QString, Hints > measured_s;
    const QString key_cl = font().key() + QLatin1Char( '\n' ) + text();
    const auto found_cl = measured_s.constFind( key_cl );
    if( found_cl != measured_s.cend() )
        return found_cl.value();
    if( measured_s.size() >= CACHE_LIMIT )
        measured_s.clear();
    return *measured_s.insert( key_cl, Hints { QLabel::sizeHint(), QLabel::minimumSizeHint() } );
}
