#include "QTossThread.h"
#include "bracketlayout.h"
#include "bracketmarkup.h"
#include "bracketpainter.h"
#include "exportcommand.h"
#include "globaldata.h"
#include "modelsupport.h"
#include "playedchampionship.h"
#include "savefile.h"

#include <QBuffer>
#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>
#include <QtTest>

#include "systemsupport.h"

#include <cmath>

namespace
{
using Piece = BracketLayout::Piece;

struct Segment
{
    QPointF from_m;
    QPointF to_m;
    int link_m;
};

// Whether two horizontal or vertical segments meet anywhere, touching
// included: then their bounding boxes, which are the segments, overlap.
bool meet( const Segment& a_cp, const Segment& b_cp )
{
    const QRectF a_cl = QRectF( a_cp.from_m, a_cp.to_m ).normalized();
    const QRectF b_cl = QRectF( b_cp.from_m, b_cp.to_m ).normalized();
    return std::max( a_cl.left(), b_cl.left() ) <= std::min( a_cl.right(), b_cl.right() )
           && std::max( a_cl.top(), b_cl.top() ) <= std::min( a_cl.bottom(), b_cl.bottom() );
}

QRectF boxOf( const Piece& piece_cp )
{
    return piece_cp.shapes_m.first().rect_m;
}

QString text( const QDomElement& element_cp )
{
    return element_cp.text();
}

// Elements under parent_cp (itself included) with the given class among theirs.
QList< QDomElement > withClass( const QDomElement& parent_cp, const QString& class_cp )
{
    QList< QDomElement > found_l;
    if( parent_cp.attribute( QStringLiteral( "class" ) ).split( QLatin1Char( ' ' ) ).contains( class_cp ) )
        found_l << parent_cp;
    for( QDomElement child_l = parent_cp.firstChildElement(); !child_l.isNull();
         child_l = child_l.nextSiblingElement() )
        found_l += withClass( child_l, class_cp );
    return found_l;
}

QList< QDomElement > withClass( const QDomDocument& document_cp, const QString& class_cp )
{
    return withClass( document_cp.documentElement(), class_cp );
}

int runExport( const QStringList& arguments_cp, QString* errors_rp = nullptr )
{
    QString out_l;
    QString err_l;
    QTextStream outStream_l( &out_l );
    QTextStream errStream_l( &err_l );
    const int code_cl = ExportCommand::run( QStringList { QStringLiteral( "sortivane-export" ) } + arguments_cp,
                                            outStream_l, errStream_l );
    errStream_l.flush();
    if( errors_rp )
        *errors_rp = err_l;
    return code_cl;
}

int decidedGames( const Championship& champ_cp )
{
    int decided_l = 0;
    for( const Round& round_crl : champ_cp.rounds() )
        for( const Game& game_crl : round_crl.games_m )
            decided_l += UNKNOWN != game_crl.result_m;
    return decided_l;
}

// The pieces of a layout by what they show, whatever their order.
QMap< QString, QVector< BracketLayout::Shape > > piecesByKey( const BracketLayout& layout_cp )
{
    QMap< QString, QVector< BracketLayout::Shape > > pieces_l;
    for( const Piece& piece_crl : layout_cp.pieces() )
    {
        QString key_l =
            QStringLiteral( "%1 %2 %3" ).arg( piece_crl.kind_m ).arg( piece_crl.round_m ).arg( piece_crl.game_m );
        for( const PlayerRef& player_crl : piece_crl.players_m )
            key_l += QStringLiteral( " %1/%2" ).arg( player_crl.groupId() ).arg( player_crl.playerId() );
        pieces_l.insert( key_l, piece_crl.shapes_m );
    }
    return pieces_l;
}

int drawnGames( const Championship& champ_cp )
{
    int drawn_l = 0;
    for( const Round& round_crl : champ_cp.rounds() )
        drawn_l += round_crl.games_m.size();
    return drawn_l;
}
}

class tst_Export : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void publishingKeepsToItsTarget_data();
    void publishingKeepsToItsTarget();
    void bracketIsATreeWithoutCrossings_data();
    void bracketIsATreeWithoutCrossings();
    void playerFromNowhereGetsNoLine();
    void relaidResultMatchesAFreshLayout_data();
    void relaidResultMatchesAFreshLayout();
    void undrawnChampionshipListsGroups();
    void eachColumnAndBoxStateHasItsOwnLook();
    void svgAndHtmlShowTheBracket_data();
    void svgAndHtmlShowTheBracket();
    void publishedBracketNamesTheRightPeople_data();
    void publishedBracketNamesTheRightPeople();
    void longNicknameKeepsFullText();
    void longNamesLoseTheClanFirst_data();
    void longNamesLoseTheClanFirst();
    void verifiesRecordedDraws_data();
    void verifiesRecordedDraws();
    void everyAcceptedCorpusFileIsPublished();
    void pngHasLayoutSizeAndIsDrawn_data();
    void pngHasLayoutSizeAndIsDrawn();
    void tallPngIsDrawnToTheBottom();
    void exitCodes_data();
    void exitCodes();
    void failedWriteKeepsPreviousFile();
};

// A test that never ends fails within a minute.
void tst_Export::initTestCase()
{
    guardTestProgram();
}

void tst_Export::bracketIsATreeWithoutCrossings_data()
{
    QTest::addColumn< int >( "players" );
    QTest::addColumn< int >( "rounds" );
    QTest::addColumn< int >( "decided" );
    QTest::addColumn< int >( "nickname" ); // length the nicknames are padded to
    const int sizes_cl[] = { 2, 3, 4, 5, 7, 12, 16, 33, 100, 255, 300 };
    for( const int players_cl : sizes_cl )
    {
        QTest::addRow( "%d players, played", players_cl ) << players_cl << -1 << -1 << 0;
        QTest::addRow( "%d players, first round half decided", players_cl ) << players_cl << 1 << players_cl / 4 << 0;
        QTest::addRow( "%d players, second round drawn", players_cl ) << players_cl << 2 << 0 << 0;
        QTest::addRow( "%d players, third round partly decided", players_cl ) << players_cl << 3 << 1 << 0;
    }
    for( const int players_cl : { 5, 33 } )
        QTest::addRow( "%d players, 64-letter nicknames", players_cl )
            << players_cl << -1 << -1 << int( Player::MAX_TYPED_LENGTH );
}

