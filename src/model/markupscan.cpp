#include "markupscan.h"

#include <algorithm>

MarkupScan::MarkupScan( const QString& text_cp )
    : at_m( text_cp.constData() ), end_m( text_cp.constData() + text_cp.size() )
{
}

SaveFile::Refusal MarkupScan::refusal()
{
    bool inText_l = false;
    while( at_m < end_m )
    {
        if( QLatin1Char( '<' ) != *at_m )
        {
            // A text of blanks alone is dropped by the parser: no node.
            if( !inText_l && !at_m->isSpace() )
            {
                inText_l = true;
                ++nodes_m;
            }
            ++at_m;
            continue;
        }
        inText_l = false;
        const SaveFile::Refusal refusal_cl = markup();
        if( SaveFile::Refusal::None != refusal_cl )
            return refusal_cl;
        if( nodes_m > SaveFile::MAX_NODES || asides_m > SaveFile::MAX_ASIDES
            || attributes_m > SaveFile::MAX_ALL_ATTRIBUTES )
            return SaveFile::Refusal::BeyondBounds;
    }
    return nodes_m > SaveFile::MAX_NODES ? SaveFile::Refusal::BeyondBounds : SaveFile::Refusal::None;
}

bool MarkupScan::startsWith( const char* markup_p ) const
{
    const QChar* at_l = at_m;
    for( ; *markup_p; ++markup_p, ++at_l )
        if( at_l == end_m || QLatin1Char( *markup_p ) != *at_l )
            return false;
    return true;
}

void MarkupScan::skipPast( const char* closing_p )
{
    while( at_m < end_m && !startsWith( closing_p ) )
        ++at_m;
    at_m = std::min( end_m, at_m + int( qstrlen( closing_p ) ) );
}

void MarkupScan::skipTag( int& attributes_rp, bool& selfClosing_rp )
{
    QChar quote_l;
    QChar previous_l;
    for( ; at_m < end_m; previous_l = *at_m++ )
    {
        if( !quote_l.isNull() )
        {
            if( *at_m == quote_l )
                quote_l = QChar();
            continue;
        }
        if( QLatin1Char( '"' ) == *at_m || QLatin1Char( '\'' ) == *at_m )
            quote_l = *at_m;
        else if( QLatin1Char( '=' ) == *at_m )
            ++attributes_rp;
        else if( QLatin1Char( '>' ) == *at_m )
        {
            selfClosing_rp = QLatin1Char( '/' ) == previous_l;
            ++at_m;
            return;
        }
    }
}

bool MarkupScan::declaresInternalSubset()
{
    at_m += 9; // "<!DOCTYPE"
    while( at_m < end_m && QLatin1Char( '>' ) != *at_m )
    {
        if( QLatin1Char( '[' ) == *at_m )
            return true;
        if( QLatin1Char( '"' ) == *at_m || QLatin1Char( '\'' ) == *at_m )
        {
            const QChar quote_cl = *at_m++;
            while( at_m < end_m && quote_cl != *at_m )
                ++at_m;
        }
        if( at_m < end_m )
            ++at_m;
    }
    if( at_m < end_m )
        ++at_m;
    return false;
}

SaveFile::Refusal MarkupScan::markup()
{
    if( startsWith( "<!--" ) )
    {
        skipPast( "-->" );
        ++asides_m;
        ++nodes_m;
    }
    else if( startsWith( "<![CDATA[" ) )
    {
        skipPast( "]]>" );
        ++nodes_m;
    }
    else if( startsWith( "<?" ) )
    {
        skipPast( "?>" );
        ++asides_m;
        ++nodes_m;
    }
    else if( startsWith( "<!DOCTYPE" ) )
    {
        if( declaresInternalSubset() )
            return SaveFile::Refusal::InternalSubset;
    }
    else if( startsWith( "</" ) )
    {
        skipPast( ">" );
        depth_m = std::max( 0, depth_m - 1 );
    }
    else
    {
        ++at_m;
        int attributes_l = 0;
        bool selfClosing_l = false;
        skipTag( attributes_l, selfClosing_l );
        ++nodes_m;
        if( depth_m + 1 > SaveFile::MAX_DEPTH )
            return SaveFile::Refusal::NestedTooDeep;
        if( attributes_l > SaveFile::MAX_ATTRIBUTES )
            return SaveFile::Refusal::BeyondBounds;
        attributes_m += attributes_l;
        if( !selfClosing_l )
            ++depth_m;
    }
    return SaveFile::Refusal::None;
}
