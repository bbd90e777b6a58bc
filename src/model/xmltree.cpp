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

// The stream reader turns a surrogate without its pair into "?", where the
// DOM keeps it for the reader to drop.
bool hasLoneSurrogate( const QString& text_cp )
{
    for( int i = 0; i < text_cp.size(); ++i )
        if( text_cp.at( i ).isHighSurrogate() && i + 1 < text_cp.size() && text_cp.at( i + 1 ).isLowSurrogate() )
            ++i;
        else if( text_cp.at( i ).isSurrogate() )
            return true;
    return false;
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
    const QPair< QString, QString >* const found_cl = isNull() ? nullptr : tree_m->findAttribute( index_m, name_cp );
    return found_cl ? found_cl->second : QString();
}

bool XmlTree::Node::hasAttribute( const QString& name_cp ) const
{
    return !isNull() && tree_m->findAttribute( index_m, name_cp );
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

// The tree as the stream reader's tokens build it, and what the text
// outside the tree's texts held.
class XmlTree::Builder
{
public:
    explicit Builder( XmlTree& tree_r ) : tree_m( tree_r ) {}

    bool startElement( const QXmlStreamReader& reader_cp );
    void endElement( const QXmlStreamReader& reader_cp );
    void addCharacters( const QStringRef& text_cp ) { pending_m += text_cp; }
    void storeText();
    // Whether every line feed and tab within the root went to a text.
    bool tookEveryBreak( const QString& text_cp ) const;

private:
    XmlTree& tree_m;
    QVector< int > open_m;         // the elements not closed yet
    QVector< int > lastChildren_m; // per item: its last child so far
    QString pending_m;             // text not yet stored
    int newlines_m = 0;
    int tabs_m = 0;
    qint64 rootStart_m = 0; // where the root's content starts and ends
    qint64 rootEnd_m = 0;
};

bool XmlTree::Builder::startElement( const QXmlStreamReader& reader_cp )
{
    storeText();
    if( ( open_m.isEmpty() && !tree_m.items_m.isEmpty() ) || !isPlainName( reader_cp.qualifiedName() ) )
        return false;
    if( open_m.isEmpty() )
        rootStart_m = reader_cp.characterOffset();
    const int element_cl = tree_m.append( true, tree_m.shared( reader_cp.qualifiedName() ),
                                          open_m.isEmpty() ? -1 : open_m.last(), lastChildren_m );
    const QXmlStreamAttributes attributes_cl = reader_cp.attributes();
    tree_m.items_m[ element_cl ].firstAttribute_m = tree_m.attributes_m.size();
    tree_m.items_m[ element_cl ].attributes_m = attributes_cl.size();
    for( const QXmlStreamAttribute& attribute_crl : attributes_cl )
    {
        if( attribute_crl.qualifiedName().startsWith( QLatin1String( "xmlns" ) )
            || !isPlainName( attribute_crl.qualifiedName() ) )
            return false;
        tree_m.attributes_m.append(
            qMakePair( tree_m.shared( attribute_crl.qualifiedName() ), attribute_crl.value().toString() ) );
    }
    open_m.append( element_cl );
    return true;
}

void XmlTree::Builder::endElement( const QXmlStreamReader& reader_cp )
{
    storeText();
    open_m.removeLast();
    if( open_m.isEmpty() )
        rootEnd_m = reader_cp.characterOffset();
}

void XmlTree::Builder::storeText()
{
    if( !open_m.isEmpty() )
    {
        newlines_m += pending_m.count( QLatin1Char( '\n' ) );
        tabs_m += pending_m.count( QLatin1Char( '\t' ) );
        if( !isBlank( pending_m ) )
            tree_m.append( false, pending_m, open_m.last(), lastChildren_m );
    }
    // Emptied, keeping its room for the next text.
    pending_m.resize( 0 );
}

// A line feed or tab within the root that no text took stood inside a tag,
// where the DOM keeps it in an attribute value and the stream reader turns
// it into a blank. (The root's own attributes are not read.)
bool XmlTree::Builder::tookEveryBreak( const QString& text_cp ) const
{
    const QStringRef content_cl = text_cp.midRef( int( rootStart_m ), int( rootEnd_m - rootStart_m ) );
    return newlines_m == content_cl.count( QLatin1Char( '\n' ) ) && tabs_m == content_cl.count( QLatin1Char( '\t' ) );
}

bool XmlTree::parse( const QString& text_cp )
{
    items_m.clear();
    attributes_m.clear();
    names_m.clear();
    docTypeName_m.clear();
    // Carriage returns, character references, a byte-order mark left in the
    // text (which the stream reader skips) and lone surrogates are where the
    // two parsers part; a file of this program's has none.
    if( text_cp.startsWith( QChar( QChar::ByteOrderMark ) ) || text_cp.contains( QLatin1Char( '\r' ) )
        || text_cp.contains( QLatin1String( "&#" ) ) || hasLoneSurrogate( text_cp ) )
        return false;
    // About one node and one attribute for every 25 characters of a save
    // file.
    items_m.reserve( text_cp.size() / 25 );
    attributes_m.reserve( text_cp.size() / 25 );
    QXmlStreamReader reader_l( text_cp );
    reader_l.setNamespaceProcessing( false );
    Builder builder_l( *this );
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
            if( !builder_l.startElement( reader_l ) )
                return false;
            break;
        case QXmlStreamReader::EndElement:
            builder_l.endElement( reader_l );
            break;
        case QXmlStreamReader::Characters:
            if( reader_l.isCDATA() )
                return false;
            builder_l.addCharacters( reader_l.text() );
            break;
        case QXmlStreamReader::EndDocument:
            builder_l.storeText();
            break;
        default:
            // An error, comments, processing instructions, entity references.
            return false;
        }
    }
    return !reader_l.hasError() && !items_m.isEmpty() && builder_l.tookEveryBreak( text_cp );
}

int XmlTree::append( bool element_p, const QString& name_cp, int parent_p, QVector< int >& lastChildren_rp )
{
    const int index_cl = items_m.size();
    items_m.append( Item { element_p, name_cp, 0, 0, -1, -1 } );
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

QString XmlTree::shared( const QStringRef& name_cp )
{
    // A save file has some twenty names; any other file gets copies beyond
    // the first few dozen, so that the search stays short.
    static constexpr int KEPT = 64;
    for( const QString& name_crl : names_m )
        if( name_cp == name_crl )
            return name_crl;
    if( names_m.size() < KEPT )
    {
        names_m.append( name_cp.toString() );
        return names_m.last();
    }
    return name_cp.toString();
}

const QPair< QString, QString >* XmlTree::findAttribute( int item_p, const QString& name_cp ) const
{
    const Item& item_crl = items_m.at( item_p );
    for( int i = item_crl.firstAttribute_m; i < item_crl.firstAttribute_m + item_crl.attributes_m; ++i )
        if( attributes_m.at( i ).first == name_cp )
            return &attributes_m.at( i );
    return nullptr;
}