// No two lines meet; every game lies between the two games it came from;
// every drawn game stands in its round's column once, with its players.
void tst_Export::bracketIsATreeWithoutCrossings()
{
    QFETCH( int, players );
    QFETCH( int, rounds );
    QFETCH( int, decided );
    QFETCH( int, nickname );
    const Championship champ_cl =
        playedChampionship( players, unsigned( players * 31 + rounds ), rounds, decided, nickname );
    const BracketLayout layout_cl( champ_cl, QStringLiteral( "t" ) );
    // No name is cut inside its nickname; a clan may be.
    for( const Piece& piece_crl : layout_cl.pieces() )
        for( int i = 0; i < piece_crl.players_m.size() && Piece::Group != piece_crl.kind_m; ++i )
            for( const BracketLayout::Shape& shape_crl : piece_crl.shapes_m )
                if( !shape_crl.fullText_m.isEmpty()
                    && shape_crl.fullText_m == champ_cl.playerText( piece_crl.players_m.at( i ) ) )
                    QVERIFY2( shape_crl.text_m.endsWith( champ_cl.players()
                                                             .value( piece_crl.players_m.at( i ).groupId() )
                                                             .value( piece_crl.players_m.at( i ).playerId() )
                                                             .nickname_m ),
                              qPrintable( shape_crl.text_m ) );

    QVector< Segment > segments_l;
    QMap< QPair< int, int >, const Piece* > games_l;
    QVector< const Piece* > links_l;
    for( const Piece& piece_crl : layout_cl.pieces() )
        if( Piece::Game == piece_crl.kind_m )
        {
            QVERIFY( !games_l.contains( qMakePair( piece_crl.round_m, piece_crl.game_m ) ) );
            games_l.insert( qMakePair( piece_crl.round_m, piece_crl.game_m ), &piece_crl );
        }
        else if( Piece::Connector == piece_crl.kind_m )
        {
            const QPolygonF& points_crl = piece_crl.shapes_m.first().points_m;
            for( int i = 0; i + 1 < points_crl.size(); ++i )
            {
                QVERIFY( points_crl.at( i ).x() == points_crl.at( i + 1 ).x()
                         || points_crl.at( i ).y() == points_crl.at( i + 1 ).y() );
                segments_l.append( Segment { points_crl.at( i ), points_crl.at( i + 1 ), links_l.size() } );
            }
            links_l.append( &piece_crl );
        }
    for( int i = 0; i < segments_l.size(); ++i )
        for( int j = i + 1; j < segments_l.size(); ++j )
            if( segments_l.at( i ).link_m != segments_l.at( j ).link_m )
                QVERIFY2( !meet( segments_l.at( i ), segments_l.at( j ) ),
                          qPrintable( QStringLiteral( "links %1 and %2 meet" )
                                          .arg( segments_l.at( i ).link_m )
                                          .arg( segments_l.at( j ).link_m ) ) );

    // Who played whom: exactly the championship's games, each once.
    int drawn_l = 0;
    for( int r = 0; r < champ_cl.rounds().size(); ++r )
        for( int g = 0; g < champ_cl.rounds().at( r ).games_m.size(); ++g, ++drawn_l )
        {
            const Piece* const piece_cl = games_l.value( qMakePair( r, g ) );
            QVERIFY( piece_cl );
            const Game& game_crl = champ_cl.rounds().at( r ).games_m.at( g );
            QCOMPARE( piece_cl->players_m, QVector< PlayerRef >( { game_crl.favorite_m, game_crl.outsider_m } ) );
        }
    QCOMPARE( games_l.size(), drawn_l );

    // Each line leads from a game to the game its winner plays next.
    QMap< const Piece*, QVector< double > > sources_l;
    for( const Piece* const link_cl : links_l )
    {
        const Piece* const from_cl = games_l.value( qMakePair( link_cl->round_m, link_cl->game_m ) );
        QVERIFY( from_cl );
        const QPointF end_cl = link_cl->shapes_m.first().points_m.last();
        const auto to_it = std::find_if( games_l.cbegin(), games_l.cend(),
                                         [ &end_cl ]( const Piece* game_p )
                                         {
                                             const QRectF box_cl = boxOf( *game_p );
                                             return box_cl.left() == end_cl.x() && box_cl.top() < end_cl.y()
                                                    && end_cl.y() < box_cl.bottom();
                                         } );
        if( to_it == games_l.cend() )
            continue; // to a qualified player or the champion
        const Game& game_crl = champ_cl.rounds().at( from_cl->round_m ).games_m.at( from_cl->game_m );
        QVERIFY( to_it.value()->players_m.contains( game_crl.winner() ) );
        sources_l[ to_it.value() ].append( boxOf( *from_cl ).center().y() );
    }
    for( auto game_it = sources_l.cbegin(); game_it != sources_l.cend(); ++game_it )
    {
        if( game_it.value().size() < 2 )
            continue;
        const double y_cl = boxOf( *game_it.key() ).center().y();
        QVERIFY( std::min( game_it.value().at( 0 ), game_it.value().at( 1 ) ) < y_cl );
        QVERIFY( y_cl < std::max( game_it.value().at( 0 ), game_it.value().at( 1 ) ) );
    }

    // Boxes of one column never overlap.
    for( auto a_it = games_l.cbegin(); a_it != games_l.cend(); ++a_it )
        for( auto b_it = a_it + 1; b_it != games_l.cend() && b_it.key().first == a_it.key().first; ++b_it )
            QVERIFY( !boxOf( *a_it.value() ).intersects( boxOf( *b_it.value() ) ) );
}

// A file written by hand may put a loser into the next round: drawn as it
// is, without a line.
void tst_Export::relaidResultMatchesAFreshLayout_data()
{
    QTest::addColumn< int >( "players" );
    QTest::addColumn< int >( "nicknameLength" );
    // Names that fit the narrowest box never widen a column: the whole
    // bracket is laid out again only for the first champion, and a round's
    // first result is relaid as any other.
    QTest::addColumn< bool >( "mostlyRelaid" );
    QTest::newRow( "eight" ) << 8 << 0 << true;
    QTest::newRow( "byes" ) << 13 << 0 << true;
    QTest::newRow( "names of every width" ) << 24 << 30 << false;
    QTest::newRow( "names too long for a box" ) << 11 << 64 << false;
}

// Every result of every round, each set and then turned over, relaid on the
// layout kept from before: the same pieces as a layout made anew.
void tst_Export::relaidResultMatchesAFreshLayout()
{
    QFETCH( int, players );
    QFETCH( int, nicknameLength );
    QFETCH( bool, mostlyRelaid );
    const int rounds_cl = playedChampionship( players, 1 ).rounds().size();
    int relaid_l = 0;
    int results_l = 0;
    for( int drawn_l = 1; drawn_l <= rounds_cl; ++drawn_l )
    {
        Championship champ_l = playedChampionship( players, 7 * drawn_l, drawn_l, 0, nicknameLength );
        BracketLayout layout_l( champ_l, QStringLiteral( "Кубок" ) );
        const int games_cl = champ_l.rounds().at( champ_l.currentRound() ).games_m.size();
        for( int step_l = 0; step_l < 2 * games_cl; ++step_l )
        {
            const int game_cl = step_l % games_cl;
            const bool turned_cl = step_l >= games_cl;
            champ_l.setGameResult( game_cl, ( game_cl + turned_cl ) % 2 ? UNEXPECTED : EXPECTED );
            QVector< Piece > gone_l;
            QVector< Piece > come_l;
            ++results_l;
            if( layout_l.relayResult( champ_l, champ_l.currentRound(), game_cl, gone_l, come_l ) )
            {
                ++relaid_l;
                QVERIFY( !come_l.isEmpty() );
            }
            else
            {
                QVERIFY( gone_l.isEmpty() && come_l.isEmpty() );
                layout_l = BracketLayout( champ_l, QStringLiteral( "Кубок" ) );
            }
            const BracketLayout fresh_cl( champ_l, QStringLiteral( "Кубок" ) );
            QCOMPARE( layout_l.size(), fresh_cl.size() );
            QCOMPARE( piecesByKey( layout_l ), piecesByKey( fresh_cl ) );
        }
    }
    QVERIFY2( !mostlyRelaid || relaid_l == results_l - 1,
              qPrintable( QStringLiteral( "%1 of %2" ).arg( relaid_l ).arg( results_l ) ) );
}

void tst_Export::playerFromNowhereGetsNoLine()
{
    Championship champ_l;
    for( int i = 0; i < 4; ++i )
        champ_l.addPlayer( 1, QStringLiteral( "p%1" ).arg( i ), QString() );
    champ_l.createRounds();
    auto game_l = []( int favorite_p, int outsider_p )
    {
        Game made_l;
        made_l.favorite_m = PlayerRef( 1, favorite_p );
        made_l.outsider_m = PlayerRef( 1, outsider_p );
        return made_l;
    };
    champ_l.clearCurrentRoundPlayers();
    champ_l.setCurrentRoundGames( { game_l( 0, 1 ), game_l( 2, 3 ) } );
    champ_l.setGameResult( 0, EXPECTED );
    champ_l.setGameResult( 1, EXPECTED );
    champ_l.advanceRound();
    champ_l.clearCurrentRoundPlayers();
    champ_l.setCurrentRoundGames( { game_l( 1, 2 ) } );

    const BracketLayout layout_cl( champ_l, QStringLiteral( "t" ) );
    QVector< QPair< int, int > > linked_l;
    for( const Piece& piece_crl : layout_cl.pieces() )
        if( Piece::Connector == piece_crl.kind_m )
            linked_l << qMakePair( piece_crl.round_m, piece_crl.game_m );
    QCOMPARE( linked_l, ( QVector< QPair< int, int > > { { 0, 1 } } ) );
}

