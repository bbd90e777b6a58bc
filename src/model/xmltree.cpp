#include "xmltree.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace
{
// The DOM drops a text of white space alone, and what is white space to it
// is white space to QChar: a no-break space too.
bool isBlank( const QString& text_cp )
{
    return std::all_of( text_cp.cbegin(), text_cp.cend(), []( QChar char_p ) { return char_p.isSpace(); } );
}

// A name of ASCII letters, digits, ".", "-" and "_", as this program's are.
// The parsers differ on which other characters a name may hold.
bool isPlainName( const QStringRef& name_cp )
{
    if( name_cp.isEmpty() || name_cp.at( 0 ).isDigit() || name_cp.at( 0 ) == QLatin1Char( '.' )
        || name_cp.at( 0 ) == QLatin1Char( '-' ) )
        return false;
    for( const QChar char_cl : name_cp )
        if( char_cl.unicode() >= 0x80
            || !( char_cl.isLetterOrNumber() || char_cl == QLatin1Char( '.' ) || char_cl == QLatin1Char( '-' )
                  || char_cl == QLatin1Char( '_' ) ) )
            return false;
    return true;
}
}

bool XmlTree::Node::isElement() const
{
    return !isNull() && tree_m->items_m.at( index_m ).element_m;
}

bool XmlTree::Node::isText() const
{
    return !isNull() && !tree_m->items_m.at( index_m ).element_m;
}

const QString& XmlTree::Node::tagName() const
{
    static const QString none_scl;
    return isNull() ? none_scl : tree_m->items_m.at( index_m ).name_m;
}

QString XmlTree::Node::attribute( const QString& name_cp ) const
{
    if( isNull() )
        return QString();
    for( const QPair< QString, QString >& attribute_crl : tree_m->items_m.at( index_m ).attributes_m )
        if( attribute_crl.first == name_cp )
            return attribute_crl.second;
    return QString();
}

bool XmlTree::Node::hasAttribute( const QString& name_cp ) const
{
    if( isNull() )
        return false;
    for( const QPair< QString, QString >& attribute_crl : tree_m->items_m.at( index_m ).attributes_m )
        if( attribute_crl.first == name_cp )
            return true;
    return false;
}

XmlTree::Node XmlTree::Node::firstChild() const
{
    return Node( tree_m, isNull() ? -1 : tree_m->items_m.at( index_m ).firstChild_m );
}

XmlTree::Node XmlTree::Node::nextSibling() const
{
    return Node( tree_m, isNull() ? -1 : tree_m->items_m.at( index_m ).nextSibling_m );
}

XmlTree::Node XmlTree::Node::firstChildElement( const QString& tag_cp ) const
{
    return isNull() ? Node() : elementFrom( tree_m, tree_m->items_m.at( index_m ).firstChild_m, tag_cp );
}

XmlTree::Node XmlTree::Node::nextSiblingElement( const QString& tag_cp ) const
{
    return isNull() ? Node() : elementFrom( tree_m, tree_m->items_m.at( index_m ).nextSibling_m, tag_cp );
}

// The element from index_p on among its siblings, of the tag if one is given.
XmlTree::Node XmlTree::Node::elementFrom( const XmlTree* tree_p, int index_p, const QString& tag_cp )
{
    for( int i = index_p; i >= 0; i = tree_p->items_m.at( i ).nextSibling_m )
    {
        const Item& item_crl = tree_p->items_m.at( i );
        if( item_crl.element_m && ( tag_cp.isEmpty() || item_crl.name_m == tag_cp ) )
            return Node( tree_p, i );
    }
    return Node();
}

