#include "QBracketTreeScene.h"

#include "QGameWidget.h"
#include "bracketlayout.h"
#include "bracketpainter.h"
#include "globals.h"

#include <QFileInfo>
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

// One piece of the layout, drawn as the published bracket draws it.
class PieceItem : public QGraphicsItem
{
public:
    explicit PieceItem( const BracketLayout::Piece& piece_cp ) { setPiece( piece_cp ); }

    // An item shows another piece in its place: cheaper than a new item,
    // which makes the scene sort all its items again once it has painted.
    void setPiece( const BracketLayout::Piece& piece_cp )
    {
        prepareGeometryChange();
        piece_m = piece_cp;
        bounds_m = piece_cp.bounds();
        const bool clickable_cl =
            BracketLayout::Piece::Game == piece_m.kind_m && piece_m.round_m == global::data::champ().currentRound();
        setAcceptedMouseButtons( clickable_cl ? Qt::LeftButton : Qt::NoButton );
        if( clickable_cl )
            setCursor( Qt::PointingHandCursor );
        else
            unsetCursor();
        update();
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
    layout_m = std::make_unique< BracketLayout >( champ_crl, title() );
    QHash< QString, QGraphicsItem* > old_l;
    old_l.swap( items_m );
    replaced_m = 0;
    for( const BracketLayout::Piece& piece_crl : layout_m->pieces() )
    {
        const QString key_cl = freeKey( keyOf( piece_crl ) );
        QGraphicsItem* const old_cl = old_l.take( key_cl );
        const bool clickable_cl =
            BracketLayout::Piece::Game == piece_crl.kind_m && piece_crl.round_m == champ_crl.currentRound();
        if( old_cl && static_cast< PieceItem* >( old_cl )->piece().shapes_m == piece_crl.shapes_m
            && ( Qt::LeftButton == old_cl->acceptedMouseButtons() ) == clickable_cl )
        {
            items_m.insert( key_cl, old_cl );
            continue;
        }
        delete old_cl;
        addPiece( piece_crl );
    }
    qDeleteAll( old_l );
    setSceneRect( QRectF( QPointF(), layout_m->size() ) );
}

void QBracketTreeScene::showResult( int gameId_p )
{
    const Championship& champ_crl = global::data::champ();
    QVector< BracketLayout::Piece > gone_l;
    QVector< BracketLayout::Piece > come_l;
    if( !layout_m || layout_m->title() != title()
        || !layout_m->relayResult( champ_crl, champ_crl.currentRound(), gameId_p, gone_l, come_l ) )
    {
        update();
        return;
    }
    // The items of the pieces gone show the pieces come; only what is left
    // over is deleted or added.
    QList< QGraphicsItem* > free_l;
    for( const BracketLayout::Piece& piece_crl : gone_l )
        free_l.append( items_m.take( keyOfShown( piece_crl ) ) );
    free_l.removeAll( nullptr );
    replaced_m = 0;
    for( const BracketLayout::Piece& piece_crl : come_l )
    {
        if( free_l.isEmpty() )
        {
            addPiece( piece_crl );
            continue;
        }
        PieceItem* const item_cl = static_cast< PieceItem* >( free_l.takeFirst() );
        item_cl->setPiece( piece_crl );
        items_m.insert( freeKey( keyOf( piece_crl ) ), item_cl );
        ++replaced_m;
    }
    qDeleteAll( free_l );
    setSceneRect( QRectF( QPointF(), layout_m->size() ) );
}

QString QBracketTreeScene::title()
{
    const QString& fileName_crl = global::data::champ().fileName();
    return fileName_crl.isEmpty() ? QStringLiteral( "Чемпионат" ) : QFileInfo( fileName_crl ).completeBaseName();
}

void QBracketTreeScene::addPiece( const BracketLayout::Piece& piece_cp )
{
    PieceItem* const item_cl = new PieceItem( piece_cp );
    addItem( item_cl );
    items_m.insert( freeKey( keyOf( piece_cp ) ), item_cl );
    ++replaced_m;
}

QString QBracketTreeScene::freeKey( QString key_p ) const
{
    // Pieces that look alike where they stand (two headings, the groups of
    // an empty bracket) are told apart by the order they come in.
    while( items_m.contains( key_p ) )
        key_p += QLatin1Char( '#' );
    return key_p;
}

QString QBracketTreeScene::keyOfShown( const BracketLayout::Piece& piece_cp ) const
{
    QString key_l = keyOf( piece_cp );
    for( auto item_it = items_m.constFind( key_l ); item_it != items_m.cend();
         key_l += QLatin1Char( '#' ), item_it = items_m.constFind( key_l ) )
        if( static_cast< const PieceItem* >( item_it.value() )->piece().shapes_m == piece_cp.shapes_m )
            return key_l;
    return keyOf( piece_cp );
}