void tst_Export::undrawnChampionshipListsGroups()
{
    Championship champ_l;
    champ_l.addPlayer( 2, QStringLiteral( "Ёж" ), QStringLiteral( "К" ) );
    QDomDocument svg_l;
    QVERIFY( svg_l.setContent( BracketMarkup::svg( BracketLayout( champ_l, QStringLiteral( "кубок" ) ) ) ) );
    QCOMPARE( withClass( svg_l, QStringLiteral( "group" ) ).size(), champ_l.groupsNames().size() );
    QCOMPARE( withClass( svg_l, QStringLiteral( "game" ) ).size(), 0 );
    QVERIFY( svg_l.toString().contains( QStringLiteral( "Жеребьевка еще не проводилась." ) ) );
    QVERIFY( svg_l.toString().contains( QStringLiteral( "[К]Ёж" ) ) );
    QCOMPARE( text( withClass( svg_l, QStringLiteral( "title" ) ).first() ), QStringLiteral( "кубок" ) );
}

namespace
{
QSet< BracketLayout::Role > rolesOf( const BracketLayout::Piece& piece_cp )
{
    QSet< BracketLayout::Role > roles_l;
    for( const BracketLayout::Shape& shape_crl : piece_cp.shapes_m )
        roles_l.insert( shape_crl.role_m );
    return roles_l;
}

QVector< BracketLayout::Piece > piecesOf( const BracketLayout& layout_cp, BracketLayout::Piece::Kind kind_p )
{
    QVector< BracketLayout::Piece > pieces_l;
    for( const BracketLayout::Piece& piece_crl : layout_cp.pieces() )
        if( kind_p == piece_crl.kind_m )
            pieces_l.append( piece_crl );
    return pieces_l;
}
}

// Played, waiting and future columns, and undecided, decided, qualified and
// champion boxes, each drawn in a look of its own, and no look borrowed.
void tst_Export::eachColumnAndBoxStateHasItsOwnLook()
{
    using Role = BracketLayout::Role;
    const auto look_l = []( Role role_p )
    {
        const BracketLayout::Style& style_crl = BracketLayout::style( role_p );
        return QStringLiteral( "%1 %2 %3 %4 %5 %6 %7" )
            .arg( style_crl.ink_m.name(), style_crl.fill_m.isValid() ? style_crl.fill_m.name() : QString() )
            .arg( style_crl.lineWidth_m )
            .arg( style_crl.dashed_m )
            .arg( style_crl.pixelSize_m )
            .arg( style_crl.bold_m )
            .arg( style_crl.italic_m );
    };
    for( const QVector< Role >& kinds_crl :
         { QVector< Role > { BracketLayout::FutureColumn, BracketLayout::GameBox, BracketLayout::QualifiedBox,
                             BracketLayout::ChampionBox },
           QVector< Role > { BracketLayout::Name, BracketLayout::WinnerName, BracketLayout::LoserName,
                             BracketLayout::ChampionName },
           QVector< Role > { BracketLayout::Nation, BracketLayout::LoserNation } } )
    {
        QSet< QString > looks_l;
        for( const Role role_cl : kinds_crl )
            looks_l.insert( look_l( role_cl ) );
        QCOMPARE( looks_l.size(), kinds_crl.size() );
    }

    // Six players in eight places: two byes, two games; the first decided.
    Championship champ_l;
    for( int i = 0; i < 6; ++i )
        champ_l.addPlayer( 1 + i % 3, QStringLiteral( "Игрок%1" ).arg( i ), QString() );
    QTossThread thread_l;
    QVERIFY( thread_l.drawInPlace( champ_l ) );
    champ_l.setGameResult( 0, EXPECTED );
    const BracketLayout layout_cl( champ_l, QStringLiteral( "кубок" ) );
    const QVector< BracketLayout::Piece > columns_cl = piecesOf( layout_cl, BracketLayout::Piece::Column );
    QCOMPARE( columns_cl.size(), 3 );
    // Being played, waiting for its draw, still to come: only the last is
    // the empty frame of a round ahead.
    for( const BracketLayout::Piece& column_crl : columns_cl )
        QCOMPARE( rolesOf( column_crl ).contains( BracketLayout::FutureColumn ), 2 == column_crl.round_m );
    const QVector< BracketLayout::Piece > games_cl = piecesOf( layout_cl, BracketLayout::Piece::Game );
    QCOMPARE( games_cl.size(), 2 );
    const QSet< Role > decided_cl { BracketLayout::GameBox, BracketLayout::WinnerName,  BracketLayout::LoserName,
                                    BracketLayout::Nation,  BracketLayout::LoserNation, BracketLayout::WinnerMark };
    QVERIFY( rolesOf( games_cl.at( 0 ) ).contains( decided_cl ) );
    QVERIFY( !rolesOf( games_cl.at( 0 ) ).contains( BracketLayout::Name ) );
    QVERIFY( rolesOf( games_cl.at( 1 ) )
                 .contains( { BracketLayout::GameBox, BracketLayout::Name, BracketLayout::Nation } ) );
    QVERIFY( !rolesOf( games_cl.at( 1 ) )
                  .intersects( decided_cl - QSet< Role > { BracketLayout::GameBox, BracketLayout::Nation } ) );
    // The waiting: two byes and the first game's winner.
    const QVector< BracketLayout::Piece > waiting_cl = piecesOf( layout_cl, BracketLayout::Piece::Qualified );
    QCOMPARE( waiting_cl.size(), 3 );
    int byes_l = 0;
    for( const BracketLayout::Piece& piece_crl : waiting_cl )
    {
        QVERIFY( rolesOf( piece_crl ).contains( BracketLayout::QualifiedBox ) );
        QVERIFY( !rolesOf( piece_crl ).contains( BracketLayout::GameBox ) );
        byes_l += rolesOf( piece_crl ).contains( BracketLayout::ByeMark );
    }
    QCOMPARE( byes_l, 2 );

    // Played to the end: the champion's box, and no round ahead.
    champ_l.setGameResult( 1, UNEXPECTED );
    while( champ_l.currentRound() + 1 < champ_l.rounds().size()
           || champ_l.decidedGames() < champ_l.rounds().last().games_m.size() )
    {
        if( champ_l.roundIsFinished() )
            QVERIFY( thread_l.drawInPlace( champ_l ) );
        for( int game_l = 0; game_l < champ_l.rounds().at( champ_l.currentRound() ).games_m.size(); ++game_l )
            champ_l.setGameResult( game_l, EXPECTED );
    }
    const BracketLayout played_cl( champ_l, QStringLiteral( "кубок" ) );
    for( const BracketLayout::Piece& column_crl : piecesOf( played_cl, BracketLayout::Piece::Column ) )
        QVERIFY( !rolesOf( column_crl ).contains( BracketLayout::FutureColumn ) );
    const QVector< BracketLayout::Piece > champion_cl = piecesOf( played_cl, BracketLayout::Piece::Champion );
    QCOMPARE( champion_cl.size(), 1 );
    QVERIFY( rolesOf( champion_cl.front() ).contains( { BracketLayout::ChampionBox, BracketLayout::ChampionName } ) );
}

void tst_Export::svgAndHtmlShowTheBracket_data()
{
    QTest::addColumn< int >( "players" );
    QTest::addColumn< int >( "rounds" );
    QTest::addColumn< int >( "decided" );
    QTest::addColumn< int >( "byes" );
    QTest::newRow( "4 players, just drawn" ) << 4 << 1 << 0 << 0;
    QTest::newRow( "4 players, half decided" ) << 4 << 1 << 1 << 0;
    QTest::newRow( "4 players, final decided" ) << 4 << -1 << -1 << 0;
    QTest::newRow( "16 players, just drawn" ) << 16 << 1 << 0 << 0;
    QTest::newRow( "16 players, half decided" ) << 16 << 1 << 4 << 0;
    QTest::newRow( "16 players, final decided" ) << 16 << -1 << -1 << 0;
    // 12 players: four byes, waiting in the second column, then drawn there.
    QTest::newRow( "12 players, byes waiting" ) << 12 << 1 << 2 << 4;
    QTest::newRow( "12 players, byes drawn" ) << 12 << 2 << 0 << 4;
}

