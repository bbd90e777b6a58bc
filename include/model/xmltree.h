#ifndef SORTIVANE_XMLTREE_H
#define SORTIVANE_XMLTREE_H

#include <QPair>
#include <QString>
#include <QVector>

// A save file read with QXmlStreamReader into the tree Qt's DOM would make
// of it, with the handful of QDomNode calls the reader uses. It is several
// times as fast as the DOM, whose parser builds a heavy object a node, but
// the two parsers differ at the edges: the DOM keeps tabs, line feeds and
// carriage returns in attribute values and carriage returns in text, and
// takes undeclared entities, where the stream reader normalises or refuses.
// So parse() takes only the plain markup this program writes (elements,
// attributes, text, the five predefined entities and a bare document type)
// and declines anything else, which is then left to the DOM.
class XmlTree
{
public:
    class Node
    {
    public:
        Node() = default;

        bool isNull() const { return index_m < 0; }
        bool isElement() const;
        bool isText() const;
        // An element's name or a text's characters.
        const QString& tagName() const;
        const QString& data() const { return tagName(); }
        QString attribute( const QString& name_cp ) const;
        bool hasAttribute( const QString& name_cp ) const;
        Node firstChild() const;
        Node nextSibling() const;
        Node firstChildElement( const QString& tag_cp = QString() ) const;
        Node nextSiblingElement( const QString& tag_cp = QString() ) const;
        // QDomNode's conversions: a node of this tree is all of them.
        const Node& toElement() const { return *this; }
        const Node& toText() const { return *this; }

    private:
        friend class XmlTree;
        Node( const XmlTree* tree_p, int index_p ) : tree_m( tree_p ), index_m( index_p ) {}
        static Node elementFrom( const XmlTree* tree_p, int index_p, const QString& tag_cp );

        const XmlTree* tree_m = nullptr;
        int index_m = -1;
    };

    // False when the text is not well-formed or not plain markup: the DOM
    // is to judge it.
    bool parse( const QString& text_cp );
    const QString& docTypeName() const { return docTypeName_m; }
    // The document's first node, its root element.
    Node firstNode() const { return Node( this, items_m.isEmpty() ? -1 : 0 ); }

private:
    class Builder;
    struct Item
    {
        bool element_m;
        QString name_m;           // or the text
        int firstAttribute_m = 0; // in attributes_m
        int attributes_m = 0;
        int firstChild_m = -1;
        int nextSibling_m = -1;
    };

    int append( bool element_p, const QString& name_cp, int parent_p, QVector< int >& lastChildren_rp );
    // The name as a copy of an earlier equal one, which costs no memory.
    QString shared( const QStringRef& name_cp );
    const QPair< QString, QString >* findAttribute( int item_p, const QString& name_cp ) const;

    QVector< Item > items_m;
    QVector< QPair< QString, QString > > attributes_m;
    QVector< QString > names_m;
    QString docTypeName_m;
};

#endif