bool XmlTree::parse( const QString& text_cp )
{
    items_m.clear();
    docTypeName_m.clear();
    // Carriage returns and character references are where the two parsers
    // part; a file of this program's has neither.
    if( text_cp.contains( QLatin1Char( '\r' ) ) || text_cp.contains( QLatin1String( "&#" ) ) )
        return false;
    // About one node for every 25 characters of a save file.
    items_m.reserve( text_cp.size() / 25 );
    QXmlStreamReader reader_l( text_cp );
    reader_l.setNamespaceProcessing( false );
    QVector< int > open_l;         // the elements not closed yet
    QVector< int > lastChildren_l; // per item: its last child so far
    QString pending_l;             // text not yet stored
    // Line feeds and tabs in the root's texts, and where the root's content
    // starts and ends.
    int newlines_l = 0;
    int tabs_l = 0;
    qint64 rootStart_l = 0;
    qint64 rootEnd_l = 0;
    const auto storeText_l = [ & ]
    {
        if( !open_l.isEmpty() )
        {
            newlines_l += pending_l.count( QLatin1Char( '\n' ) );
            tabs_l += pending_l.count( QLatin1Char( '\t' ) );
            if( !isBlank( pending_l ) )
                append( false, pending_l, open_l.last(), lastChildren_l );
        }
        // Emptied, keeping its room for the next text.
        pending_l.resize( 0 );
    };
    while( !reader_l.atEnd() )
    {
        switch( reader_l.readNext() )
        {
        case QXmlStreamReader::StartDocument:
            if( !reader_l.documentVersion().isEmpty() )
                return false;
            break;
        case QXmlStreamReader::DTD:
            if( !docTypeName_m.isNull() || !isPlainName( reader_l.dtdName() )
                || reader_l.text() != QStringLiteral( "<!DOCTYPE %1>" ).arg( reader_l.dtdName().toString() ) )
                return false;
            docTypeName_m = reader_l.dtdName().toString();
            break;
        case QXmlStreamReader::StartElement:
        {
            storeText_l();
            if( ( open_l.isEmpty() && !items_m.isEmpty() ) || !isPlainName( reader_l.qualifiedName() ) )
                return false;
            if( open_l.isEmpty() )
                rootStart_l = reader_l.characterOffset();
            const int element_cl = append( true, reader_l.qualifiedName().toString(),
                                           open_l.isEmpty() ? -1 : open_l.last(), lastChildren_l );
            const QXmlStreamAttributes attributes_cl = reader_l.attributes();
            items_m[ element_cl ].attributes_m.reserve( attributes_cl.size() );
            for( const QXmlStreamAttribute& attribute_crl : attributes_cl )
            {
                if( attribute_crl.qualifiedName().startsWith( QLatin1String( "xmlns" ) )
                    || !isPlainName( attribute_crl.qualifiedName() ) )
                    return false;
                items_m[ element_cl ].attributes_m.append(
                    qMakePair( attribute_crl.qualifiedName().toString(), attribute_crl.value().toString() ) );
            }
            open_l.append( element_cl );
            break;
        }
        case QXmlStreamReader::EndElement:
            storeText_l();
            open_l.removeLast();
            if( open_l.isEmpty() )
                rootEnd_l = reader_l.characterOffset();
            break;
        case QXmlStreamReader::Characters:
            if( reader_l.isCDATA() )
                return false;
            pending_l += reader_l.text();
            break;
        case QXmlStreamReader::EndDocument:
            storeText_l();
            break;
        default:
            // An error, comments, processing instructions, entity references.
            return false;
        }
    }
    // A line feed or tab within the root that no text took stood inside a
    // tag, where the DOM keeps it in an attribute value and the stream
    // reader turns it into a blank. (The root's own attributes are not read.)
    if( reader_l.hasError() || items_m.isEmpty() )
        return false;
    const QStringRef content_cl = text_cp.midRef( int( rootStart_l ), int( rootEnd_l - rootStart_l ) );
    return newlines_l == content_cl.count( QLatin1Char( '\n' ) ) && tabs_l == content_cl.count( QLatin1Char( '\t' ) );
}

int XmlTree::append( bool element_p, const QString& name_cp, int parent_p, QVector< int >& lastChildren_rp )
{
    const int index_cl = items_m.size();
    items_m.append( Item { element_p, name_cp, {}, -1, -1 } );
    lastChildren_rp.append( -1 );
    if( parent_p >= 0 )
    {
        const int previous_cl = lastChildren_rp.at( parent_p );
        if( previous_cl >= 0 )
            items_m[ previous_cl ].nextSibling_m = index_cl;
        else
            items_m[ parent_p ].firstChild_m = index_cl;
        lastChildren_rp[ parent_p ] = index_cl;
    }
    return index_cl;
}