void tst_Export::svgAndHtmlShowTheBracket()
{
    QFETCH( int, players );
    QFETCH( int, rounds );
    QFETCH( int, decided );
    QFETCH( int, byes );
    const Championship champ_cl = playedChampionship( players, 5, rounds, decided );
    const BracketLayout layout_cl( champ_cl, QStringLiteral( "Кубок <2026> & Co" ) );
    const Game& final_crl = champ_cl.rounds().last().games_m.value( 0 );
    const bool champion_cl = !champ_cl.rounds().last().games_m.isEmpty() && UNKNOWN != final_crl.result_m;
    const QStringList documents_cl { BracketMarkup::svg( layout_cl ), BracketMarkup::html( layout_cl, champ_cl ) };
    for( const QString& markup_crl : documents_cl )
    {
        QDomDocument document_l;
        QString error_l;
        QVERIFY2( document_l.setContent( markup_crl, &error_l ), qPrintable( error_l ) );
        QCOMPARE( withClass( document_l, QStringLiteral( "game" ) ).size(), drawnGames( champ_cl ) );
        QCOMPARE( withClass( document_l, QStringLiteral( "winner-mark" ) ).size(), decidedGames( champ_cl ) );
        QCOMPARE( withClass( document_l, QStringLiteral( "bye" ) ).size(), byes );
        QStringList columnTitles_l;
        for( const QDomElement& title_crl : withClass( document_l, QStringLiteral( "column-title" ) ) )
            columnTitles_l << text( title_crl );
        QStringList expected_l;
        for( const Round& round_crl : champ_cl.rounds() )
            expected_l << roundTitle( round_crl.denominator() );
        if( champion_cl )
            expected_l << QStringLiteral( "Чемпион" );
        QCOMPARE( columnTitles_l, expected_l );
        const QList< QDomElement > titles_cl = withClass( document_l, QStringLiteral( "game-title" ) );
        QVERIFY( std::any_of( titles_cl.cbegin(), titles_cl.cend(),
                              []( const QDomElement& title_cp )
                              { return text( title_cp ).endsWith( QStringLiteral( " - игра №1" ) ); } ) );
        const QList< QDomElement > champion_cl_l = withClass( document_l, QStringLiteral( "champion-name" ) );
        QCOMPARE( champion_cl_l.size(), champion_cl ? 1 : 0 );
        if( champion_cl )
            QCOMPARE( text( champion_cl_l.first() ), champ_cl.playerText( final_crl.winner() ) );
        QVERIFY( markup_crl.contains( QStringLiteral( "Кубок &lt;2026&gt; &amp; Co" ) ) );
    }
    QDomDocument html_l;
    QVERIFY( html_l.setContent( documents_cl.at( 1 ) ) );
    int drawnRounds_l = 0;
    for( const Round& round_crl : champ_cl.rounds() )
        drawnRounds_l += !round_crl.games_m.isEmpty();
    QCOMPARE( withClass( html_l, QStringLiteral( "results" ) ).size(), drawnRounds_l );
    QCOMPARE( html_l.elementsByTagName( QStringLiteral( "tr" ) ).size(), drawnRounds_l + drawnGames( champ_cl ) );
    QVERIFY( !documents_cl.at( 1 ).contains( QStringLiteral( "<script" ) ) );
    QVERIFY( !documents_cl.at( 1 ).contains( QStringLiteral( "href" ) ) );
    QVERIFY( !documents_cl.at( 1 ).contains( QStringLiteral( "src=" ) ) );
}

void tst_Export::publishingKeepsToItsTarget_data()
{
    // target: where the window is asked to publish, beside the championship
    // "кубок.stv"; "@link" names a symbolic link to the championship.
    QTest::addColumn< QString >( "target" );
    QTest::addColumn< QString >( "chosen" );
    QTest::addColumn< bool >( "written" );
    QTest::newRow( "the championship itself" ) << "кубок.stv"
                                               << "html" << false;
    QTest::newRow( "the championship by another spelling" ) << "sub/../кубок.stv"
                                                            << "" << false;
    QTest::newRow( "a link to the championship" ) << "@link"
                                                  << "html" << false;
    QTest::newRow( "another championship's name" ) << "other.stv"
                                                   << "html" << false;
    QTest::newRow( "a text file's name" ) << "notes.txt"
                                          << "png" << false;
    QTest::newRow( "a format other than the chosen one" ) << "bracket.svg"
                                                          << "png" << false;
    QTest::newRow( "the chosen format" ) << "bracket.svg"
                                         << "svg" << true;
    QTest::newRow( "any format the name says" ) << "bracket.HTM"
                                                << "" << true;
}

void tst_Export::publishingKeepsToItsTarget()
{
    QFETCH( QString, target );
    QFETCH( QString, chosen );
    QFETCH( bool, written );
    QTemporaryDir dir_l;
    QVERIFY( QDir( dir_l.path() ).mkdir( QStringLiteral( "sub" ) ) );
    Championship champ_l = playedChampionship( 8, 1 );
    const QString championship_cl = dir_l.filePath( QStringLiteral( "кубок.stv" ) );
    QVERIFY( champ_l.save( championship_cl ) );
    QFile saved_l( championship_cl );
    QVERIFY( saved_l.open( QIODevice::ReadOnly ) );
    const QByteArray before_cl = saved_l.readAll();
    saved_l.close();
    QString output_l = dir_l.filePath( target );
    if( target == QStringLiteral( "@link" ) )
    {
#ifdef Q_OS_WIN
        QSKIP( "links on Windows are shortcut files, which nothing follows" );
#endif
        output_l = dir_l.filePath( QStringLiteral( "link.html" ) );
        QVERIFY( QFile::link( championship_cl, output_l ) );
    }
    QString error_l;
    QCOMPARE( ExportCommand::publish( champ_l, output_l, QStringLiteral( "Кубок" ), chosen, error_l ), written );
    QCOMPARE( error_l.isEmpty(), written );
    QVERIFY( saved_l.open( QIODevice::ReadOnly ) );
    QCOMPARE( saved_l.readAll(), before_cl );
    // Nothing is made where nothing was written.
    QCOMPARE( QFileInfo::exists( output_l ),
              written
                  || QFileInfo( output_l ).canonicalFilePath() == QFileInfo( championship_cl ).canonicalFilePath() );
}

void tst_Export::publishedBracketNamesTheRightPeople_data()
{
    QTest::addColumn< int >( "finalResult" );
    QTest::newRow( "favourite wins the final" ) << int( EXPECTED );
    QTest::newRow( "outsider wins the final" ) << int( UNEXPECTED );
}

