#include "QBracketTreeScene.h"

#include "QGameWidget.h"
#include "bracketlayout.h"
#include "bracketpainter.h"
#include "globals.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTimer>

namespace
{
// What a piece is, whatever it looks like: its kind, where it stands in the
// bracket and whom it shows.
QString keyOf( const BracketLayout::Piece& piece_cp )
{
    QString key_l = QStringLiteral( "%1:%2:%3" ).arg( piece_cp.kind_m ).arg( piece_cp.round_m ).arg( piece_cp.game_m );
    for( const PlayerRef& player_crl : piece_cp.players_m )
        key_l += QStringLiteral( ":%1/%2" ).arg( player_crl.groupId() ).arg( player_crl.playerId() );
    if( BracketLayout::Piece::Group == piece_cp.kind_m || BracketLayout::Piece::Connector == piece_cp.kind_m )
        for( const BracketLayout::Shape& shape_crl : piece_cp.shapes_m )
            key_l += QStringLiteral( ":%1,%2" ).arg( shape_crl.rect_m.top() ).arg( shape_crl.points_m.value( 0 ).y() );
    return key_l;
}

bool sameShapes( const QVector< BracketLayout::Shape >& first_cp, const QVector< BracketLayout::Shape >& second_cp )
{
    if( first_cp.size() != second_cp.size() )
        return false;
    for( int i = 0; i < first_cp.size(); ++i )
    {
        const BracketLayout::Shape& a_crl = first_cp.at( i );
        const BracketLayout::Shape& b_crl = second_cp.at( i );
        if( a_crl.kind_m != b_crl.kind_m || a_crl.role_m != b_crl.role_m || a_crl.rect_m != b_crl.rect_m
            || a_crl.points_m != b_crl.points_m || a_crl.anchor_m != b_crl.anchor_m || a_crl.text_m != b_crl.text_m )
            return false;
    }
    return true;
}

QRectF boundsOf( const BracketLayout::Shape& shape_cp )
{
    switch( shape_cp.kind_m )
    {
    case BracketLayout::Shape::Box:
        return shape_cp.rect_m.adjusted( -2, -2, 2, 2 );
    case BracketLayout::Shape::Text:
    {
        const QFontMetricsF metrics_cl( BracketLayout::font( shape_cp.role_m ) );
        const double width_cl = metrics_cl.horizontalAdvance( shape_cp.text_m );
        double left_l = shape_cp.anchor_m.x();
        if( shape_cp.align_m & Qt::AlignRight )
            left_l -= width_cl;
        else if( shape_cp.align_m & Qt::AlignHCenter )
            left_l -= width_cl / 2;
        return QRectF( left_l, shape_cp.anchor_m.y() - metrics_cl.ascent(), width_cl, metrics_cl.height() );
    }
    default:
        return shape_cp.points_m.boundingRect().adjusted( -2, -2, 2, 2 );
    }
}

// One piece of the layout, drawn as the published bracket draws it.
class PieceItem : public QGraphicsItem
{
public:
    explicit PieceItem( const BracketLayout::Piece& piece_cp ) : piece_m( piece_cp )
    {
        for( const BracketLayout::Shape& shape_crl : piece_m.shapes_m )
            bounds_m |= boundsOf( shape_crl );
        const bool clickable_cl =
            BracketLayout::Piece::Game == piece_m.kind_m && piece_m.round_m == global::data::champ().currentRound();
        setAcceptedMouseButtons( clickable_cl ? Qt::LeftButton : Qt::NoButton );
        if( clickable_cl )
            setCursor( Qt::PointingHandCursor );
    }

    const BracketLayout::Piece& piece() const { return piece_m; }
    QRectF boundingRect() const override { return bounds_m; }
    void paint( QPainter* painter_p, const QStyleOptionGraphicsItem* option_p, QWidget* ) override
    {
        painter_p->setRenderHints( QPainter::Antialiasing | QPainter::TextAntialiasing );
        // Below a quarter of their size the texts are a grey blur: a whole
        // big bracket fitted to the window shows its shape only.
        BracketPainter::paintPiece( piece_m, *painter_p,
                                    option_p->levelOfDetailFromTransform( painter_p->worldTransform() ) >= 0.25 );
    }

protected:
    void mousePressEvent( QGraphicsSceneMouseEvent* event_p ) override
    {
        event_p->accept();
        // After this handler: recording the result lays the tree out anew,
        // and this item may go with it.
        const int round_cl = piece_m.round_m;
        const int game_cl = piece_m.game_m;
        QTimer::singleShot( 0, [ round_cl, game_cl ] { QGameWidget::recordResult( round_cl, game_cl ); } );
    }

private:
    BracketLayout::Piece piece_m;
    QRectF bounds_m;
};
}

QBracketTreeScene::QBracketTreeScene( QObject* parent_p ) : QGraphicsScene( parent_p )
{
    setBackgroundBrush( Qt::white );
}

void QBracketTreeScene::update()
{
    const Championship& champ_crl = global::data::champ();
    const BracketLayout layout_cl( champ_crl, champ_crl.fileName().isEmpty()
                                                  ? QStringLiteral( "Чемпионат" )
                                                  : QFileInfo( champ_crl.fileName() ).completeBaseName() );
    QHash< QString, QGraphicsItem* > kept_l;
    replaced_m = 0;
    for( const BracketLayout::Piece& piece_crl : layout_cl.pieces() )
    {
        const QString key_cl = keyOf( piece_crl );
        QGraphicsItem* const old_cl = items_m.take( key_cl );
        const bool clickable_cl =
            BracketLayout::Piece::Game == piece_crl.kind_m && piece_crl.round_m == champ_crl.currentRound();
        if( old_cl && sameShapes( static_cast< PieceItem* >( old_cl )->piece().shapes_m, piece_crl.shapes_m )
            && ( Qt::LeftButton == old_cl->acceptedMouseButtons() ) == clickable_cl )
        {
            kept_l.insert( key_cl, old_cl );
            continue;
        }
        delete old_cl;
        PieceItem* const item_cl = new PieceItem( piece_crl );
        addItem( item_cl );
        kept_l.insert( key_cl, item_cl );
        ++replaced_m;
    }
    qDeleteAll( items_m );
    items_m = kept_l;
    setSceneRect( QRectF( QPointF(), layout_cl.size() ) );
}
