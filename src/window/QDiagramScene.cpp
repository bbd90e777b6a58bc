#include "QDiagramScene.h"

#include "QGameWidget.h"
#include "QMeasuredLabel.h"
#include "championship.h"
#include "globals.h"
#include "svassert.h"

#include <QFontMetricsF>
#include <QGraphicsProxyWidget>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QSet>

QDiagramScene::QDiagramScene( QObject* parent_p ) : QGraphicsScene( parent_p ) {}

bool QDiagramScene::shows( const Championship& champ_cp )
{
    return champ_cp.rounds().isEmpty() || champ_cp.rounds().first().denominator() <= MAX_GAMES;
}

void QDiagramScene::updateDiagram()
{
    const Championship& champ_crl = global::data::champ();
    const int roundsAmount_cl = champ_crl.rounds().size();
    SV_ASSERT( roundsAmount_cl );
    if( !shows( champ_crl ) )
        return;
    if( roundsAmount_cl != gamesItems_m.size() )
        prepareRounds( roundsAmount_cl );
    else if( !playersItems_m.isEmpty() )
        clearPlayersItems();

    QMap< int, QSet< int > > placedPlayers_l;
    for( auto group_it = champ_crl.players().cbegin(); group_it != champ_crl.players().cend(); ++group_it )
        placedPlayers_l.insert( group_it.key(), QSet< int >() );

    int slot_l = 0;
    int i = 0;
    for( ; i < roundsAmount_cl && !champ_crl.rounds().at( i ).games_m.isEmpty(); ++i )
    {
        const Round& round_crl = champ_crl.rounds().at( i );
        if( gamesItems_m.at( i ).size() == round_crl.games_m.size() )
            continue;
        slot_l = 0;
        for( int gameId_l = 0; gameId_l < round_crl.games_m.size(); ++gameId_l )
        {
            placeWidget( i, gameId_l, new QGameWidget( i, gameId_l, widestText_m, holder() ), gamesItems_m[ i ],
                         false );
            const Game& game_crl = round_crl.games_m.at( gameId_l );
            if( i == champ_crl.currentRound() && UNKNOWN != game_crl.result_m )
            {
                updateWinner( gameId_l );
                placedPlayers_l[ game_crl.winner().groupId() ].insert( game_crl.winner().playerId() );
            }
            slot_l = gameId_l + 1;
        }
    }
    showChampion();
    if( i == roundsAmount_cl )
    {
        fitSceneRect();
        return;
    }

    // The players who enter round i without playing the round before follow
    // the slots of the current round's games.
    SV_ASSERT( !gamesItems_m.at( i ).size() );
    const RoundPlayers& pool_crl = champ_crl.rounds().at( i ).players_m;
    for( auto group_it = pool_crl.cbegin(); group_it != pool_crl.cend(); ++group_it )
    {
        const QSet< int > placed_cl = placedPlayers_l.value( group_it.key() );
        for( const int playerId_cl : group_it.value() )
        {
            if( placed_cl.contains( playerId_cl ) )
                continue;
            placeWidget( i, slot_l++, createPlayerLabel( PlayerRef( group_it.key(), playerId_cl ), widestText_m ),
                         playersItems_m, true );
        }
    }
    fitSceneRect();
}

void QDiagramScene::clearDiagram()
{
    for( QVector< QGraphicsProxyWidget* >& round_rl : gamesItems_m )
    {
        for( QGraphicsProxyWidget* const proxy_cl : round_rl )
        {
            removeItem( proxy_cl );
            proxy_cl->deleteLater();
        }
        round_rl.clear();
    }
    gamesItems_m.clear();
    for( QVector< QGraphicsItem* >* const items_cl : { &roundsRects_m, &roundsTitles_m } )
    {
        for( QGraphicsItem* const item_cl : *items_cl )
        {
            removeItem( item_cl );
            delete item_cl;
        }
        items_cl->clear();
    }
    clearPlayersItems();
    for( QGraphicsProxyWidget* const holder_cl : qAsConst( holders_m ) )
    {
        removeItem( holder_cl );
        holder_cl->deleteLater();
    }
    holders_m.clear();
    delete championItem_m;
    championItem_m = nullptr;
    fitSceneRect();
}