// Four players, each with a nation of their own: the first semi-final goes to
// its favourite, the second to its outsider, the final as the row says.
void tst_Export::publishedBracketNamesTheRightPeople()
{
    QFETCH( int, finalResult );
    Championship champ_l;
    for( int i = 0; i < 4; ++i )
        champ_l.addPlayer( 1, QStringLiteral( "игрок%1" ).arg( i ), QString() );
    champ_l.createRounds();
    champ_l.clearCurrentRoundPlayers();
    const auto game_l = []( int favorite_p, int outsider_p )
    {
        Game game_l;
        game_l.favorite_m = PlayerRef( 1, favorite_p );
        game_l.outsider_m = PlayerRef( 1, outsider_p );
        game_l.favoriteNation_m = favorite_p + 1;
        game_l.outsiderNation_m = outsider_p + 1;
        return game_l;
    };
    champ_l.setCurrentRoundGames( { game_l( 0, 1 ), game_l( 2, 3 ) } );
    champ_l.setGameResult( 0, EXPECTED );
    champ_l.setGameResult( 1, UNEXPECTED );
    champ_l.advanceRound();
    champ_l.clearCurrentRoundPlayers();
    champ_l.setCurrentRoundGames( { game_l( 0, 3 ) } );
    champ_l.setGameResult( 0, GameResult( finalResult ) );
    const int champion_cl = EXPECTED == finalResult ? 0 : 3;

    QDomDocument html_l;
    QVERIFY( html_l.setContent( BracketMarkup::html( BracketLayout( champ_l, QStringLiteral( "Кубок" ) ), champ_l ) ) );
    const QList< QDomElement > champion_cl_l = withClass( html_l, QStringLiteral( "champion" ) );
    QCOMPARE( champion_cl_l.size(), 1 );
    QCOMPARE( text( withClass( champion_cl_l.first(), QStringLiteral( "champion-name" ) ).value( 0 ) ),
              QStringLiteral( "игрок%1" ).arg( champion_cl ) );
    QCOMPARE( text( withClass( champion_cl_l.first(), QStringLiteral( "nation" ) ).value( 0 ) ),
              champ_l.nationName( champion_cl + 1 ) );

    // Each results row marks the winner's own cell and names them last.
    QStringList marked_l;
    const QDomNodeList rows_cl = html_l.elementsByTagName( QStringLiteral( "tr" ) );
    for( int r = 0; r < rows_cl.size(); ++r )
    {
        const QDomNodeList cells_cl = rows_cl.at( r ).toElement().elementsByTagName( QStringLiteral( "td" ) );
        QString row_l;
        for( int c = 0; c < cells_cl.size(); ++c )
            if( cells_cl.at( c ).toElement().attribute( QStringLiteral( "class" ) ) == QStringLiteral( "winner" ) )
                row_l += QStringLiteral( "%1:%2 " ).arg( c ).arg( cells_cl.at( c ).toElement().text() );
        if( cells_cl.size() )
            marked_l << row_l.trimmed();
    }
    const QString final_cl =
        EXPECTED == finalResult ? QStringLiteral( "1:игрок0 5:игрок0" ) : QStringLiteral( "3:игрок3 5:игрок3" );
    QCOMPARE( marked_l, QStringList( { "1:игрок0 5:игрок0", "3:игрок3 5:игрок3", final_cl } ) );

    // The bracket's styles reach nothing outside the bracket.
    const QString style_cl = html_l.elementsByTagName( QStringLiteral( "svg" ) )
                                 .at( 0 )
                                 .toElement()
                                 .elementsByTagName( QStringLiteral( "style" ) )
                                 .at( 0 )
                                 .toElement()
                                 .text();
    QVERIFY( !style_cl.trimmed().isEmpty() );
    for( const QString& rule_crl : style_cl.split( QLatin1Char( '\n' ), Qt::SkipEmptyParts ) )
        QVERIFY2( rule_crl.startsWith( QStringLiteral( ".sortivane-bracket ." ) ), qPrintable( rule_crl ) );
}

void tst_Export::longNicknameKeepsFullText()
{
    Championship champ_l;
    // Wider than any column: longer than the window lets anybody type.
    const QString long_cl = QString( 100, QChar( 0x0429 ) );
    champ_l.addPlayer( 1, long_cl, QString() );
    for( int i = 0; i < 3; ++i )
        champ_l.addPlayer( 1, QStringLiteral( "p%1" ).arg( i ), QString() );
    champ_l.createRounds();
    champ_l.clearCurrentRoundPlayers();
    Game game_l;
    game_l.favorite_m = PlayerRef( 1, 0 );
    game_l.outsider_m = PlayerRef( 1, 1 );
    champ_l.setCurrentRoundGames( { game_l } );
    QDomDocument svg_l;
    QVERIFY( svg_l.setContent( BracketMarkup::svg( BracketLayout( champ_l, QStringLiteral( "t" ) ) ) ) );
    const QList< QDomElement > names_cl = withClass( svg_l, QStringLiteral( "name" ) );
    const auto long_it = std::find_if( names_cl.cbegin(), names_cl.cend(),
                                       []( const QDomElement& name_cp )
                                       { return !name_cp.firstChildElement( QStringLiteral( "title" ) ).isNull(); } );
    QVERIFY( long_it != names_cl.cend() );
    QCOMPARE( long_it->firstChildElement( QStringLiteral( "title" ) ).text(), long_cl );
    QVERIFY( long_it->lastChild().toText().data().endsWith( QChar( 0x2026 ) ) );
}

void tst_Export::longNamesLoseTheClanFirst_data()
{
    QTest::addColumn< QString >( "nickname" );
    QTest::addColumn< QString >( "clan" );
    QTest::addColumn< QString >( "shown" ); // empty: shown whole
    const QString wide_cl( Player::MAX_TYPED_LENGTH, QChar( 0x0429 ) );
    QTest::newRow( "64 of the widest letters" ) << wide_cl << QString() << QString();
    QTest::newRow( "the README's champion" )
        << QStringLiteral( "Богдан_Хмельницкий" ) << QStringLiteral( "ВОЛЬНИЦА" ) << QString();
    QTest::newRow( "64 letters and a clan of 64" )
        << wide_cl << QString( 64, QLatin1Char( 'W' ) ) << QStringLiteral( "]" ) + wide_cl;
}

// Every name is whole in its game box, or cut in its clan only; the
// champion's box takes the champion whole.
void tst_Export::longNamesLoseTheClanFirst()
{
    QFETCH( QString, nickname );
    QFETCH( QString, clan );
    QFETCH( QString, shown );
    Championship champ_l;
    champ_l.addPlayer( 1, nickname, clan );
    champ_l.addPlayer( 1, QStringLiteral( "соперник" ), QString() );
    champ_l.createRounds();
    champ_l.clearCurrentRoundPlayers();
    Game game_l;
    game_l.favorite_m = PlayerRef( 1, 0 );
    game_l.outsider_m = PlayerRef( 1, 1 );
    game_l.favoriteNation_m = 2;
    champ_l.setCurrentRoundGames( { game_l } );
    champ_l.setGameResult( 0, EXPECTED );
    const BracketLayout layout_cl( champ_l, QStringLiteral( "t" ) );
    const QString full_cl = champ_l.playerText( PlayerRef( 1, 0 ) );
    for( const Piece& piece_crl : layout_cl.pieces() )
        for( const BracketLayout::Shape& shape_crl : piece_crl.shapes_m )
        {
            const bool name_cl =
                BracketLayout::WinnerName == shape_crl.role_m || BracketLayout::ChampionName == shape_crl.role_m;
            if( !name_cl )
                continue;
            if( Piece::Champion == piece_crl.kind_m || shown.isEmpty() )
                QCOMPARE( shape_crl.text_m, full_cl );
            else
            {
                QVERIFY2( shape_crl.text_m.endsWith( shown ), qPrintable( shape_crl.text_m ) );
                QVERIFY( shape_crl.text_m.contains( QChar( 0x2026 ) ) );
            }
        }
}

// The fuzzer's corpus holds odd but accepted files (strange texts, byes,
// rounds in every state): each one makes well-formed SVG and HTML.
void tst_Export::everyAcceptedCorpusFileIsPublished()
{
    int accepted_l = 0;
    for( const char* folder_p : { "tests/fuzz-corpus/seeds", "tests/fuzz-corpus/found" } )
    {
        const QDir dir_cl( QStringLiteral( SORTIVANE_SOURCE_DIR ) + QLatin1String( folder_p ) );
        for( const QString& name_crl : dir_cl.entryList( QDir::Files ) )
        {
            Championship champ_l;
            if( !SaveFile::read( dir_cl.filePath( name_crl ), champ_l ) )
                continue;
            ++accepted_l;
            const BracketLayout layout_cl( champ_l, name_crl );
            QDomDocument svg_l;
            QDomDocument html_l;
            QVERIFY2( svg_l.setContent( BracketMarkup::svg( layout_cl ) ), qPrintable( name_crl ) );
            QVERIFY2( html_l.setContent( BracketMarkup::html( layout_cl, champ_l ) ), qPrintable( name_crl ) );
        }
    }
    QVERIFY( accepted_l > 100 );
}

