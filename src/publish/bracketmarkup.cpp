#include "bracketmarkup.h"

#include "bracketlayout.h"
#include "championship.h"
#include "drawcheck.h"

#include <QBuffer>

#include <cmath>

namespace
{
const char* const FONT_FAMILIES = "'DejaVu Sans', Verdana, sans-serif";

QString number( double value_p )
{
    QString text_l = QString::number( std::round( value_p * 10 ) / 10, 'f', 1 );
    if( text_l.endsWith( QLatin1String( ".0" ) ) )
        text_l.chop( 2 );
    return text_l;
}

QString points( const QPolygonF& points_cp )
{
    QStringList pairs_l;
    for( const QPointF& point_crl : points_cp )
        pairs_l << number( point_crl.x() ) + QLatin1Char( ',' ) + number( point_crl.y() );
    return pairs_l.join( QLatin1Char( ' ' ) );
}

const char* pieceClass( BracketLayout::Piece::Kind kind_p )
{
    static const char* const classes_scl[] = { "heading",  "column",    "game", "qualified",
                                               "champion", "connector", "group" };
    return classes_scl[ kind_p ];
}

QString styleSheet()
{
    QString css_l;
    for( int role_l = 0; role_l < BracketLayout::RoleCount; ++role_l )
    {
        const BracketLayout::Style& style_crl = BracketLayout::style( BracketLayout::Role( role_l ) );
        QStringList rules_l;
        if( style_crl.pixelSize_m )
        {
            rules_l << QStringLiteral( "font-size:%1px" ).arg( style_crl.pixelSize_m )
                    << QStringLiteral( "fill:%1" ).arg( style_crl.ink_m.name() );
            if( style_crl.bold_m )
                rules_l << QStringLiteral( "font-weight:bold" );
            if( style_crl.italic_m )
                rules_l << QStringLiteral( "font-style:italic" );
        }
        else
        {
            rules_l << QStringLiteral( "fill:%1" )
                           .arg( style_crl.fill_m.isValid() ? style_crl.fill_m.name() : QStringLiteral( "none" ) );
            if( style_crl.ink_m.isValid() && style_crl.lineWidth_m > 0 )
                rules_l << QStringLiteral( "stroke:%1" ).arg( style_crl.ink_m.name() )
                        << QStringLiteral( "stroke-width:%1" ).arg( number( style_crl.lineWidth_m ) );
            if( style_crl.dashed_m )
                rules_l << QStringLiteral( "stroke-dasharray:4 3" );
        }
        css_l += QStringLiteral( ".sortivane-bracket .%1{%2}\n" )
                     .arg( QLatin1String( style_crl.cssClass_m ), rules_l.join( QLatin1Char( ';' ) ) );
    }
    return css_l;
}

QString shapeElement( const BracketLayout::Shape& shape_cp )
{
    const QLatin1String class_cl( BracketLayout::style( shape_cp.role_m ).cssClass_m );
    switch( shape_cp.kind_m )
    {
    case BracketLayout::Shape::Box:
        return QStringLiteral( "<rect class=\"%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" rx=\"3\"/>" )
            .arg( class_cl, number( shape_cp.rect_m.x() ), number( shape_cp.rect_m.y() ),
                  number( shape_cp.rect_m.width() ), number( shape_cp.rect_m.height() ) );
    case BracketLayout::Shape::Text:
    {
        const QString anchor_cl = ( shape_cp.align_m & Qt::AlignRight ) ? QStringLiteral( " text-anchor=\"end\"" )
                                  : ( shape_cp.align_m & Qt::AlignHCenter )
                                      ? QStringLiteral( " text-anchor=\"middle\"" )
                                      : QString();
        const QString title_cl =
            shape_cp.fullText_m.isEmpty()
                ? QString()
                : QStringLiteral( "<title>%1</title>" ).arg( BracketMarkup::escaped( shape_cp.fullText_m ) );
        return QStringLiteral( "<text class=\"%1\" x=\"%2\" y=\"%3\"%4>%5%6</text>" )
            .arg( class_cl, number( shape_cp.anchor_m.x() ), number( shape_cp.anchor_m.y() ), anchor_cl, title_cl,
                  BracketMarkup::escaped( shape_cp.text_m ) );
    }
    case BracketLayout::Shape::Line:
        return QStringLiteral( "<polyline class=\"%1\" points=\"%2\"/>" ).arg( class_cl, points( shape_cp.points_m ) );
    case BracketLayout::Shape::Mark:
        return QStringLiteral( "<polygon class=\"%1\" points=\"%2\"/>" ).arg( class_cl, points( shape_cp.points_m ) );
    }
    return QString();
}

QString cell( const QString& text_cp, bool winner_p = false )
{
    return QStringLiteral( "<td%1>%2</td>" )
        .arg( winner_p ? QStringLiteral( " class=\"winner\"" ) : QString(), BracketMarkup::escaped( text_cp ) );
}
}