void QDiagramScene::updateWinner( int gameId_p )
{
    const Championship& champ_crl = global::data::champ();
    if( gamesItems_m.isEmpty() )
        return;
    const int current_cl = champ_crl.currentRound();
    if( QGameWidget* const game_cl = qobject_cast< QGameWidget* >(
            gamesItems_m.value( current_cl ).value( gameId_p ) ? gamesItems_m.at( current_cl ).at( gameId_p )->widget()
                                                               : nullptr ) )
        game_cl->markResult();
    if( current_cl == champ_crl.rounds().size() - 1 )
    {
        showChampion();
        fitSceneRect();
        return;
    }
    const PlayerRef winner_cl = champ_crl.rounds().at( current_cl ).game( gameId_p ).winner();
    const auto found_cl = winnersItems_m.constFind( gameId_p );
    if( winnersItems_m.cend() != found_cl )
    {
        QLabel* const foundWidget_l = qobject_cast< QLabel* >( playersItems_m.at( found_cl.value() )->widget() );
        SV_ASSERT( nullptr != foundWidget_l );
        foundWidget_l->setText( champ_crl.playerText( winner_cl ) );
        foundWidget_l->setProperty( "player", QPoint( winner_cl.groupId(), winner_cl.playerId() ) );
        return;
    }
    winnersItems_m.insert(
        gameId_p,
        placeWidget( current_cl + 1, gameId_p, createPlayerLabel( winner_cl, widestText_m ), playersItems_m, true ) );
    fitSceneRect();
}

QString QDiagramScene::championText()
{
    const Championship& champ_crl = global::data::champ();
    if( champ_crl.rounds().isEmpty() || 1 != champ_crl.rounds().last().denominator()
        || champ_crl.rounds().last().games_m.size() != 1
        || UNKNOWN == champ_crl.rounds().last().games_m.first().result_m )
        return QString();
    const Game& final_crl = champ_crl.rounds().last().games_m.first();
    const int nation_cl = EXPECTED == final_crl.result_m ? final_crl.favoriteNation_m : final_crl.outsiderNation_m;
    return QStringLiteral( "Чемпион: %1 (%2)" )
        .arg( champ_crl.playerText( final_crl.winner() ), champ_crl.nationName( nation_cl ) );
}

void QDiagramScene::updatePlayerTexts( const PlayerRef& player_cp )
{
    const Championship& champ_crl = global::data::champ();
    if( gamesItems_m.isEmpty() )
        return;
    // A name wider than every text the cells were sized for needs wider
    // cells: the bracket is laid out anew.
    const QString text_cl = champ_crl.playerText( player_cp );
    if( QFontMetricsF( font() ).horizontalAdvance( text_cl )
        > QFontMetricsF( font() ).horizontalAdvance( widestText_m ) )
    {
        clearDiagram();
        updateDiagram();
        return;
    }
    for( int r = 0; r < gamesItems_m.size(); ++r )
        for( QGraphicsProxyWidget* const proxy_cl : gamesItems_m.at( r ) )
        {
            QGameWidget* const game_cl = qobject_cast< QGameWidget* >( proxy_cl->widget() );
            const Game& game_crl = champ_crl.rounds().at( r ).game( game_cl->gameId() );
            if( game_crl.favorite_m == player_cp || game_crl.outsider_m == player_cp )
                game_cl->refreshNames();
        }
    for( QGraphicsProxyWidget* const proxy_cl : playersItems_m )
        if( proxy_cl->widget()->property( "player" ).toPoint() == QPoint( player_cp.groupId(), player_cp.playerId() ) )
            qobject_cast< QLabel* >( proxy_cl->widget() )->setText( text_cl );
}

void QDiagramScene::prepareRounds( int roundsAmount_p )
{
    const Championship& champ_crl = global::data::champ();
    gamesItems_m.resize( roundsAmount_p );
    const QFontMetricsF metrics_cl( font() );
    const double height_cl = metrics_cl.height();

    // Every text a game widget or a label may show decides the cell width.
    const Round& first_crl = champ_crl.rounds().at( 0 );
    widestText_m = gameTitle( first_crl.denominator(), first_crl.games_m.size() + 1 );
    double maxWidth_l = metrics_cl.horizontalAdvance( widestText_m );
    for( auto group_it = champ_crl.players().cbegin(); group_it != champ_crl.players().cend(); ++group_it )
        for( auto player_it = group_it.value().cbegin(); player_it != group_it.value().cend(); ++player_it )
            checkWidestText( champ_crl.playerText( PlayerRef( group_it.key(), player_it.key() ) ), metrics_cl,
                             maxWidth_l );
    for( const QString& name_crl : champ_crl.nationsNames() )
        checkWidestText( QStringLiteral( "(%1)" ).arg( name_crl ), metrics_cl, maxWidth_l );

    titleHeight_m = 1.1 * height_cl;
    diagramWidth_m = first_crl.denominator() * ( 1.5 * maxWidth_l );
    roundHeight_m = titleHeight_m + 2.5 * ( 6 * height_cl );

    const QBrush brush_cl( QColor( 227, 147, 147, 255 ), Qt::SolidPattern );
    const QPen pen_cl;
    roundsRects_m.reserve( roundsAmount_p );
    for( int i = roundsAmount_p - 1; i >= 0; --i )
    {
        roundsRects_m.append( addRect( 0, i * roundHeight_m, diagramWidth_m, roundHeight_m, pen_cl, brush_cl ) );
        QGraphicsTextItem* const title_cl = addText( roundTitle( champ_crl.rounds().at( i ).denominator() ), QFont() );
        roundsTitles_m.append( title_cl );
        title_cl->setPos( 0.5 * diagramWidth_m - 0.5 * title_cl->boundingRect().width(), i * roundHeight_m );
    }
}

