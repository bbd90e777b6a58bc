#include "drawpool.h"

#include <QRegularExpression>

namespace
{
const QString heading_g = QStringLiteral( "sortivane-pool 2" );

QString escaped( const QString& name_cp )
{
    QString text_l;
    text_l.reserve( name_cp.size() );
    for( const QChar char_cl : name_cp )
        switch( char_cl.unicode() )
        {
        case '\\':
            text_l += QLatin1String( "\\\\" );
            break;
        case '\t':
            text_l += QLatin1String( "\\t" );
            break;
        case '\n':
            text_l += QLatin1String( "\\n" );
            break;
        case '\r':
            text_l += QLatin1String( "\\r" );
            break;
        default:
            text_l += char_cl;
        }
    return text_l;
}

// False for a lone backslash or an escape no writer makes.
bool unescaped( const QString& field_cp, QString& name_rp )
{
    name_rp.clear();
    for( int i = 0; i < field_cp.size(); ++i )
    {
        if( QLatin1Char( '\\' ) != field_cp.at( i ) )
        {
            name_rp += field_cp.at( i );
            continue;
        }
        if( ++i == field_cp.size() )
            return false;
        static const QString from_scl = QStringLiteral( "\\tnr" );
        static const QString to_scl = QStringLiteral( "\\\t\n\r" );
        const int at_cl = from_scl.indexOf( field_cp.at( i ) );
        if( at_cl < 0 )
            return false;
        name_rp += to_scl.at( at_cl );
    }
    return true;
}

bool number( const QString& text_cp, int& value_rp )
{
    static const QRegularExpression digits_scl( QStringLiteral( "^(0|[1-9][0-9]{0,8})$" ) );
    if( !digits_scl.match( text_cp ).hasMatch() )
        return false;
    value_rp = text_cp.toInt();
    return true;
}
}

QString DrawPool::nextDraw( const Championship& champ_cp )
{
    RoundPlayers pool_l;
    if( champ_cp.rounds().isEmpty() )
        for( auto group_it = champ_cp.players().cbegin(); group_it != champ_cp.players().cend(); ++group_it )
            pool_l.insert( group_it.key(), group_it.value().keys().toVector() );
    else
        pool_l = champ_cp.rounds().value( champ_cp.nextDrawRound(), Round( 1 ) ).players_m;
    return text( pool_l, champ_cp.players(), champ_cp.nations(), champ_cp.nationsNames() );
}

QString DrawPool::text( const RoundPlayers& pool_cp, const PlayersGroups& names_cp, const QVector< int >& nations_cp,
                        const QMap< int, QString >& nationsNames_cp )
{
    QString text_l = heading_g + QLatin1Char( '\n' );
    for( auto group_it = pool_cp.cbegin(); group_it != pool_cp.cend(); ++group_it )
        for( const int id_cl : group_it.value() )
        {
            const Player player_cl = names_cp.value( group_it.key() ).value( id_cl );
            text_l += QStringLiteral( "P\t%1\t%2\t" ).arg( group_it.key() ).arg( id_cl )
                      + escaped( player_cl.nickname_m ) + QLatin1Char( '\t' ) + escaped( player_cl.clanName_m )
                      + QLatin1Char( '\n' );
        }
    for( const int nation_cl : nations_cp )
        text_l += QStringLiteral( "N\t%1\t" ).arg( nation_cl ) + escaped( nationsNames_cp.value( nation_cl ) )
                  + QLatin1Char( '\n' );
    return text_l;
}

bool DrawPool::parse( const QString& text_cp, QVector< Entry >& players_rp,
                      QVector< QPair< int, QString > >& nations_rp )
{
    players_rp.clear();
    nations_rp.clear();
    if( !text_cp.endsWith( QLatin1Char( '\n' ) ) )
        return false;
    const QStringList lines_cl = text_cp.left( text_cp.size() - 1 ).split( QLatin1Char( '\n' ) );
    if( lines_cl.value( 0 ) != heading_g )
        return false;
    for( int i = 1; i < lines_cl.size(); ++i )
    {
        const QStringList fields_cl = lines_cl.at( i ).split( QLatin1Char( '\t' ) );
        Entry entry_l;
        int group_l = 0;
        int id_l = 0;
        QString name_l;
        // Players come first; a nation line ends them.
        if( 5 == fields_cl.size() && QLatin1String( "P" ) == fields_cl.at( 0 ) && nations_rp.isEmpty()
            && number( fields_cl.at( 1 ), group_l ) && number( fields_cl.at( 2 ), id_l )
            && unescaped( fields_cl.at( 3 ), entry_l.name_m.nickname_m )
            && unescaped( fields_cl.at( 4 ), entry_l.name_m.clanName_m ) )
        {
            entry_l.player_m = PlayerRef( group_l, id_l );
            players_rp.append( entry_l );
        }
        else if( 3 == fields_cl.size() && QLatin1String( "N" ) == fields_cl.at( 0 ) && number( fields_cl.at( 1 ), id_l )
                 && unescaped( fields_cl.at( 2 ), name_l ) )
            nations_rp.append( qMakePair( id_l, name_l ) );
        else
            return false;
    }
    return true;
}