// Markup gathered in pieces and handed to the device in UTF-8 chunks.
class BracketMarkup::Out
{
public:
    explicit Out( QIODevice* device_p ) : device_m( device_p ) {}

    Out& operator<<( const QString& text_cp )
    {
        buffer_m += text_cp;
        if( buffer_m.size() >= CHUNK )
            flush();
        return *this;
    }
    bool finish()
    {
        flush();
        return ok_m;
    }

private:
    static constexpr int CHUNK = 1 << 16;

    void flush()
    {
        const QByteArray bytes_cl = buffer_m.toUtf8();
        ok_m = ok_m && device_m->write( bytes_cl ) == bytes_cl.size();
        buffer_m.resize( 0 );
    }

    QIODevice* device_m;
    QString buffer_m;
    bool ok_m = true;
};

bool BracketMarkup::writeSvg( const BracketLayout& layout_cp, QIODevice* device_p )
{
    Out out_l( device_p );
    out_l << QStringLiteral( "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" );
    writeSvgElement( out_l, layout_cp, false );
    return out_l.finish();
}

bool BracketMarkup::writeHtml( const BracketLayout& layout_cp, const Championship& champ_cp, QIODevice* device_p )
{
    static const QString head_scl =
        QStringLiteral( "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
                        "<meta name=\"generator\" content=\"Sortivane\"/>\n<title>%1</title>\n<style>\n"
                        "body{margin:0;padding:16px;background:#fff;color:#1a1a1a;font-family:%2}\n"
                        ".bracket{overflow:auto}\n"
                        "h2{font-size:18px;margin:24px 0 8px}\n"
                        "table.results,table.protocol{border-collapse:collapse;font-size:14px;"
                        "display:block;max-width:100%;overflow-x:auto}\n"
                        "table.results th,table.results td,table.protocol th,table.protocol td"
                        "{border:1px solid #c8c8c8;padding:3px 8px;text-align:left}\n"
                        "table.results th,table.protocol th{background:#f0f0f0}\n"
                        "table.protocol td{font-family:monospace}\n"
                        "table.results td.winner{font-weight:bold}\n"
                        "</style>\n</head>\n<body>\n<div class=\"bracket\">\n" );
    Out out_l( device_p );
    out_l << head_scl.arg( escaped( layout_cp.title() ), QLatin1String( FONT_FAMILIES ) );
    writeSvgElement( out_l, layout_cp, true );
    out_l << QStringLiteral( "</div>\n" );
    writeResultsTables( out_l, champ_cp );
    out_l << protocolTable( champ_cp ) << QStringLiteral( "</body>\n</html>\n" );
    return out_l.finish();
}

QString BracketMarkup::svg( const BracketLayout& layout_cp )
{
    QBuffer buffer_l;
    buffer_l.open( QIODevice::WriteOnly );
    writeSvg( layout_cp, &buffer_l );
    return QString::fromUtf8( buffer_l.data() );
}