void QDiagramScene::clearPlayersItems()
{
    for( QGraphicsProxyWidget* const proxy_cl : playersItems_m )
    {
        removeItem( proxy_cl );
        proxy_cl->deleteLater();
    }
    playersItems_m.clear();
    winnersItems_m.clear();
}

int QDiagramScene::placeWidget( int roundId_p, int slot_p, QWidget* widget_p,
                                QVector< QGraphicsProxyWidget* >& items_rp, bool halfCells_p )
{
    // Made in a holder: a widget made alone and moved in costs twice.
    QWidget* const holder_cl = widget_p->parentWidget();
    SV_ASSERT( holder_cl && holder_cl->graphicsProxyWidget() );
    // Polished before it is measured: polishing afterwards would undo the
    // layout and queue a request to lay it out again, and the queue of a
    // thousand such requests is searched on every new one.
    widget_p->ensurePolished();
    widget_p->adjustSize();
    QGraphicsProxyWidget* const proxy_cl = new QGraphicsProxyWidget( holder_cl->graphicsProxyWidget() );
    proxy_cl->setWidget( widget_p );
    const int index_cl = items_rp.size();
    items_rp.append( proxy_cl );
    const double cell_cl = ( halfCells_p ? diagramWidth_m / 2 : diagramWidth_m )
                           / global::data::champ().rounds().at( roundId_p ).denominator();
    const double width_cl = widget_p->width();
    const double height_cl = widget_p->height();
    proxy_cl->setPos( slot_p * cell_cl + ( cell_cl - width_cl ) / 2,
                      roundId_p * roundHeight_m + titleHeight_m + ( roundHeight_m - height_cl ) / 2 );
    return index_cl;
}

QWidget* QDiagramScene::holder()
{
    // The boxes are children of embedded holder widgets, each with a proxy
    // of its own: a top-level widget gets a native window when shown, and
    // on X hundreds of them cost more than the whole diagram. A holder takes
    // no more than HOLDER_BOXES boxes: drawing a box walks every widget of
    // its holder first. The holders draw nothing, above the rows.
    if( holders_m.isEmpty() || holders_m.last()->childItems().size() >= HOLDER_BOXES )
    {
        QWidget* const holder_cl = new QWidget();
        holder_cl->setFixedSize( 0, 0 );
        QGraphicsProxyWidget* const item_cl = addWidget( holder_cl );
        item_cl->setFlag( QGraphicsItem::ItemHasNoContents );
        item_cl->setZValue( 1 );
        holders_m.append( item_cl );
    }
    return holders_m.last()->widget();
}

QLabel* QDiagramScene::createPlayerLabel( const PlayerRef& player_cp, const QString& widestText_cp )
{
    QLabel* const label_l = new QMeasuredLabel( global::data::champ().playerText( player_cp ), holder() );
    label_l->setProperty( "player", QPoint( player_cp.groupId(), player_cp.playerId() ) );
    label_l->setAlignment( Qt::AlignCenter );
    const QFontMetrics metrics_cl( label_l->font() );
    label_l->setMinimumWidth( metrics_cl.horizontalAdvance( widestText_cp ) );
    label_l->setMinimumHeight( 2 * metrics_cl.height() );
    return label_l;
}

void QDiagramScene::showChampion()
{
    const QString text_cl = championText();
    if( text_cl.isEmpty() )
    {
        delete championItem_m;
        championItem_m = nullptr;
        return;
    }
    if( !championItem_m )
    {
        championItem_m = addSimpleText( QString() );
        QFont font_l = font();
        font_l.setBold( true );
        font_l.setPointSizeF( font_l.pointSizeF() * 1.5 );
        championItem_m->setFont( font_l );
    }
    championItem_m->setText( text_cl );
    championItem_m->setPos( 0.5 * ( diagramWidth_m - championItem_m->boundingRect().width() ),
                            global::data::champ().rounds().size() * roundHeight_m + titleHeight_m );
}

void QDiagramScene::fitSceneRect()
{
    setSceneRect( itemsBoundingRect() );
}

void QDiagramScene::checkWidestText( const QString& text_cp, const QFontMetricsF& metrics_cp, double& maxWidth_rp )
{
    const double width_cl = metrics_cp.horizontalAdvance( text_cp );
    if( width_cl <= maxWidth_rp )
        return;
    maxWidth_rp = width_cl;
    widestText_m = text_cp;
}
