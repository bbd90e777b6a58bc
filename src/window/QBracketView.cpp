#include "QBracketView.h"

#include <QWheelEvent>

#include <cmath>

QBracketView::QBracketView( QGraphicsScene* scene_p, QWidget* parent_p ) : QGraphicsView( scene_p, parent_p ) {}

int QBracketView::fittingZoom() const
{
    // The view scrolls over the scene's rectangle, the tree's margins
    // included: fitting less than that leaves a scroll bar.
    const QRectF drawn_cl = sceneRect();
    if( drawn_cl.isEmpty() )
        return 100;
    const QSize room_cl = viewport()->size() - QSize( 4, 4 );
    const double fit_cl = std::min( room_cl.width() / drawn_cl.width(), room_cl.height() / drawn_cl.height() ) * 100;
    return std::max( MIN_ZOOM, std::min( MAX_ZOOM, static_cast< int >( std::floor( fit_cl ) ) ) );
}

void QBracketView::wheelEvent( QWheelEvent* event_p )
{
    if( !( event_p->modifiers() & Qt::ControlModifier ) )
    {
        QGraphicsView::wheelEvent( event_p );
        return;
    }
    // A notch is a tenth more or less, around the point under the pointer.
    const double percents_cl = transform().m11() * 100;
    const double steps_cl = event_p->angleDelta().y() / 120.0;
    const int wanted_cl = std::max(
        MIN_ZOOM, std::min( MAX_ZOOM, static_cast< int >( std::lround( percents_cl * std::pow( 1.1, steps_cl ) ) ) ) );
    const ViewportAnchor anchor_cl = transformationAnchor();
    setTransformationAnchor( AnchorUnderMouse );
    emit zoomRequested( wanted_cl );
    setTransformationAnchor( anchor_cl );
    event_p->accept();
}