QString BracketMarkup::html( const BracketLayout& layout_cp, const Championship& champ_cp )
{
    QBuffer buffer_l;
    buffer_l.open( QIODevice::WriteOnly );
    writeHtml( layout_cp, champ_cp, &buffer_l );
    return QString::fromUtf8( buffer_l.data() );
}

QString BracketMarkup::escaped( const QString& text_cp )
{
    QString escaped_l;
    escaped_l.reserve( text_cp.size() );
    for( int i = 0; i < text_cp.size(); ++i )
    {
        const QChar char_cl = text_cp.at( i );
        if( char_cl == QLatin1Char( '&' ) )
            escaped_l += QStringLiteral( "&amp;" );
        else if( char_cl == QLatin1Char( '<' ) )
            escaped_l += QStringLiteral( "&lt;" );
        else if( char_cl == QLatin1Char( '>' ) )
            escaped_l += QStringLiteral( "&gt;" );
        else if( char_cl == QLatin1Char( '"' ) )
            escaped_l += QStringLiteral( "&quot;" );
        else if( char_cl.isHighSurrogate() && i + 1 < text_cp.size() && text_cp.at( i + 1 ).isLowSurrogate() )
            escaped_l += text_cp.midRef( i++, 2 );
        else if( char_cl == QLatin1Char( '\t' ) || char_cl == QLatin1Char( '\n' ) || char_cl == QLatin1Char( '\r' ) )
            escaped_l += QLatin1Char( ' ' );
        // Other control characters and lone surrogates are not allowed in XML.
        else if( char_cl.isSurrogate() || char_cl.unicode() < 0x20 || char_cl.unicode() >= 0xFFFE )
            escaped_l += QChar( QChar::ReplacementCharacter );
        else
            escaped_l += char_cl;
    }
    return escaped_l;
}

void BracketMarkup::writeSvgElement( Out& out_rp, const BracketLayout& layout_cp, bool fluid_p )
{
    const QSizeF size_cl = layout_cp.size();
    // In a page the bracket takes the page's width, and scrolls sideways
    // only where its smallest text would fall below a legible size.
    const QString extent_cl = fluid_p
                                  ? QStringLiteral( "style=\"display:block;width:100%;height:auto;min-width:%1px\"" )
                                        .arg( number( std::ceil( size_cl.width() * MIN_LEGIBLE_SCALE ) ) )
                                  : QStringLiteral( "width=\"%1\" height=\"%2\"" )
                                        .arg( number( size_cl.width() ), number( size_cl.height() ) );
    out_rp << QStringLiteral(
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" class=\"sortivane-bracket\" %1 "
                  "viewBox=\"0 0 %2 %3\" font-family=\"%4\">\n<title>%5</title>\n<style>\n%6</style>\n"
                  "<rect class=\"background\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" )
                  .arg( extent_cl, number( size_cl.width() ), number( size_cl.height() ),
                        QLatin1String( FONT_FAMILIES ), escaped( layout_cp.title() ), styleSheet() );
    for( const BracketLayout::Piece& piece_crl : layout_cp.pieces() )
    {
        QString group_l = QStringLiteral( "<g class=\"%1\"" ).arg( QLatin1String( pieceClass( piece_crl.kind_m ) ) );
        if( piece_crl.round_m >= 0 )
            group_l += QStringLiteral( " data-round=\"%1\"" ).arg( piece_crl.round_m );
        if( piece_crl.game_m >= 0 )
            group_l += QStringLiteral( " data-game=\"%1\"" ).arg( piece_crl.game_m );
        group_l += QLatin1Char( '>' );
        for( const BracketLayout::Shape& shape_crl : piece_crl.shapes_m )
            group_l += shapeElement( shape_crl );
        out_rp << group_l << QStringLiteral( "</g>\n" );
    }
    out_rp << QStringLiteral( "</svg>\n" );
}