void tst_Export::pngHasLayoutSizeAndIsDrawn_data()
{
    QTest::addColumn< double >( "scale" );
    QTest::newRow( "scale 1" ) << 1.0;
    QTest::newRow( "scale 2" ) << 2.0;
    QTest::newRow( "scale 0.5" ) << 0.5;
}

void tst_Export::pngHasLayoutSizeAndIsDrawn()
{
    QFETCH( double, scale );
    const Championship champ_cl = playedChampionship( 16, 3 );
    const BracketLayout layout_cl( champ_cl, QStringLiteral( "t" ) );
    QByteArray bytes_l;
    QBuffer buffer_l( &bytes_l );
    QVERIFY( buffer_l.open( QIODevice::WriteOnly ) );
    QVERIFY( BracketPainter::writePng( BracketPainter::image( layout_cl, scale ), layout_cl.title(), &buffer_l ) );
    const QImage image_cl = QImage::fromData( bytes_l, "png" );
    QCOMPARE( image_cl.size(), QSize( int( std::ceil( layout_cl.size().width() * scale ) ),
                                      int( std::ceil( layout_cl.size().height() * scale ) ) ) );
    int ink_l = 0;
    int marks_l = 0;
    for( int y = 0; y < image_cl.height(); ++y )
        for( int x = 0; x < image_cl.width(); ++x )
        {
            const QRgb pixel_cl = image_cl.pixel( x, y );
            ink_l += pixel_cl != qRgb( 255, 255, 255 );
            // Only the winner marks are green.
            marks_l += qGreen( pixel_cl ) > qRed( pixel_cl ) + 40 && qGreen( pixel_cl ) > qBlue( pixel_cl ) + 40;
        }
    // Text, boxes and lines cover a few per cent of the picture; one
    // winner mark per decided game.
    QVERIFY2( ink_l > image_cl.width() * image_cl.height() / 50, qPrintable( QString::number( ink_l ) ) );
    QVERIFY2( marks_l > 15 * 20 * scale * scale, qPrintable( QString::number( marks_l ) ) );
}

// Qt's raster painter stops at 32,767 pixels; the games below that line are
// drawn too, as far down as the last one.
void tst_Export::tallPngIsDrawnToTheBottom()
{
    const BracketLayout layout_cl( playedChampionship( 2048, 5 ), QStringLiteral( "t" ) );
    const QImage image_cl = BracketPainter::image( layout_cl, 0.6 );
    QVERIFY( image_cl.height() > 32767 );
    for( const int top_l : { 32768, image_cl.height() - 300 } )
    {
        int ink_l = 0;
        for( int y = top_l; y < std::min( top_l + 300, image_cl.height() ); ++y )
        {
            const QRgb* const row_cl = reinterpret_cast< const QRgb* >( image_cl.constScanLine( y ) );
            ink_l += int( std::count_if( row_cl, row_cl + image_cl.width(),
                                         []( QRgb pixel_p ) { return qGray( pixel_p ) < 128; } ) );
        }
        QVERIFY2( ink_l > 1000, qPrintable( QStringLiteral( "%1 at %2" ).arg( ink_l ).arg( top_l ) ) );
    }
}

void tst_Export::exitCodes_data()
{
    QTest::addColumn< QStringList >( "arguments" );
    QTest::addColumn< int >( "code" );
    QTest::addColumn< QString >( "message" );
    const QString ok_cl = QStringLiteral( "%ok%" );
    const QString out_cl = QStringLiteral( "%dir%/out" );
    QTest::newRow( "svg written" ) << QStringList { ok_cl, "-o", out_cl + ".svg" } << 0 << QString();
    QTest::newRow( "html written" ) << QStringList { ok_cl, "-o", out_cl + ".html" } << 0 << QString();
    QTest::newRow( "pdf on A3 written" ) << QStringList { ok_cl, "-o", out_cl + ".pdf", "--page", "A3", "--portrait" }
                                         << 0 << QString();
    QTest::newRow( "pdf of natural size written" )
        << QStringList { ok_cl, "-o", out_cl + ".pdf", "--page", "auto" } << 0 << QString();
    QTest::newRow( "png written" ) << QStringList { ok_cl, "-o", out_cl + ".PNG", "--scale", "1.5" } << 0 << QString();
    QTest::newRow( "unknown extension" ) << QStringList { ok_cl, "-o", out_cl + ".txt" } << 2 << "out.txt";
    QTest::newRow( "no output: a picture beside the file" ) << QStringList { ok_cl } << 0 << QString();
    QTest::newRow( "no championship" ) << QStringList { "-o", out_cl + ".svg" } << 2 << "--help";
    QTest::newRow( "unknown option" ) << QStringList { ok_cl, "-o", out_cl + ".svg", "--colour" } << 2 << "colour";
    QTest::newRow( "scale out of range" ) << QStringList { ok_cl, "-o", out_cl + ".png", "--scale", "20" } << 2 << "20";
    QTest::newRow( "scale not a number" )
        << QStringList { ok_cl, "-o", out_cl + ".png", "--scale", "nan" } << 2 << "nan";
    QTest::newRow( "unknown page" ) << QStringList { ok_cl, "-o", out_cl + ".pdf", "--page", "A5" } << 2 << "A5";
    QTest::newRow( "both orientations" ) << QStringList { ok_cl, "-o", out_cl + ".pdf", "--landscape", "--portrait" }
                                         << 2 << "--help";
    QTest::newRow( "output over the championship" )
        << QStringList { "%dir%/html.html", "-o", "%dir%/html.html" } << 2 << "html.html";
    QTest::newRow( "missing championship" )
        << QStringList { "%dir%/none.stv", "-o", out_cl + ".svg" } << 3 << "none.stv";
    QTest::newRow( "refused championship" )
        << QStringList { "%bad%", "-o", out_cl + ".svg" } << 3 << "это не файл чемпионата Sortivane";
    QTest::newRow( "output folder missing" ) << QStringList { ok_cl, "-o", "%dir%/no/such/out.png" } << 4 << "no/such";
    QTest::newRow( "output is a folder" )
        << QStringList { ok_cl, "-o", "%dir%/folder.svg" } << 4 << "это не обычный файл";
}

void tst_Export::exitCodes()
{
    QFETCH( QStringList, arguments );
    QFETCH( int, code );
    QFETCH( QString, message );
    QTemporaryDir dir_l;
    const QString good_cl = dir_l.filePath( QStringLiteral( "кубок.2026.stv" ) );
    QVERIFY( SaveFile::write( playedChampionship( 8, 1 ), good_cl ) );
    QFile bad_l( dir_l.filePath( QStringLiteral( "bad.stv" ) ) );
    QVERIFY( bad_l.open( QIODevice::WriteOnly ) && bad_l.write( "<html/>" ) );
    bad_l.close();
    QVERIFY( QDir( dir_l.path() ).mkdir( QStringLiteral( "folder.svg" ) ) );
    QVERIFY( QFile::copy( good_cl, dir_l.filePath( QStringLiteral( "html.html" ) ) ) );
    arguments.replaceInStrings( QStringLiteral( "%ok%" ), good_cl );
    arguments.replaceInStrings( QStringLiteral( "%bad%" ), bad_l.fileName() );
    arguments.replaceInStrings( QStringLiteral( "%dir%" ), dir_l.path() );
    const QStringList before_cl = QDir( dir_l.path() ).entryList( QDir::AllEntries | QDir::NoDotAndDotDot );

    QString errors_l;
    QCOMPARE( runExport( arguments, &errors_l ), code );
    QVERIFY2( errors_l.contains( message ), qPrintable( errors_l ) );
    QStringList after_l = QDir( dir_l.path() ).entryList( QDir::AllEntries | QDir::NoDotAndDotDot );
    if( code )
    {
        QVERIFY( errors_l.startsWith( QStringLiteral( "sortivane-export: " ) ) );
        QCOMPARE( after_l, before_cl );
        return;
    }
    QVERIFY( errors_l.isEmpty() );
    const QString output_cl = arguments.value( 2, dir_l.filePath( QStringLiteral( "кубок.2026.png" ) ) );
    QFile written_l( output_cl );
    QVERIFY( written_l.open( QIODevice::ReadOnly ) );
    const QByteArray head_cl = written_l.read( 16 );
    const QByteArray magic_cl = output_cl.endsWith( QStringLiteral( ".svg" ) )    ? "<?xml"
                                : output_cl.endsWith( QStringLiteral( ".html" ) ) ? "<!DOCTYPE html>"
                                : output_cl.endsWith( QStringLiteral( ".pdf" ) )  ? "%PDF"
                                                                                  : "\x89PNG";
    QVERIFY( head_cl.startsWith( magic_cl ) );
    if( output_cl.endsWith( QStringLiteral( ".svg" ) ) )
        QVERIFY( written_l.readAll().contains( "<title>кубок.2026</title>" ) );
    after_l.removeOne( QFileInfo( written_l ).fileName() );
    QCOMPARE( after_l, before_cl );
}

