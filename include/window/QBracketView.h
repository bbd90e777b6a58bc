#ifndef SORTIVANE_QBRACKETVIEW_H
#define SORTIVANE_QBRACKETVIEW_H

#include <QGraphicsView>

// The view over the bracket, zoomed by the window's slider, by Ctrl and the
// mouse wheel around the pointer, or to fit the whole bracket.
class QBracketView : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr int MIN_ZOOM = 5;
    static constexpr int MAX_ZOOM = 400;

    QBracketView( QGraphicsScene* scene_p, QWidget* parent_p );

    // The zoom that shows the whole of what is drawn, within the bounds.
    int fittingZoom() const;

signals:
    // Ctrl and the wheel ask for this zoom, in percent.
    void zoomRequested( int percents_p );

protected:
    void wheelEvent( QWheelEvent* event_p ) override;
};

#endif