void BracketMarkup::writeResultsTables( Out& out_rp, const Championship& champ_cp )
{
    static const QString head_scl = QStringLiteral(
        "<section class=\"round\">\n<h2>%1</h2>\n<table class=\"results\">\n<thead><tr><th>Игра</th><th>Фаворит</th>"
        "<th>Нация</th><th>Аутсайдер</th><th>Нация</th><th>Победитель</th></tr></thead>\n<tbody>\n" );
    static const QString undecided_scl = QStringLiteral( "—" );
    for( const Round& round_crl : champ_cp.rounds() )
    {
        if( round_crl.games_m.isEmpty() )
            continue;
        out_rp << head_scl.arg( escaped( roundTitle( round_crl.denominator() ) ) );
        for( int g = 0; g < round_crl.games_m.size(); ++g )
        {
            const Game& game_crl = round_crl.games_m.at( g );
            out_rp << QStringLiteral( "<tr>" ) + cell( gameTitle( round_crl.denominator(), g + 1 ) )
                          + cell( champ_cp.playerText( game_crl.favorite_m ), EXPECTED == game_crl.result_m )
                          + cell( champ_cp.nationName( game_crl.favoriteNation_m ) )
                          + cell( champ_cp.playerText( game_crl.outsider_m ), UNEXPECTED == game_crl.result_m )
                          + cell( champ_cp.nationName( game_crl.outsiderNation_m ) )
                          + cell( UNKNOWN == game_crl.result_m ? undecided_scl
                                                               : champ_cp.playerText( game_crl.winner() ),
                                  UNKNOWN != game_crl.result_m )
                          + QStringLiteral( "</tr>\n" );
        }
        out_rp << QStringLiteral( "</tbody>\n</table>\n</section>\n" );
    }
}

QString BracketMarkup::protocolTable( const Championship& champ_cp )
{
    QString rows_l;
    for( int r = 0; r < champ_cp.rounds().size(); ++r )
    {
        const Round& round_crl = champ_cp.rounds().at( r );
        if( !round_crl.record_m.isValid() )
            continue;
        const QString title_cl = roundTitle( round_crl.denominator() );
        int attempts_l = 0;
        DrawLogEntry stored_l;
        for( const DrawLogEntry& entry_crl : champ_cp.drawLog() )
            if( entry_crl.round_m == r )
            {
                ++attempts_l;
                if( DrawLogEntry::Stored == entry_crl.outcome_m && entry_crl.attempt_m == round_crl.record_m.attempt_m )
                    stored_l = entry_crl;
            }
        QStringList renames_l;
        for( const RenameLogEntry& rename_crl : DrawCheck::renamesSince( champ_cp, r ) )
            renames_l << DrawCheck::renameText( rename_crl );
        rows_l += QStringLiteral( "<tr>" ) + cell( title_cl )
                  + cell( stored_l.time_m.toString( QStringLiteral( "dd.MM.yyyy HH:mm:ss UTC" ) ) )
                  + cell( DrawRecord::shownCode( stored_l.commitment_m ) )
                  + cell( DrawCheck::wordText( round_crl.record_m.word_m ) )
                  + cell( QString::number( round_crl.record_m.attempt_m ) )
                  + cell( QStringLiteral( "%1" ).arg( round_crl.record_m.seed( title_cl ), 8, 16, QLatin1Char( '0' ) ) )
                  + cell( QString::number( attempts_l ) )
                  + cell( renames_l.isEmpty() ? QStringLiteral( "нет" ) : renames_l.join( QStringLiteral( "; " ) ) )
                  + QStringLiteral( "</tr>\n" );
    }
    if( rows_l.isEmpty() )
        return QString();
    return QStringLiteral(
               "<section class=\"draws\">\n<h2>Протокол жеребьевки</h2>\n<table class=\"protocol\">\n"
               "<thead><tr><th>Тур</th><th>Время</th><th>Код</th><th>Слово</th><th>Попытка</th><th>Зерно</th>"
               "<th>Попыток</th><th>Переименования</th></tr>"
               "</thead>\n<tbody>\n" )
           + rows_l + QStringLiteral( "</tbody>\n</table>\n</section>\n" );
}