// A full disk: exit code 4, and the picture of the last round stays.
void tst_Export::failedWriteKeepsPreviousFile()
{
    QTemporaryDir dir_l;
    const QString championship_cl = dir_l.filePath( QStringLiteral( "big.stv" ) );
    QVERIFY( SaveFile::write( playedChampionship( 300, 2 ), championship_cl ) );
    QTemporaryDir mountPoint_l;
    if( !systemsupport::mountSmallDisk( mountPoint_l.path() ) )
        QSKIP( "no permission to mount a small tmpfs here" );
    const QString output_cl = mountPoint_l.filePath( QStringLiteral( "bracket.svg" ) );
    QFile previous_l( output_cl );
    QVERIFY( previous_l.open( QIODevice::WriteOnly ) && previous_l.write( "previous" ) );
    previous_l.close();
    const int code_cl = runExport( { championship_cl, QStringLiteral( "-o" ), output_cl } );
    QVERIFY( previous_l.open( QIODevice::ReadOnly ) );
    const QByteArray kept_cl = previous_l.readAll();
    previous_l.close();
    const QStringList left_cl = QDir( mountPoint_l.path() ).entryList( QDir::Files );
    systemsupport::unmountSmallDisk( mountPoint_l.path() );
    QCOMPARE( code_cl, int( ExportCommand::NOT_WRITTEN ) );
    QCOMPARE( kept_cl, QByteArray( "previous" ) );
    QCOMPARE( left_cl, QStringList { QStringLiteral( "bracket.svg" ) } );
}

void tst_Export::verifiesRecordedDraws_data()
{
    QTest::addColumn< int >( "players" );
    QTest::addColumn< QString >( "edit" );
    QTest::addColumn< int >( "code" );
    QTest::addColumn< QString >( "said" ); // a line of the output, or its start
    // 8 players need no bye split; 5, 6 and 12 do, and it takes a seed.
    for( const int players_cl : { 8, 5, 6, 12 } )
    {
        QTest::addRow( "%d players, as drawn", players_cl )
            << players_cl << QString() << 0 << QStringLiteral( "Финал: совпадает" );
        for( const char* const field_cl :
             { "favorite gid", "favorite pid", "favorite nid", "outsider pid", "outsider nid" } )
            QTest::addRow( "%d players, %s edited", players_cl, field_cl )
                << players_cl << QString::fromLatin1( field_cl ) << 5 << QStringLiteral( ": не совпадает (" );
    }
    const auto row_l = [ & ]( const char* name_p, const char* edit_p, int code_p, const QString& said_cp )
    { QTest::newRow( name_p ) << 12 << QString::fromLatin1( edit_p ) << code_p << said_cp; };
    row_l( "the word changed", "word", 5, QStringLiteral( "не совпадает (игра №" ) );
    row_l( "the secret changed", "secret", 5,
           QStringLiteral( "не совпадает (секрет не соответствует коду жеребьевки)" ) );
    row_l( "a pool reordered", "reorder", 5, QStringLiteral( "не совпадает (в туре не те игроки, что в него вышли)" ) );
    row_l( "the kept pool reordered", "reorder kept", 5,
           QStringLiteral( "не совпадает (секрет не соответствует коду жеребьевки)" ) );
    row_l( "two players' names swapped", "swap names", 5, QStringLiteral( "изменено без записи" ) );
    row_l( "two nations' names swapped", "swap nations", 5, QStringLiteral( "изменена без записи" ) );
    row_l( "the cancelled draw deleted", "delete cancelled", 5, QStringLiteral( "попытка 1 не записана" ) );
    row_l( "the cancelled draw relabelled", "relabel cancelled", 5,
           QStringLiteral( "попытка 1 записана как сохранённая, но в сетке её нет" ) );
    row_l( "a malformed outcome", "bad outcome", 5,
           QStringLiteral( "Журнал жеребьевок: не совпадает: запись №1 повреждена" ) );
    row_l( "a malformed time", "bad time", 5,
           QStringLiteral( "Журнал жеребьевок: не совпадает: запись №1 повреждена" ) );
    row_l( "an attempt logged twice", "logged twice", 5, QStringLiteral( "записана дважды" ) );
    row_l( "a draw under a missing round", "missing round", 5, QStringLiteral( "которого в сетке нет" ) );
    row_l( "a draw cut short by a kill", "killed", 0, QStringLiteral( "Прерванные жеребьевки: 1\n" ) );
    row_l( "the log emptied", "empty log", 5, QStringLiteral( "журнала нет, а жеребьевки записывались" ) );
    row_l( "records and log stripped", "strip", 5,
           QStringLiteral( "записи нет, а жеребьевки этого чемпионата записывались" ) );
    row_l( "a record removed", "record", 5,
           QStringLiteral( "записи нет, а жеребьевки этого чемпионата записывались" ) );
    row_l( "an older file", "old", 0, QStringLiteral( "Финал: не записано" ) );
}

