#ifndef SORTIVANE_MARKUPSCAN_H
#define SORTIVANE_MARKUPSCAN_H

#include "savefile.h"

#include <QString>

// Qt's DOM parser recurses once per level of nesting, expands internal
// entities without a limit, checks each attribute against all the earlier
// ones of its element, and keeps every node: a small file could overflow the
// stack, and a file under the size cap could take minutes and gigabytes. A
// save file needs six levels, no internal DTD subset, three attributes to an
// element and about 10 nodes a player. This scan refuses what goes beyond
// before the DOM parser sees it. It is a tokenizer of its own rather than a
// streaming XML reader, so that an error of another kind (a control
// character, an undeclared prefix), which the DOM parser judges, does not
// stop it before a deep nest behind that error.
class MarkupScan
{
public:
    explicit MarkupScan( const QString& text_cp );

    SaveFile::Refusal refusal();

private:
    bool startsWith( const char* markup_p ) const;
    // Moves past the first closing_p, or to the end.
    void skipPast( const char* closing_p );
    // Moves past the tag's ">", outside quoted values; counts the "=" of its
    // attributes and tells whether it closes itself.
    void skipTag( int& attributes_rp, bool& selfClosing_rp );
    // Reads a document type declaration from its own syntax: a name, an
    // optional external id of quoted literals, then "[" opens an internal
    // subset, "]" or a "[" inside a literal being no such thing.
    bool declaresInternalSubset();
    SaveFile::Refusal markup();

    const QChar* at_m;
    const QChar* const end_m;
    int depth_m = 0;
    qint64 nodes_m = 0;
    qint64 asides_m = 0;
    qint64 attributes_m = 0;
};

#endif