// A championship drawn through the model and played to the final, every
// draw with its record: a first draw cancelled, the second round undone
// and drawn again, a player renamed after the first draw; then edited in
// its file as the row says.
void tst_Export::verifiesRecordedDraws()
{
    QFETCH( int, players );
    QFETCH( QString, edit );
    Championship champ_l;
    for( int i = 0; i < players; ++i )
        champ_l.addPlayer( 1 + i % 3, QStringLiteral( "игрок%1" ).arg( i ),
                           i % 2 ? QStringLiteral( "клан" ) : QString() );
    champ_l.startDrawAttempt();
    champ_l.endDrawAttempt( false );
    QTossThread thread_l;
    thread_l.setPaced( false );
    for( int round_l = 0; round_l < champ_l.rounds().size() || round_l == 0; ++round_l )
    {
        champ_l.setHallWord( QStringLiteral( "сорок два %1" ) );
        QVERIFY( thread_l.drawInPlace( champ_l ) );
        if( 1 == round_l )
        {
            champ_l.undoLastDraw();
            champ_l.setHallWord( QStringLiteral( "сорок два %1" ) );
            QVERIFY( thread_l.drawInPlace( champ_l ) );
        }
        for( int i = 0; i < champ_l.rounds().at( round_l ).games_m.size(); ++i )
            champ_l.setGameResult( i, i % 2 ? EXPECTED : UNEXPECTED );
        if( !round_l )
            champ_l.renamePlayer( PlayerRef( 1, 0 ), QStringLiteral( "Опечатка" ), QString() );
    }
    QDomDocument document_l;
    QVERIFY( document_l.setContent( SaveFile::toText( champ_l ) ) );
    const auto all_l = [ &document_l ]( const char* tag_p )
    { return document_l.elementsByTagName( QString::fromLatin1( tag_p ) ); };
    QDomElement first_l = all_l( "round" ).at( 0 ).toElement();
    QDomElement draw_l = all_l( "draw" ).at( 0 ).toElement();
    const QStringList field_cl = edit.split( QLatin1Char( ' ' ) );
    if( field_cl.value( 0 ) == QLatin1String( "favorite" ) || field_cl.value( 0 ) == QLatin1String( "outsider" ) )
    {
        // The first round is history by now: its games may change without
        // upsetting the bracket, but never unseen.
        QDomElement side_l = first_l.elementsByTagName( field_cl.at( 0 ) ).at( 0 ).toElement();
        const int value_cl = side_l.attribute( field_cl.at( 1 ) ).toInt();
        const int kinds_cl = field_cl.at( 1 ) == QLatin1String( "nid" )   ? 17
                             : field_cl.at( 1 ) == QLatin1String( "gid" ) ? 3
                                                                          : 1000;
        side_l.setAttribute( field_cl.at( 1 ), value_cl % kinds_cl + 1 );
    }
    else if( QStringLiteral( "word" ) == edit )
        first_l.setAttribute( QStringLiteral( "word" ), QStringLiteral( "43" ) );
    else if( QStringLiteral( "secret" ) == edit )
        first_l.setAttribute( QStringLiteral( "secret" ), QString( 32, QLatin1Char( '0' ) ) );
    else if( edit.startsWith( QLatin1String( "reorder" ) ) )
    {
        // The last round's pool, two players of one group swapped.
        QDomElement round_l = all_l( "round" ).at( all_l( "round" ).size() - 2 ).toElement();
        if( edit.endsWith( QLatin1String( "kept" ) ) )
        {
            QDomText pool_l = round_l.firstChildElement( QStringLiteral( "drawpool" ) ).firstChild().toText();
            QStringList lines_l = pool_l.data().split( QLatin1Char( '\n' ) );
            lines_l.swapItemsAt( 1, 2 );
            pool_l.setData( lines_l.join( QLatin1Char( '\n' ) ) );
        }
        else
        {
            QDomText ids_l =
                round_l.firstChildElement( QStringLiteral( "drawnfrom" ) ).firstChildElement().firstChild().toText();
            QStringList list_l = ids_l.data().split( QLatin1Char( ' ' ), Qt::SkipEmptyParts );
            QVERIFY( list_l.size() > 1 );
            list_l.swapItemsAt( 0, 1 );
            ids_l.setData( list_l.join( QLatin1Char( ' ' ) ) );
        }
    }
    else if( edit.startsWith( QLatin1String( "swap" ) ) )
    {
        const bool nations_cl = QStringLiteral( "swap nations" ) == edit;
        QDomNodeList texts_l = all_l( nations_cl ? "nation" : "nickname" );
        QDomText first_l = texts_l.at( nations_cl ? 0 : 1 ).firstChild().toText();
        QDomText second_l = texts_l.at( nations_cl ? 1 : 2 ).firstChild().toText();
        const QString kept_cl = first_l.data();
        first_l.setData( second_l.data() );
        second_l.setData( kept_cl );
    }
    else if( QStringLiteral( "delete cancelled" ) == edit )
        draw_l.parentNode().removeChild( draw_l );
    else if( QStringLiteral( "killed" ) == edit )
    {
        draw_l.setAttribute( QStringLiteral( "outcome" ), QStringLiteral( "started" ) );
        draw_l.removeAttribute( QStringLiteral( "secret" ) );
    }
    else if( QStringLiteral( "relabel cancelled" ) == edit )
        draw_l.setAttribute( QStringLiteral( "outcome" ), QStringLiteral( "stored" ) );
    else if( QStringLiteral( "bad outcome" ) == edit )
        draw_l.setAttribute( QStringLiteral( "outcome" ), QStringLiteral( "cancel" ) );
    else if( QStringLiteral( "bad time" ) == edit )
        draw_l.setAttribute( QStringLiteral( "time" ), QStringLiteral( "вчера" ) );
    else if( QStringLiteral( "logged twice" ) == edit )
        draw_l.parentNode()
            .appendChild( all_l( "draw" ).at( 1 ).cloneNode() )
            .toElement()
            .setAttribute( QStringLiteral( "outcome" ), QStringLiteral( "cancelled" ) );
    else if( QStringLiteral( "missing round" ) == edit )
        draw_l.setAttribute( QStringLiteral( "round" ), QStringLiteral( "7" ) );
    else if( QStringLiteral( "empty log" ) == edit )
        while( all_l( "draw" ).size() )
            all_l( "drawlog" ).at( 0 ).removeChild( all_l( "draw" ).at( 0 ) );
    else if( QStringLiteral( "record" ) == edit )
        first_l.removeAttribute( QStringLiteral( "secret" ) );
    if( QStringLiteral( "strip" ) == edit || QStringLiteral( "old" ) == edit )
    {
        for( int r = 0; r < all_l( "round" ).size(); ++r )
            all_l( "round" ).at( r ).toElement().removeAttribute( QStringLiteral( "secret" ) );
        document_l.documentElement().removeChild( all_l( "drawlog" ).at( 0 ) );
    }
    if( QStringLiteral( "old" ) == edit )
        all_l( "rounds" ).at( 0 ).toElement().removeAttribute( QStringLiteral( "proof" ) );
    QTemporaryDir dir_l;
    const QString file_cl = dir_l.filePath( QStringLiteral( "checked.stv" ) );
    QFile file_l( file_cl );
    QVERIFY( file_l.open( QIODevice::WriteOnly ) );
    file_l.write( global::data::codec()->fromUnicode( document_l.toString( 1 ) ) );
    file_l.close();
    QString out_l;
    QString err_l;
    QTextStream outStream_l( &out_l );
    QTextStream errStream_l( &err_l );
    const int code_cl = ExportCommand::run(
        { QStringLiteral( "sortivane-export" ), QStringLiteral( "--verify" ), file_cl }, outStream_l, errStream_l );
    outStream_l.flush();
    QFETCH( QString, said );
    QVERIFY2( out_l.contains( said ), qPrintable( out_l + err_l ) );
    QTEST( code_cl, "code" );
    if( !edit.isEmpty() )
        return;
    // What a player in the hall compares with a note: each round's code,
    // word and attempt, the rename, the cancelled and the undone draw.
    for( int r = 0; r < champ_l.rounds().size(); ++r )
    {
        const DrawRecord& record_crl = champ_l.rounds().at( r ).record_m;
        QVERIFY( out_l.contains( roundTitle( champ_l.rounds().at( r ).denominator() ) + QStringLiteral( ": код " )
                                 + DrawRecord::shownCode( record_crl.commitment() )
                                 + QStringLiteral( ", слово «сорок два %1», попытка " )
                                 + QString::number( r > 1 ? 1 : 2 ) + QLatin1Char( '\n' ) ) );
    }
    QVERIFY( out_l.contains( QStringLiteral( "» → «Опечатка»" ) ) );
    QVERIFY( out_l.contains( QStringLiteral( "Прерванные жеребьевки: 1\n" ) ) );
    QVERIFY( out_l.contains( QStringLiteral( "Отменённые жеребьевки: 1\n" ) ) );
    const QString html_cl = BracketMarkup::html( BracketLayout( champ_l, QString() ), champ_l );
    QVERIFY( html_cl.contains( QStringLiteral( "<h2>Протокол жеребьевки</h2>" ) ) );
    QVERIFY( html_cl.contains( DrawRecord::shownCode( champ_l.rounds().at( 0 ).record_m.commitment() ) ) );
    QVERIFY( html_cl.contains( QStringLiteral( "<td>слово «сорок два %1»</td>" ) ) );
    QVERIFY( html_cl.contains( QStringLiteral( "» → «Опечатка»</td>" ) ) );
}

QTEST_MAIN( tst_Export )
#include "tst_export.moc"
